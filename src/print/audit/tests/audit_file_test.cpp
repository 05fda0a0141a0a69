#include "print/audit/audit_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zur::print {
namespace {

namespace fs = std::filesystem;

class AuditFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zur_audit_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(AuditFileTest, FolderRules) {
  AuditSettings s{std::nullopt, "ROVERU", "/work/run", false};
  EXPECT_EQ(AuditDirectory(s), "/work/run/SBAUDIT");
  s.audit_dir = " D:\\REPORTS\\AUDIT\\ ";
  EXPECT_EQ(AuditDirectory(s), "D:/REPORTS/AUDIT");
  s.audit_dir = "/var/audit/";
  EXPECT_EQ(AuditDirectory(s), "/var/audit");
  s.site = "GUNITA ";
  EXPECT_EQ(AuditDirectory(s), "/work/run/SBAUDIT");
  s.site = "GUNITA2";  // a longer site code of the same site
  EXPECT_EQ(AuditDirectory(s), "/work/run/SBAUDIT");
  s.site = "";
  s.audit_dir = "   ";
  EXPECT_EQ(AuditDirectory(s), "/work/run/SBAUDIT");
}

TEST_F(AuditFileTest, EachReportGetsItsOwnNewFile) {
  AuditSettings s{std::nullopt, "", dir_.string(), true};
  const std::string a = AuditRpt(s);
  const std::string b = AuditRpt(s);
  EXPECT_NE(a, b);
  EXPECT_EQ(fs::path(a).parent_path(), dir_ / "SBAUDIT");
  EXPECT_EQ(fs::path(a).extension(), ".RPT");
  EXPECT_TRUE(fs::exists(a));
  EXPECT_EQ(fs::file_size(a), 0u);

  s.audit_dir = (dir_ / "preset").string() + "/";
  s.windowed = false;
  TextPrinter printer;
  const std::string c = AuditRpt(s, printer, {});
  EXPECT_EQ(fs::path(c).parent_path(), dir_ / "preset");
  EXPECT_EQ(printer.target(), c);
}

TEST_F(AuditFileTest, UnwritableFolderIsAnErrorNamingIt) {
  AuditSettings s{(dir_ / "file" / "sub").string(), "", dir_.string(), true};
  fs::path blocker = dir_ / "file";
  {
    std::FILE* f = std::fopen(blocker.c_str(), "w");
    std::fclose(f);
  }
  try {
    AuditRpt(s);
    FAIL() << "no error";
  } catch (const AuditError& e) {
    EXPECT_NE(std::string(e.what()).find((dir_ / "file" / "sub").string()), std::string::npos);
  }
}

}  // namespace
}  // namespace zur::print
