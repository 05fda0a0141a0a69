#include "run/reports/print_checking_reports.h"

#include <gtest/gtest.h>

#include "lib/format/date_text.h"
#include "run/determine/holdings_table.h"
#include "run/reports/tests/page_text.h"
#include "run/reports/tests/reports_fixture.h"

namespace zur::reports {
namespace {

using determine::testing::Row;

using PrintCheckingReportsTest = testing::ReportsTest;

TEST_F(PrintCheckingReportsTest, ContextFromTheRunsVariables) {
  SetVars("08DEC26");
  ReportContext c = ContextFromVars(vars_, clock_);
  EXPECT_EQ(c.tran_date_text, "08/12/26");
  EXPECT_EQ(c.gen_date_dmyy, format::Dmyy(*Date::FromYmd(2026, 12, 9)));
  EXPECT_TRUE(c.tran_date_matches_cas);
  EXPECT_FALSE(c.eight_digit);
  EXPECT_EQ(c.time_of_day, "19:05:07");
  SetVars("07DEC26");
  vars_.Set("CAS3_0705", Value(*Date::FromYmd(2007, 5, 7)));
  vars_.Set("COMPRESS", Value("Y"));
  vars_.Set("SKIP_UNSTL", Value(true));
  c = ContextFromVars(vars_, clock_);
  EXPECT_FALSE(c.tran_date_matches_cas);
  EXPECT_TRUE(c.eight_digit);
  EXPECT_TRUE(c.compress);
  EXPECT_TRUE(c.skip_unstl);
}

TEST_F(PrintCheckingReportsTest, RecordsInStockAndAccountOrderAndBothReportsPrinted) {
  MakeTable(false);
  AddRows({{"700", "02", 0, 0, 100}, {"5", "01", 10, 0, 0, -50}, {"700", "01", 500}});
  zur_->GoTop();
  zur_->Replace("ASSTLQTY", Value(30.0));
  zur_->Replace("AATIQTY1", Value(40.0));
  const std::vector<ReportRecord> records = ReadReportRecords(*zur_);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].account, "01");
  EXPECT_EQ(records[0].holding.due, -50);
  EXPECT_EQ(records[1].account, "01");
  EXPECT_EQ(records[2].account, "02");
  EXPECT_EQ(records[0].short_settled, 30);
  EXPECT_EQ(records[0].due_bought, 40);
  EXPECT_EQ(records[2].short_settled, 0);
  EXPECT_EQ(records[2].stock.substr(0, 9), "STOCK 700");

  SetVars("08DEC26");
  vars_.Set("USER_KEY", Value("LETURA2"));  // every site code beginning "LETURA"
  print::MemoryPrinter device;
  std::vector<std::string> calls;
  ReportHooks hooks{
      [&](std::string_view t, std::string_view job) {
        calls.push_back("begin " + std::string(t) + " " + std::string(job));
      },
      [&](std::string_view t, std::string_view) { calls.push_back("end " + std::string(t)); }};
  PrintCheckingReports(*zur_, vars_, device, {"EPSON", "", false, 136}, clock_, hooks);
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "begin STOCK SHORTAGE REPORT SHORTAGE", "end STOCK SHORTAGE REPORT",
                       "begin ZUR STATUS REPORT STATUS", "end ZUR STATUS REPORT"}));
  const auto pages = testing::Pages(device.text());
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages[0].find("STOCK SHORTAGE REPORT - SZMK"), std::string::npos);
  EXPECT_NE(pages[1].find("ZUR STATUS REPORT - SZMK"), std::string::npos);
  EXPECT_NE(pages[1].find("Print on: 08/12/26"), std::string::npos);
  // The hyphen rows under the column headings are as wide as the report, dates dd/mm/yy.
  auto hyphen_row = [](const std::string& page, const std::string& dates) {
    const size_t at = page.find(dates);
    if (at == std::string::npos) return std::string();
    const size_t begin = page.rfind('\n', at) + 1;
    return page.substr(begin, page.find("\r\n", at) - begin);
  };
  const std::string shortage_row = hyphen_row(pages[0], "(09/12/26)------(10/12/26)");
  EXPECT_EQ(shortage_row.size(), 120u) << shortage_row;
  const std::string status_row = hyphen_row(pages[1], "(08/12/26)------(09/12/26)------(10/12/26)");
  EXPECT_EQ(status_row.size(), 131u) << status_row;
}

TEST_F(PrintCheckingReportsTest, AMissingFieldNamesTheTable) {
  std::vector<dbf::FieldSpec> fields = determine::testing::HoldingsFields();
  std::erase_if(fields, [](const dbf::FieldSpec& f) { return f.name == "ASUSTLQTY"; });
  MakeTable(false, fields);
  try {
    ReadReportRecords(*zur_);
    FAIL() << "no error";
  } catch (const zur::determine::HoldingsError& e) {
    EXPECT_NE(std::string(e.what()).find("ATIMAST.DBF"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("ASUSTLQTY"), std::string::npos);
  }
}

}  // namespace
}  // namespace zur::reports
