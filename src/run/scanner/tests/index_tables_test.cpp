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

TEST_F(IndexTablesTest, PageIndexRoundTripsThroughItsTable) {
  std::vector<PageRow> pages = {
      {"STI STATUS REPORT", 1, 0, "08DEC26", "18:05:33"},
      {"DAILY STOCK BALANCE REPORT", 2, 9999999999, "08DEC26", "18:06:00"},
      {std::string(kReportNameWidth, 'N'), 99999, 123, "", ""},
  };
  auto info = Create("RPINFO.DBF", PageIndexFields());
  WritePageIndex(*info, pages);
  EXPECT_EQ(info->RecCount(), 3u);
  EXPECT_EQ(ReadPageIndex(*info), pages);
  info->GoTo(1);
  EXPECT_EQ(info->Get("REPAGE").num(), 0);

  // An offset wider than its field is refused, not written wrong.
  EXPECT_THROW(WritePageIndex(*info, std::vector<PageRow>{{"X", 1, 10000000000, "", ""}}),
               dbf::Error);
}

TEST_F(IndexTablesTest, ReportIndexRecords) {
  auto optn = Create("RPOPTN.DBF", ReportIndexFields());
  WriteReportIndex(*optn, BuildReportIndex({}));
  WriteReportIndex(*optn, std::vector<ReportRow>{{"SETTLEMENT REPORT", "08DEC26", "18:05", 3}});
  ASSERT_EQ(optn->RecCount(), 2u);
  optn->GoTo(1);
  EXPECT_EQ(optn->Get("RNAME").str(), std::string(kReportNameWidth, ' '));
  optn->GoTo(2);
  EXPECT_EQ(optn->Get("RNAME").str().substr(0, 18), "SETTLEMENT REPORT ");
  EXPECT_EQ(optn->Get("RTIME").str(), "18:05");
  EXPECT_EQ(optn->Get("REPAGE").num(), 3);
  EXPECT_EQ(optn->Get("PFROM").num(), 0);
}

TEST_F(IndexTablesTest, DamagedNumbersAreClamped) {
  auto info = Create("RPINFO.DBF", PageIndexFields());
  info->Append();
  info->Replace("RNAME", Value("SETTLEMENT REPORT"));
  info->Replace("ROFFSET", Value(-5.0));
  info->Replace("RPAGE", Value(-3));
  info->Append();
  info->Replace("RNAME", Value("GONE"));
  info->Delete();
  std::vector<PageRow> pages = ReadPageIndex(*info);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].offset, 0u);
  EXPECT_EQ(pages[0].page, -3);
}

}  // namespace
}  // namespace zur::scanner
