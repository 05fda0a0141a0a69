#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "lib/compat_screen/input_box_key.h"
#include "lib/compat_screen/screen_routines.h"
#include "platform/term/get_read.h"
#include "platform/term/key_decoder.h"
#include "platform/term/tests/term_fixture.h"

namespace zur::compat_screen {
namespace {

using term::Key;
using term::KeyId;

class InputBoxKeyTest : public term::TermTest {
 protected:
  InputBoxKeyTest() { EXPECT_TRUE(NetworkReady(screen)); }
  // Keys as the terminal sends them: UTF-8 text read through the key decoder.
  void TypeUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
      const term::DecodedKey d = term::DecodeKey(bytes, true);
      ASSERT_GT(d.used, 0u);
      backend.Press(d.key);
      bytes.remove_prefix(d.used);
    }
  }
  // A console entry of ten characters at row 5, column 20, holding `value`, read to its end.
  std::string ReadEntry(std::string value) {
    value.resize(10, ' ');
    std::vector<term::GetEntry> entry = {{5, 20, &value, "", nullptr}};
    backend.before_read = [this](const term::CellGrid&) { shown.push_back(backend.Text()); };
    term::ReadGets(screen, entry);
    return value;
  }
  std::vector<std::string> shown;
};

TEST_F(InputBoxKeyTest, ChineseTypedInTheBoxIsStoredAsBig5) {
  backend.Press(Key::Char('i', term::kAlt));
  TypeUtf8("\xe4\xb8\xad\xe6\x96\x87");  // two Chinese characters in UTF-8
  backend.Press(KeyId::kEnter);          // the box
  backend.Press(KeyId::kEnter);          // the entry
  // The box showed the entry's text to go on with, below the cursor.
  EXPECT_EQ(ReadEntry("old"), "old\xa4\xa4\xa4\xe5   ");
  ASSERT_GE(shown.size(), 2u);
  std::istringstream rows(shown[1]);
  std::string row;
  for (int r = 0; r <= 5 + term::kMenuBarRows + 1; ++r) std::getline(rows, row);
  EXPECT_EQ(row.find(" Input Box "), 20u + 3 * 2) << shown[1];
}

TEST_F(InputBoxKeyTest, AltF4TooAndEscapeKeepsTheEntry) {
  backend.Press(KeyId::kF4, term::kAlt);
  backend.Type("xyz");
  backend.Press(KeyId::kEsc);    // the box
  backend.Press(KeyId::kEnter);  // the entry
  EXPECT_EQ(ReadEntry("old"), "old       ");
}

TEST_F(InputBoxKeyTest, NothingWithoutAConsoleEntry) {
  ShowInputBox(screen);  // would wait for keys if a box came up
  EXPECT_EQ(backend.presents(), 0);
}

TEST(ScreenRoutines, LogonIsNotAvailableAndTheShellGetsTheTerminal) {
  term::HeadlessBackend backend;
  term::Screen screen(backend);
  VarStore vars;
  expr::FunctionTable table;
  RegisterScreenRoutines(table, screen, vars);
  expr::Context ctx;
  ctx.vars = &vars;
  ctx.functions = &table;
  Value out;
  expr::Error error;

  std::string box;
  backend.before_read = [&](const term::CellGrid&) { box = backend.Text(); };
  backend.Press(KeyId::kEnter);
  ASSERT_TRUE(expr::EvaluateText("LOGONUSER('op', '', 'pw', 2, 0, 0)", ctx, out, error));
  EXPECT_EQ(out, Value(false));
  EXPECT_NE(box.find("LogonUser Error"), std::string::npos) << box;
  EXPECT_NE(box.find(std::to_string(ENOSYS)), std::string::npos) << box;

  const std::filesystem::path mark =
      std::filesystem::temp_directory_path() / ("zur-shell-" + std::to_string(::getpid()));
  ASSERT_TRUE(expr::EvaluateText("OVERLAY('echo ran > " + mark.string() + "')", ctx, out, error))
      << error.What();
  EXPECT_EQ(out, Value(true));
  EXPECT_TRUE(std::filesystem::exists(mark));
  EXPECT_FALSE(backend.suspended());
  std::filesystem::remove(mark);
}

}  // namespace
}  // namespace zur::compat_screen
