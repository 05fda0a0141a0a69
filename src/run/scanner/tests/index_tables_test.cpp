#include "run/scanner/index_tables.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace zur::scanner {
namespace {

class IndexTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/zur_scan_tables_XXXXXX";
    ASSERT_TRUE(::mkdtemp(name));
    dir_ = name;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::unique_ptr<dbf::Table> Create(const char* file, const std::vector<dbf::FieldSpec>& fields) {
    dbf::Table::Create(dir_ / file, fields);
    return dbf::Table::Open(dir_ / file, dbf::Share::kExclusive);
  }
  std::filesystem::path dir_;
};

TEST_F(IndexTablesTest, PageIndexRoundTripsAndDamageIsClamped) {
  std::vector<PageRow> pages = {
      {"STI STATUS REPORT", 1, 0, "08DEC26", "18:05:33"},
      {std::string(kReportNameWidth, 'N'), 99999, 9999999999, "", ""},
  };
  auto info = Create("RPINFO.DBF", PageIndexFields());
  WritePageIndex(*info, pages);
  EXPECT_EQ(ReadPageIndex(*info), pages);
  // An offset wider than its field is refused, not written wrong.
  EXPECT_THROW(WritePageIndex(*info, std::vector<PageRow>{{"X", 1, 10000000000, "", ""}}),
               dbf::Error);

  info->Zap();
  info->Append();
  info->Replace("ROFFSET", Value(-5.0));
  info->Append();
  info->Delete();
  pages = ReadPageIndex(*info);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].offset, 0u);
}

TEST_F(IndexTablesTest, ReportIndexRecords) {
  auto optn = Create("RPOPTN.DBF", ReportIndexFields());
  WriteReportIndex(*optn, BuildReportIndex({}));
  WriteReportIndex(*optn, std::vector<ReportRow>{{"SETTLEMENT REPORT", "08DEC26", "18:05", 3}});
  ASSERT_EQ(optn->RecCount(), 2u);
  optn->GoTo(1);
  EXPECT_EQ(optn->Get("RNAME").str(), std::string(kReportNameWidth, ' '));
  optn->GoTo(2);
  EXPECT_EQ(optn->Get("RTIME").str(), "18:05");
  EXPECT_EQ(optn->Get("REPAGE").num(), 3);
  EXPECT_EQ(optn->Get("PFROM").num(), 0);
}

}  // namespace
}  // namespace zur::scanner
