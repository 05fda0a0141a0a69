#include <gtest/gtest.h>

#include "print/device/printer_device.h"
#include "run/reports/checking_reports.h"
#include "run/reports/report_page.h"
#include "run/reports/tests/page_text.h"

namespace zur::reports {
namespace {

using testing::ExpectedPage;
using testing::Pages;
using testing::SampleContext;

const print::PrinterKind kWindows{"WINDOW_PRINTER", "", true, 136};

ReportRecord Main(std::string stock_no, double ccass, double overdue, double transferred,
                  double due, double undue) {
  ReportRecord r;
  r.stock_no = std::move(stock_no);
  r.stock = "HSBC";
  r.account = "01";
  r.holding.ccass = ccass;
  r.holding.overdue = overdue;
  r.holding.transferred = transferred;
  r.holding.due = due;
  r.holding.undue = undue;
  return r;
}

void ShortageHeadings(ExpectedPage& p, const ReportContext& c, int width, int s, int page) {
  testing::Heading(p, c, width, "STOCK SHORTAGE REPORT", page, c.gen_date_dmyy);
  p.At(7, 21, "STK").At(7, 65 + s, "CURRENT").At(7, 112 + s, "SHORTAGE");
  p.At(8, 0, "STOCK NO & CODE").At(8, 22, "AC").At(8, 28 + s, "QTY ON CCASS");
  p.At(8, 43 + s, "CCASS OVERDUE").At(8, 61 + s, "ZUR +/- QTY").At(8, 77 + s, "T+1 DUE QTY");
  p.At(8, 95 + s, "UNDUE QTY").At(8, 112 + s, "QUANTITY");
  p.At(9, 0,
       std::string(78 + s, '-') + "(09/12/26)------(10/12/26)" + std::string(width - 104 - s, '-'));
}

TEST(Picture, CommasSignsAndOverflow) {
  EXPECT_EQ(Picture(0), "              0");
  EXPECT_EQ(Picture(1234567), "      1,234,567");
  EXPECT_EQ(Picture(-1000), "         -1,000");
  EXPECT_EQ(Picture(999999999999), "999,999,999,999");
  EXPECT_EQ(Picture(1000000000000), "***************");
  EXPECT_EQ(Picture(-999999999999999), "***************");
  EXPECT_EQ(Picture(1e300), "***************");
}

TEST(ShortageReport, PagesBreakAfterRow54WithTheOverdueNote) {
  ReportContext c = SampleContext();
  c.skip_unstl = true;
  std::vector<ReportRecord> records;
  for (int i = 0; i < 46; ++i) {
    records.push_back(Main(std::to_string(10000 + i), 1000, 0, 0, -3000, 0));
    ReportRecord other = records.back();
    other.account = "02";  // never listed
    records.push_back(other);
  }
  records.push_back(Main("20000", 5000, 0, 0, 0, 0));  // not short
  print::MemoryPrinter device;
  EXPECT_EQ(PrintShortageReport(device, kWindows, c, records), 2);
  const auto pages = Pages(device.text());
  ASSERT_EQ(pages.size(), 2u);

  ExpectedPage first;
  ShortageHeadings(first, c, 120, 0, 1);
  for (int i = 0; i < 44; ++i) {  // rows 11 to 54
    const int row = 11 + i;
    first.At(row, 0, std::to_string(10000 + i) + " HSBC").At(row, 22, "01");
    first.At(row, 25, "          1,000").At(row, 41 + 14, "-").At(row, 57 + 14, "-");
    first.At(row, 73, "         -3,000").At(row, 89 + 14, "-").At(row, 105, "         -2,000");
  }
  first.At(57, 0, "** This report does not include CCASS OVERDUE QTY.");
  EXPECT_EQ(pages[0], first.Text());

  ExpectedPage second;
  ShortageHeadings(second, c, 120, 0, 2);
  for (int row : {11, 12}) {
    second.At(row, 0, std::to_string(10033 + row) + " HSBC").At(row, 22, "01");
    second.At(row, 25, "          1,000").At(row, 55, "-").At(row, 71, "-");
    second.At(row, 73, "         -3,000").At(row, 103, "-").At(row, 105, "         -2,000");
  }
  // The end line one row below the print row, the note below it.
  second.At(14, 50, "** END OF REPORT **");
  second.At(15, 0, "** This report does not include CCASS OVERDUE QTY.");
  EXPECT_EQ(pages[1], second.Text());
}

TEST(ShortageReport, EightCharacterAccountsShiftTheColumnsAndPrintThePitch) {
  ReportContext c = SampleContext();
  c.eight_digit = true;
  c.compress = true;
  c.system_key = "SAS ";
  // Short only once the undue quantity is counted; the transfers do not hide a shortage of the
  // balance with the due quantity.
  std::vector<ReportRecord> records{Main("00005", 100, 50, 200, -300, -100)};
  records[0].account = "00000001";
  const print::PrinterKind epson{"EPSON", "", false, 136};
  print::MemoryPrinter device;
  EXPECT_EQ(PrintShortageReport(device, epson, c, records), 1);
  ASSERT_EQ(device.text().front(), '\x0f');
  ASSERT_EQ(device.text().back(), '\x12');
  const auto pages = Pages(device.text().substr(1));
  ASSERT_EQ(pages.size(), 1u);
  ExpectedPage p;
  testing::Heading(p, c, 126, "STOCK SHORTAGE REPORT - SAS", 1, c.gen_date_dmyy);
  p.At(7, 21, "STK").At(7, 71, "CURRENT").At(7, 118, "SHORTAGE");
  p.At(8, 0, "STOCK NO & CODE").At(8, 22, "AC").At(8, 34, "QTY ON CCASS");
  p.At(8, 49, "CCASS OVERDUE").At(8, 67, "ZUR +/- QTY").At(8, 83, "T+1 DUE QTY");
  p.At(8, 101, "UNDUE QTY").At(8, 118, "QUANTITY");
  p.At(9, 0, std::string(84, '-') + "(09/12/26)------(10/12/26)" + std::string(16, '-'));
  p.At(11, 0, "00005 HSBC").At(11, 22, "00000001").At(11, 31, "            100");
  p.At(11, 47, "             50").At(11, 63, "            200").At(11, 79, "           -300");
  p.At(11, 95, "           -100").At(11, 111, "           -150");
  p.At(13, 53, "** END OF REPORT **");
  EXPECT_EQ(pages[0], p.Text());
}

TEST(ShortageReport, NoShortStockPrintsNothing) {
  print::MemoryPrinter device;
  ReportContext c = SampleContext();
  c.compress = true;
  const print::PrinterKind epson{"EPSON", "", false, 136};
  EXPECT_EQ(PrintShortageReport(device, epson, c, {Main("1", 10, 0, 0, -5, 0)}), 0);
  EXPECT_EQ(device.text(), "");
}

}  // namespace
}  // namespace zur::reports
