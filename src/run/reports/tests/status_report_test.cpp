#include <gtest/gtest.h>

#include "print/device/printer_device.h"
#include "run/reports/checking_reports.h"
#include "run/reports/tests/page_text.h"

namespace zur::reports {
namespace {

using testing::ExpectedPage;
using testing::Pages;
using testing::SampleContext;

const print::PrinterKind kWindows{"WINDOW_PRINTER", "", true, 136};

ReportRecord Account(std::string stock_no, std::string account, double ccass) {
  ReportRecord r;
  r.stock_no = std::move(stock_no);
  r.stock = "CKH";
  r.account = std::move(account);
  r.holding.ccass = ccass;
  return r;
}

// Rows 1 to 5 and the column headings from row `r`, for 2-character (s = 0) or 8-character
// (s = 6) accounts.
void StatusHeadings(ExpectedPage& p, const ReportContext& c, int s, int r, int page,
                    const std::string& title = "ZUR STATUS REPORT") {
  const int width = 131 + 3 * s;
  testing::Heading(p, c, width, title, page, c.gen_date_text);
  p.At(r, 21, "STK")
      .At(r, 28 + s, std::string(29, '-') + " STOCK A/C STATUS " + std::string(29, '-'));
  p.At(r, 106 + s, std::string(5 + s, '-') + " ZUR GENERATED " + std::string(5 + s, '-'));
  p.At(r + 1, 0, "STOCK NO & CODE").At(r + 1, 22, "AC").At(r + 1, 28 + s, "QTY ON CCASS");
  p.At(r + 1, 43 + s, "CCASS OVERDUE").At(r + 1, 62 + s, "PF NET QTY");
  p.At(r + 1, 77 + s, "T+1 DUE QTY").At(r + 1, 95 + s, "UNDUE QTY").At(r + 1, 106 + s, "FROM");
  p.At(r + 1, 112 + 2 * s, "TO").At(r + 1, 119 + 2 * s, "TRANSFER QTY");
  p.At(r + 2, 0,
       std::string(62 + s, '-') + "(08/12/26)------(09/12/26)------(10/12/26)" +
           std::string(width - 104 - s, '-'));
}

TEST(StatusReport, LinesWithShortSellingNotesAndDueBought) {
  ReportContext c = SampleContext();
  c.skip_unstl = true;
  std::vector<ReportRecord> records;
  ReportRecord main = Account("00001", "01", 5000);
  main.holding.overdue = -200;
  main.holding.net = 1000;
  main.holding.due = 777;  // never shown on "01"
  main.from = "01";
  main.to = "02";
  main.transfer_qty = 1500;
  records.push_back(main);
  ReportRecord a = Account("00001", "02", 0);
  a.holding.overdue = 999;  // never shown on other accounts
  a.holding.net = 1500;
  a.holding.due = -300;
  a.holding.short_cover = 100;
  a.short_settled = 300;
  a.due_bought = 2000;
  records.push_back(a);
  ReportRecord b = Account("00001", "03", 10);
  b.holding.undue = 40;
  b.short_settled = 5;
  b.short_unsettled = 6;
  b.due_bought = 7;
  records.push_back(b);
  records.push_back(Account("00002", "01", 0));  // "01" with nothing: passed over
  records.push_back(Account("00003", "04", 0));
  records.push_back(Account("00003", "05", 0));

  print::MemoryPrinter device;
  EXPECT_EQ(PrintStatusReport(device, kWindows, c, records), 1);
  const auto pages = Pages(device.text());
  ASSERT_EQ(pages.size(), 1u);
  ExpectedPage p;
  StatusHeadings(p, c, 0, 7, 1);
  p.At(11, 0, "00001 CKH")
      .At(11, 22, "01")
      .At(11, 25, "          5,000")
      .At(11, 41, "           -200");
  p.At(11, 57, "          1,000")
      .At(11, 107, "01")
      .At(11, 112, "02")
      .At(11, 116, "          1,500");
  p.At(12, 22, "02").At(12, 39, "-").At(12, 57, "          1,600").At(12, 73, "           -300");
  p.At(12, 103, "-");
  p.At(13, 24, "(Insufficient Qty for Settlement").At(13, 57, "           -100");
  p.At(13, 73, "           -300").At(13, 88, ")");
  p.At(13, 92, "(Include T+1 Due Bought           2,000)");
  p.At(14, 22, "03").At(14, 25, "             10").At(14, 71, "-").At(14, 87, "-");
  p.At(14, 89, "             40");
  p.At(15, 24, "(Insufficient Qty for Settlement").At(15, 73, "             -5");
  p.At(15, 89, "             -6").At(15, 104, ")");
  p.At(16, 92, "(Include T+1 Due Bought               7)");
  // A new stock after one blank row; the stock "00002" left no trace.
  p.At(18, 0, "00003 CKH").At(18, 22, "04").At(18, 39, "-").At(18, 71, "-").At(18, 87, "-");
  p.At(18, 103, "-");
  p.At(19, 22, "05").At(19, 39, "-").At(19, 71, "-").At(19, 87, "-").At(19, 103, "-");
  p.At(21, 56, "** END OF REPORT **");
  p.At(22, 0, "** This report does not include CCASS OVERDUE QTY.");
  EXPECT_EQ(pages[0], p.Text());
}

TEST(StatusReport, ZurStockOnlyWithEightCharacterAccounts) {
  ReportContext c = SampleContext();
  c.ati_only = true;
  c.eight_digit = true;
  c.compress = true;
  c.tran_date_matches_cas = false;
  std::vector<ReportRecord> records;
  records.push_back(Account("00700", "00000001", 100));  // no transfer: passed over
  ReportRecord shorted = Account("00700", "00000012", 0);
  shorted.holding.short_cover = 50;  // listed for its note although nothing moves
  records.push_back(shorted);
  records.push_back(Account("00700", "00000013", 300));  // nothing to do: passed over
  ReportRecord moved = Account("00800", "00000001", 0);
  moved.holding.transferred = -20;
  moved.holding.net = 20;
  records.push_back(moved);

  const print::PrinterKind laser{"LASERJET", "", false, 136};
  print::MemoryPrinter device;
  EXPECT_EQ(PrintStatusReport(device, laser, c, records), 1);
  const std::string on = "\x1b(s0p21H", off = "\x1b(s0p10H";
  ASSERT_EQ(device.text().substr(0, on.size()), on);
  ASSERT_EQ(device.text().substr(device.text().size() - off.size()), off);
  const auto pages = Pages(device.text().substr(on.size()));
  ASSERT_EQ(pages.size(), 1u);
  ExpectedPage p;
  StatusHeadings(p, c, 6, 8, 1, "ZUR STATUS REPORT -- REQUIRE ZUR STOCK ONLY");
  p.At(6, 0, "***  warning : Tran Date NOT MATCH with CCASS Stock report date  ***");
  p.At(12, 0, "00700 CKH").At(12, 22, "00000012").At(12, 45, "-").At(12, 63, "             50");
  p.At(12, 79 + 14, "-").At(12, 95 + 14, "-");
  p.At(13, 30, "(Insufficient Qty for Settlement").At(13, 63, "            -50").At(13, 78, ")");
  p.At(15, 0, "00800 CKH").At(15, 22, "00000001").At(15, 45, "-").At(15, 61, "-");
  p.At(15, 63, "             20");
  p.At(17, 65, "** END OF REPORT **");
  EXPECT_EQ(pages[0], p.Text());
}

TEST(StatusReport, NoLinePrintsTheNoRecordPage) {
  ReportContext c = SampleContext();
  c.skip_unstl = true;
  print::MemoryPrinter device;
  EXPECT_EQ(PrintStatusReport(device, kWindows, c, {Account("00001", "01", 0)}), 1);
  const auto pages = Pages(device.text());
  ASSERT_EQ(pages.size(), 1u);
  ExpectedPage p;
  StatusHeadings(p, c, 0, 7, 1);
  p.At(16, 39, "** There is no ZUR record generated in current day **");
  p.At(18, 56, "** END OF REPORT **");
  EXPECT_EQ(pages[0], p.Text());
}

TEST(StatusReport, PageBreaksFromRow54RepeatTheStock) {
  ReportContext c = SampleContext();
  std::vector<ReportRecord> records;
  for (int i = 0; i < 44; ++i) records.push_back(Account("00005", std::to_string(10 + i), 1));
  print::MemoryPrinter device;
  EXPECT_EQ(PrintStatusReport(device, kWindows, c, records), 2);
  const auto pages = Pages(device.text());
  ASSERT_EQ(pages.size(), 2u);
  ExpectedPage second;
  StatusHeadings(second, c, 0, 7, 2);
  // Rows 11 to 53 hold 43 lines; the 44th starts the next page with its stock again.
  for (int row : {11}) {
    second.At(row, 0, "00005 CKH").At(row, 22, "53").At(row, 25, "              1");
    second.At(row, 71, "-").At(row, 87, "-").At(row, 103, "-");
  }
  second.At(13, 56, "** END OF REPORT **");
  EXPECT_EQ(pages[1], second.Text());
  EXPECT_NE(pages[0].find("\n                      52 "), std::string::npos);
  EXPECT_EQ(pages[0].find("Page:   2"), std::string::npos);
}

TEST(EndOfRun, UploadFileMessages) {
  EXPECT_EQ(EndOfRunMessages("Z1208.TXT", "S1208.TXT", false),
            std::vector<std::string>{"CCASS ZUR Upload File Z1208.TXT is generated !"});
  EXPECT_EQ(EndOfRunMessages("Z", "S", true).back(), "CCASS STI Upload File S is generated !");
}

}  // namespace
}  // namespace zur::reports
