#include "app/startup/directory_check.h"

#include <gtest/gtest.h>

#include "app/upgrade/tests/test_tables.h"

namespace zur::startup {
namespace {

using upgrade::testing::TempDir;
using upgrade::testing::WriteBytes;
namespace fs = std::filesystem;

class DirectoryCheckTest : public ::testing::Test {
 protected:
  DirectoryCheck Check(std::string exe) {
    DirectoryCheck c;
    c.current_dir = dir.path();
    c.exe_path = std::move(exe);
    return c;
  }
  TempDir dir;
};

TEST_F(DirectoryCheckTest, ProgramInTheDatabaseDirectoryNeedsItsSavedVariables) {
  const auto check = Check((dir.path() / "zur").string());
  EXPECT_EQ(CheckDirectories(check).error, "Error: ZUR.XBS not found !!!");
  WriteBytes(dir.path() / "ZUR.XBS", "");
  const DirectoryCheckResult r = CheckDirectories(check);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.data_dir, dir.path());
  EXPECT_EQ(dir.Files(), (std::set<std::string>{"ZUR.XBS"}));  // the write probe is gone
  EXPECT_FALSE(fs::exists(dir.path() / "ZUR.INI"));
}

TEST_F(DirectoryCheckTest, DeclinedChecksAreSkipped) {
  WriteBytes(dir.path() / "ZUR.INI", "[CHECKPATH]\r\nCHECKPATH=N\r\n");
  const DirectoryCheckResult r = CheckDirectories(Check("/opt/zur/lib/zur"));
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.data_dir, dir.path());
}

TEST_F(DirectoryCheckTest, SeparateInstallationFindsBothDirectories) {
  fs::create_directories(dir.path() / "DATA");
  fs::create_directories(dir.path() / "LIB");
  WriteBytes(dir.path() / "DATA" / "ATIMAST.DBF", "");
  WriteBytes(dir.path() / "LIB" / std::string(kLibraryMarker), "");
  const std::string lib = (dir.path() / "LIB").string();
  WriteBytes(dir.path() / "ZUR.INI",
             "[CHECKPATH]\r\nCHECKPATH=Y\r\n[DBF]\r\n  DBF=DATA\r\n[LIB]\r\nLIB=" + lib + "\r\n");
  const auto check = Check(lib + "/zur");
  EXPECT_EQ(CheckDirectories(check).error, "Error: ZUR.XBS not found !!!");

  WriteBytes(dir.path() / "DATA" / "ZUR.XBS", "");
  const DirectoryCheckResult r = CheckDirectories(check);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.data_dir, dir.path() / "DATA");
  EXPECT_EQ(r.library_dir, lib);
}

TEST_F(DirectoryCheckTest, SeparateInstallationStopsWhereTheSetUpWouldBeOffered) {
  EXPECT_EQ(CheckDirectories(Check("/opt/Lib/zur")).error, "Error: Database not found !!!");
  fs::create_directories(dir.path() / "DATA");
  WriteBytes(dir.path() / "DATA" / "ATIMAST.DBF", "");
  WriteBytes(dir.path() / "ZUR.INI", "DBF=DATA\r\nLIB=/nowhere");
  EXPECT_EQ(CheckDirectories(Check("/opt/Lib/zur")).error, "Error: LIB Directory not found !!!");
}

TEST_F(DirectoryCheckTest, TheSetUpScreenIsAskedWhereADirectoryIsMissing) {
  fs::create_directories(dir.path() / "DATA");
  WriteBytes(dir.path() / "DATA" / "ATIMAST.DBF", "");
  WriteBytes(dir.path() / "DATA" / "ZUR.XBS", "");
  WriteBytes(dir.path() / "ZUR.INI", "DBF=DATA\r\nLIB=/nowhere");
  DirectorySetupRequest asked;
  DirectorySetupAnswer answer;
  auto check = Check("/opt/lib/zur");
  check.setup = [&](const DirectorySetupRequest& r) {
    asked = r;
    return answer;
  };

  answer = {DirectorySetupAnswer::Kind::kFailed, "", "", "Error: LIB Directory not found !!!"};
  EXPECT_EQ(CheckDirectories(check).error, "Error: LIB Directory not found !!!");
  EXPECT_TRUE(asked.found_dbf);
  EXPECT_FALSE(asked.found_lib);
  EXPECT_EQ(asked.dbf_path, (dir.path() / "DATA").string());
  EXPECT_EQ(asked.lib_path, "/nowhere");

  answer = {DirectorySetupAnswer::Kind::kDeclined, "", "", ""};
  DirectoryCheckResult r = CheckDirectories(check);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.data_dir, dir.path());

  // A completed set-up names the database directory as typed, relative to the current one.
  answer = {DirectorySetupAnswer::Kind::kCompleted, "DATA", "/opt/lib", ""};
  r = CheckDirectories(check);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.data_dir, dir.path() / "DATA");
  EXPECT_EQ(r.library_dir, "/opt/lib");
}

TEST_F(DirectoryCheckTest, UnreadableInitialisationFileIsNamed) {
  fs::create_directories(dir.path() / "ZUR.INI" / "x");  // a directory where the file belongs
  const DirectoryCheckResult r = CheckDirectories(Check("/opt/lib/zur"));
  EXPECT_NE(r.error.find("ZUR.INI"), std::string::npos) << r.error;
}

}  // namespace
}  // namespace zur::startup
