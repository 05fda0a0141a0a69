#include "screens/directory_setup.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "screens/extract_path.h"
#include "screens/tests/screens_fixture.h"

namespace zur::screens {
namespace {

namespace fs = std::filesystem;
using Kind = startup::DirectorySetupAnswer::Kind;
using term::KeyId;

class DirectorySetupTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    dir_ = ScratchDir("zur-setup");
    fs::create_directories(dir_ / "DATA");
    fs::create_directories(dir_ / "zurlib");
    Touch(dir_ / "DATA" / "ATIMAST.DBF");
    Touch(dir_ / "zurlib" / std::string(startup::kLibraryMarker));
    request_.current_dir = dir_;
    request_.exe_path = (dir_ / "zurlib" / "zur").string();
    request_.ini_name = "ZUR.INI";
  }
  void TearDown() override { fs::remove_all(dir_); }
  static void Touch(const fs::path& p) { std::ofstream(p) << ""; }
  std::string Ini() const {
    std::ifstream in(dir_ / "ZUR.INI", std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  startup::DirectorySetupAnswer Run() { return DirectorySetup(screen, request_); }

  fs::path dir_;
  startup::DirectorySetupRequest request_;
};

TEST_F(DirectorySetupTest, DeclinedSetUpIsRemembered) {
  backend.Type("n");
  EXPECT_EQ(Run().kind, Kind::kDeclined);
  EXPECT_EQ(Ini(), "[CHECKPATH]\r\nCHECKPATH=N\r\n");
  EXPECT_EQ(WaitsShowing("Do you want to Setup Directory NOW !!"), 1);
}

TEST_F(DirectorySetupTest, CompletedSetUpNamesBothDirectories) {
  backend.Type("y");
  backend.Type("DATA");
  Press(KeyId::kEnter);
  Press(KeyId::kEnter);  // the library directory is the program's
  const startup::DirectorySetupAnswer a = Run();
  ASSERT_EQ(a.kind, Kind::kCompleted) << a.error;
  const std::string lib = (dir_ / "zurlib").string() + "/";
  EXPECT_EQ(a.dbf_path, "DATA");
  EXPECT_EQ(a.lib_path, lib);
  EXPECT_EQ(Ini(),
            "[CHECKPATH]\r\nCHECKPATH=Y\r\n[DBF]\r\nDBF=DATA\r\n[LIB]\r\nLIB=" + lib + "\r\n");
  // The screen as it waited for the database directory.
  EXPECT_EQ(RowOf(pictures().at(1), 2), std::string(24, ' ') + "ZUR Setup");
  EXPECT_EQ(RowOf(pictures().at(1), 7).substr(0, 25), "   Database Directory : [");
  EXPECT_EQ(RowOf(pictures().at(1), 7).substr(65, 8), "]Browse");
  EXPECT_EQ(RowOf(pictures().at(1), 9).substr(25, lib.size() < 40 ? lib.size() : 40),
            lib.substr(0, 40));
  EXPECT_EQ(RowOf(pictures().at(1), 14).substr(25), "To obtain support, please call");
}

TEST_F(DirectorySetupTest, WrongDirectoriesEndTheProgram) {
  const struct {
    const char* dbf;
    const char* lib;
    const char* error;
  } cases[] = {
      {"", "", "Error: Database not found !!!"},
      {"NOWHERE", "", "Error: Database not found !!!"},
      {"DATA", "/nowhere", "Error: LIB Directory not found !!!"},
  };
  for (const auto& c : cases) {
    request_.dbf_path = c.dbf;
    request_.lib_path = c.lib;
    request_.found_lib = true;  // as given, not the program's directory
    backend.Type("y");
    Press(KeyId::kPgDn);
    const startup::DirectorySetupAnswer a = Run();
    EXPECT_EQ(a.kind, Kind::kFailed) << c.dbf;
    EXPECT_EQ(a.error, c.error) << c.dbf;
  }
  EXPECT_FALSE(fs::exists(dir_ / "ZUR.INI"));
}

TEST_F(DirectorySetupTest, BrowsedFileGivesItsDirectory) {
  fs::current_path(dir_ / "DATA");
  backend.Type("y");
  ClickCell(7, 67);
  Press(KeyId::kEnter);  // ATIMAST.DBF, the dialog's first file
  Press(KeyId::kPgDn);   // goes to the Browse button, which ignores it
  ClickCell(7, 30);
  Press(KeyId::kPgDn);
  const startup::DirectorySetupAnswer a = Run();
  fs::current_path(dir_.parent_path());
  ASSERT_EQ(a.kind, Kind::kCompleted) << a.error;
  EXPECT_EQ(a.dbf_path, (dir_ / "DATA").string() + "/");
}

TEST_F(DirectorySetupTest, ExtractPath2) {
  const struct {
    std::optional<std::string> chosen;
    PathKind kind;
    const char* result;
  } cases[] = {
      {std::nullopt, PathKind::kDirectory, "/old"},
      {"", PathKind::kFile, "/old"},
      {"/srv/zur/ATIMAST.DBF", PathKind::kDirectory, "/srv/zur/      "},
      {"/srv/zur/ATIMAST.DBF", PathKind::kFile, "/srv/zur/ATIMAST.DBF"},
      {"/srv/zur/20140707", PathKind::kFile, "/srv/zur/20140707"},  // longer: not cut
  };
  for (const auto& c : cases) {
    screen.keyboard().Clear();
    EXPECT_EQ(ExtractPath2(screen, c.chosen, c.kind, "/old", 15), c.result);
    // A chosen path moves a console entry on with Down.
    EXPECT_EQ(screen.keyboard().size(), c.chosen && !c.chosen->empty() ? 1u : 0u);
  }
}

}  // namespace
}  // namespace zur::screens
