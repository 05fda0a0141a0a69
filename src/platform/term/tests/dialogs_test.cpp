#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/term/file_dialog.h"
#include "platform/term/input_box.h"
#include "platform/term/message_box.h"
#include "term_fixture.h"

namespace zur::term {
namespace {

class DialogsTest : public TermTest {
 protected:
  // The picture while the dialog waits for its first key.
  std::string Shown() { return shown_; }
  void SetUp() override {
    backend.before_read = [this](const CellGrid&) {
      if (shown_.empty()) shown_ = backend.Text();
    };
  }

 private:
  std::string shown_;
};

TEST_F(DialogsTest, MessageBoxShowsTitleAndTextAndClosesOnItsKeys) {
  for (KeyId close : {KeyId::kEnter, KeyId::kEsc}) {
    backend.Press(close);
    backend.Type("k");
    MessageBox(screen, "ERROR: \"CCASS A/C\" CANNOT BE \"01\" !");
    EXPECT_EQ(backend.pending(), 1u);  // the box took its key and no more
    backend.ClearInput();
  }
  EXPECT_NE(Shown().find(" ZUR "), std::string::npos);
  EXPECT_NE(Shown().find("ERROR: \"CCASS A/C\" CANNOT BE \"01\" !"), std::string::npos);
  EXPECT_NE(Shown().find("[ OK ]"), std::string::npos);
  // Whatever was on the screen is back once it closed.
  screen.Refresh();
  EXPECT_EQ(backend.Text().find("OK"), std::string::npos);
}

struct ConfirmCase {
  std::vector<Key> keys;
  bool default_yes;
  bool answer;
};

TEST_F(DialogsTest, YesNoBoxAnswers) {
  const ConfirmCase cases[] = {
      {{Key::Char('y')}, false, true},
      {{Key::Char('N')}, true, false},
      {{Key::Named(KeyId::kEsc)}, true, false},
      {{Key::Named(KeyId::kEnter)}, true, true},
      {{Key::Named(KeyId::kEnter)}, false, false},
      {{Key::Named(KeyId::kRight), Key::Named(KeyId::kEnter)}, true, false},
      {{Key::Named(KeyId::kTab), Key::Named(KeyId::kTab), Key::Char(' ')}, true, true},
  };
  for (const ConfirmCase& c : cases) {
    for (const Key& k : c.keys) backend.Press(k);
    EXPECT_EQ(
        ConfirmBox(screen, "Warning: Database not found !!!\nDo you want to Setup Directory NOW !!",
                   "ZUR", c.default_yes),
        c.answer);
  }
  EXPECT_NE(Shown().find("Do you want to Setup Directory NOW !!"), std::string::npos);
  EXPECT_NE(Shown().find("[ Yes ]"), std::string::npos);
}

TEST_F(DialogsTest, YesNoByClick) {
  // When the box waits, click on its "No" button wherever it was drawn.
  backend.on_idle = [](HeadlessBackend& b) {
    for (int r = 0; r < b.picture().rows(); ++r) {
      const size_t at = b.picture().RowBytes(r).find("[ No ]");
      if (at != std::string::npos) b.Click(r, static_cast<int>(at) + 2);
    }
  };
  EXPECT_FALSE(ConfirmBox(screen, "Continue?"));
}

TEST(WrapLinesTest, BreaksAndWraps) {
  EXPECT_EQ(WrapLines("a\r\nb\nc", 10), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(WrapLines("one two three", 8), (std::vector<std::string>{"one two", "three"}));
  EXPECT_EQ(WrapLines("abcdefghij", 4), (std::vector<std::string>{"abcd", "efgh", "ij"}));
  EXPECT_EQ(WrapLines("x\xa4\xa4\xb0\xea", 4), (std::vector<std::string>{"x\xa4\xa4", "\xb0\xea"}));
  EXPECT_EQ(WrapLines("", 4), (std::vector<std::string>{""}));
}

class FileDialogTest : public DialogsTest {
 protected:
  std::filesystem::path root;
  void SetUp() override {
    DialogsTest::SetUp();
    root = std::filesystem::temp_directory_path() /
           ("zur_file_dialog_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    std::filesystem::create_directories(root / "data");
    std::ofstream(root / "ATIMAST.DBF") << "x";
    std::ofstream(root / "readme.txt") << "x";
    std::ofstream(root / "data" / "pfmast.dbf") << "x";
  }
  void TearDown() override { std::filesystem::remove_all(root); }
  FileDialogOptions Options() {
    return {"Select Database/Directory eg. ATIMAST.DBF ",
            root.string(),
            {{"DBF", "*.DBF"}, {"*", "*.*"}}};
  }
};

TEST_F(FileDialogTest, BrowsesIntoAFolderAndPicksAFileOfTheFilter) {
  // The list: "..", "data/", "ATIMAST.DBF"; "data/" is lit first.
  backend.Press(KeyId::kEnter);  // into data
  backend.Press(KeyId::kDown);   // pfmast.dbf is lit already: Down stays on the last entry
  backend.Press(KeyId::kEnter);
  const auto picked = OpenFileDialog(screen, Options());
  ASSERT_TRUE(picked);
  EXPECT_EQ(*picked, (root / "data" / "pfmast.dbf").string());
  EXPECT_NE(Shown().find("ATIMAST.DBF"), std::string::npos);
  EXPECT_EQ(Shown().find("readme.txt"), std::string::npos);
  EXPECT_NE(Shown().find("Files of type: DBF (*.DBF)"), std::string::npos);
}

TEST_F(FileDialogTest, ParentFilterLettersAndCancel) {
  backend.Press(KeyId::kEnter);      // into data
  backend.Press(KeyId::kBackspace);  // back up: "data/" lit again
  backend.Press(KeyId::kTab);        // all files
  backend.Type("r");                 // readme.txt
  backend.Press(KeyId::kEnter);
  EXPECT_EQ(OpenFileDialog(screen, Options()), (root / "readme.txt").string());
  backend.Press(KeyId::kEsc);
  EXPECT_EQ(OpenFileDialog(screen, Options()), std::nullopt);
}

TEST_F(FileDialogTest, AFolderThatCannotBeReadListsOnlyTheWayUp) {
  FileDialogOptions options = Options();
  options.folder = (root / "missing").string();
  backend.Press(KeyId::kEnter);  // ".." : to the root folder
  backend.Press(KeyId::kEsc);
  EXPECT_EQ(OpenFileDialog(screen, options), std::nullopt);
  EXPECT_NE(Shown().find("(no files of this type)"), std::string::npos);
}

TEST_F(DialogsTest, InputBoxEditsAndCancels) {
  backend.Type("ab");
  backend.Press(KeyId::kBackspace);
  backend.Type("\xa4\xa4");
  backend.Press(KeyId::kEnter);
  EXPECT_EQ(InputBox(screen, "Input Box", "X", 10), "Xa\xa4\xa4");
  backend.Press(KeyId::kEsc);
  EXPECT_EQ(InputBox(screen, "Input Box", "X", 10), std::nullopt);
}

}  // namespace
}  // namespace zur::term
