#include "run/readers/stock_balance_reader.h"

#include <gmock/gmock.h>

#include "run/operator/run_stopped.h"
#include "run/readers/tests/reader_fixture.h"

namespace zur::readers {
namespace {

using testing::At;
using ::testing::HasSubstr;
using testing::Line;
using testing::ReportPage;

std::string Num(const std::string& text, size_t width = 15) {
  return text::PadL(text, width);
}

class StockBalanceReaderTest : public testing::ReaderTest {
 protected:
  void SetUp() override {
    ReaderTest::SetUp();
    AddStock("11", "HANG SENG BANK", "HK0011000095");
    sm_->CreateOrder("SMNO", "STRVAL3(MSTKNO)");
  }
  StockBalanceResult Read(const std::string& report, const StockBalanceInputs& in,
                          bool eight_digit_accounts) {
    auto source = Report(report);
    HoldingsBook book = Book(eight_digit_accounts);
    return ReadStockBalanceReport(source, in, book, op_);
  }
  using ReaderTest::Read;
};

TEST_F(StockBalanceReaderTest, ThreeBlocksALineShiftedByTheReportDate) {
  std::vector<std::string> body = {
      Line({{3, "REPORT DATE : 08DEC2026"}}),
      Line({{3, " STK AC "}, {20, "QUANTITY"}}),
      Line({{3, "0005"}, {10, "HSBC HOLDINGS"}}),
      Line({{8, "01"},
            {11, Num("1,000")},
            {27, Num("123,456.00", 22)},
            {51, "12"},
            {54, Num("300")},
            {70, Num("2,000.00", 22)},
            {94, "15"},
            {97, Num("40")},
            {113, Num("N/A", 22)}}),
      // A value that reads as 0 and a zero quantity are no holdings; a zero-led value is.
      Line({{8, "12"},
            {11, Num("500")},
            {27, Num("-", 22)},
            {51, "01"},
            {54, Num("0")},
            {70, Num("1.00", 22)},
            {94, "12"},
            {97, Num("250")},
            {113, Num("0.00", 22)}}),
      Line({{3, "0011"}, {10, "HANG SENG BANK"}}),
      Line({{8, "01"}, {11, Num("2,000-")}, {27, Num("9,999.00", 22)}}),
      Line({{3, "PORTFOLIO VALUE"}}),
      Line({{8, "15"}, {11, Num("777")}, {27, Num("1.00", 22)}}),
  };
  StockBalanceResult r =
      Read(ReportPage("DAILY STOCK BALANCE REPORT", 1, body), StockBalanceInputs{}, false);
  EXPECT_EQ(r.report_name, "DAILY STOCK BALANCE REPORT");
  EXPECT_TRUE(r.new_report);
  EXPECT_FALSE(r.cas3_rpt);
  EXPECT_EQ(r.right_shift, 2);
  EXPECT_EQ(r.cas_date, "08DEC26");
  EXPECT_EQ(r.cas_time, "18:05:33");
  EXPECT_EQ(r.cas_page, 1);
  EXPECT_EQ(r.holdings, 5);
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 4u);
  EXPECT_EQ(At(h, 5, "01").balance, 1000);
  EXPECT_EQ(At(h, 5, "12").balance, 550);
  EXPECT_EQ(At(h, 5, "15").balance, 40);
  EXPECT_EQ(At(h, 11, "01").balance, -2000);
  EXPECT_EQ(At(h, 11, "01").name, "HANG SENG BANK");
  EXPECT_EQ(At(h, 11, "01").isin, "HK0011000095");
  EXPECT_EQ(op_.events.front(), "progress: Reading \"DAILY STOCK BALANCE REPORT\" report ...");
}

TEST_F(StockBalanceReaderTest, FiveDigitStockColumnMovesTheBlocks) {
  // " STK/ " marks the 5-wide stock number; the second account is taken one column left of
  // its block when that column is filled.
  std::vector<std::string> body = {
      Line({{1, "REPORT DATE : 08DEC2026"}}),
      Line({{1, " STK/ STOCK NAME"}}),
      Line({{1, "00005"}, {8, "HSBC"}}),
      Line({{7, "01"},
            {10, Num("1,000")},
            {26, Num("1.00", 22)},
            {49, "15"},
            {53, Num("60")},
            {69, Num("1.00", 22)}}),
  };
  StockBalanceResult r =
      Read(ReportPage("DAILY STOCK BALANCE REPORT", 1, body), StockBalanceInputs{}, false);
  EXPECT_TRUE(r.cas3_rpt);
  EXPECT_EQ(r.stk_shift, 1);
  EXPECT_EQ(r.right_shift, 0);
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 2u);
  EXPECT_EQ(At(h, 5, "01").balance, 1000);
  EXPECT_EQ(At(h, 5, "15").balance, 60);
}

TEST_F(StockBalanceReaderTest, StatementOfStockAccounts) {
  std::vector<std::string> body = {
      Line({{1, "STATEMENT DATE : 08/12/2026"}}),
      Line({{1, "0005"}, {7, "HSBC HOLDINGS"}}),
      Line({{3, "A/C 01"},
            {12, "OPENING BAL :"},
            {26, Num("1,000", 16)},
            {44, "CLOSING BAL :"},
            {57, Num("1,200", 16)}}),
      Line({{3, "A/C 12"},
            {12, "OPENING BAL :"},
            {26, Num("5", 16)},
            {44, "CLOSING BAL :"},
            {57, Num("0", 16)}}),
      Line({{1, "0011"}, {7, "HANG SENG BANK"}}),
      Line({{3, "A/C 15"}, {12, "OPENING BAL :"}, {44, "CLOSING BAL :"}, {57, Num("300", 16)}}),
      Line({{3, "END OF REPORT"}}),
      Line({{3, "A/C 16"}, {12, "OPENING BAL :"}, {44, "CLOSING BAL :"}, {57, Num("9", 16)}}),
  };
  StockBalanceResult r =
      Read(ReportPage("STATEMENT OF STOCK ACCOUNTS", 1, body), StockBalanceInputs{}, false);
  EXPECT_FALSE(r.new_report);
  EXPECT_EQ(r.report_name, "STATEMENT OF STOCK ACCOUNTS");
  EXPECT_EQ(op_.events.front(), "progress: Reading \"STATEMENT OF STOCK ACCOUNTS\" report ...");
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 2u);
  EXPECT_EQ(At(h, 5, "01").balance, 1200);
  EXPECT_EQ(At(h, 11, "15").balance, 300);
}

TEST_F(StockBalanceReaderTest, EightDigitAccountsLaterLayout) {
  StockBalanceInputs in;
  in.enhanced = true;
  in.eight_digit_layout = true;
  std::vector<std::string> body = {
      Line({{1, "REPORT DATE : 08DEC2026"}}),
      Line({{1, " STK/ STOCK NAME"}}),
      Line({{1, "00005"}, {19, "HSBC HOLDINGS"}}),
      Line({{7, "00000012"}, {29, Num("1,000")}, {48, "00000015"}, {70, Num("2,000")}}),
      Line({{22, Num("12,345.00", 22)}, {63, Num("-", 22)}}),
      Line({{89, "00000012"}, {111, Num("500")}}),
      // An account line followed at once by a stock line: the pending account still belongs
      // to the stock it was printed under, and its value column is empty on the stock line.
      Line({{1, "00011"}, {19, "HANG SENG BANK"}}),
      Line({{7, "00000001"}, {29, Num("3,000")}}),
      Line({{22, Num("N/A", 22)}}),
  };
  StockBalanceResult r = Read(ReportPage("DAILY STOCK BALANCE REPORT", 1, body), in, true);
  EXPECT_TRUE(r.cas3_rpt);
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 2u);
  EXPECT_EQ(At(h, 5, "00000012").balance, 1500);
  EXPECT_EQ(At(h, 11, "00000001").balance, 3000);
}

TEST_F(StockBalanceReaderTest, EightDigitAccountsEarlierLayout) {
  StockBalanceInputs in;
  in.eight_digit_layout = true;
  std::vector<std::string> body = {
      Line({{1, "REPORT DATE : 08DEC2026"}}),
      Line({{1, "00005"}, {18, "00000012"}, {59, "00000015"}}),
      Line(
          {{7, Num("1,000")}, {23, Num("10,000.00", 22)}, {48, Num("200")}, {64, Num("0.00", 22)}}),
      Line({{18, "00000016"}}),
      Line({{7, Num("70")}}),
  };
  Read(ReportPage("DAILY STOCK BALANCE REPORT", 1, body), in, true);
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 3u);
  EXPECT_EQ(At(h, 5, "00000012").balance, 1000);
  EXPECT_EQ(At(h, 5, "00000015").balance, 200);
  EXPECT_EQ(At(h, 5, "00000016").balance, 70);
}

TEST_F(StockBalanceReaderTest, MissingReportEndsTheRun) {
  EXPECT_THROW(Read(ReportPage("STI STATUS REPORT", 1, {"X"}), StockBalanceInputs{}, false),
               run::RunStopped);
  EXPECT_EQ(
      op_.Matching("box"),
      std::vector<std::string>{"box ZUR: ERROR: CANNOT FIND \"DAILY STOCK BALANCE REPORT\" !"});
  EXPECT_TRUE(Read().empty());
}

TEST_F(StockBalanceReaderTest, MarketOfTheReportIsChecked) {
  StockBalanceInputs in;
  in.sas_mkt = true;
  in.system_key = "SZMK";
  auto report = [](const std::string& market) {
    return ReportPage(
        "DAILY STOCK BALANCE REPORT", 1,
        {Line({{1, "REPORT DATE : 08DEC2026"}, {40, "MARKET - " + market}}), Line({{1, "0005"}}),
         Line({{6, "01"}, {9, Num("10")}, {25, Num("1.00", 22)}})});
  };
  Read(report("SHENZHEN"), in, false);
  EXPECT_EQ(At(Read(), 5, "01").balance, 10);
  EXPECT_THROW(Read(report("HONG KONG"), in, false), run::RunStopped);
  EXPECT_EQ(
      op_.Matching("box"),
      std::vector<std::string>{"box ZUR: ERROR: \"***  Wrong Market  ***\r\nPlease Check !!!"});
}

TEST_F(StockBalanceReaderTest, RepeatedPagesWarnAndReadingEndsAtTheNextReport) {
  auto page = [](int n, const std::string& account, const std::string& qty) {
    return ReportPage("DAILY STOCK BALANCE REPORT", n,
                      {Line({{1, "REPORT DATE : 08DEC2026"}}), Line({{1, "0005"}}),
                       Line({{6, account}, {9, Num(qty)}, {25, Num("1.00", 22)}})});
  };
  StockBalanceResult r =
      Read(page(1, "01", "10") + page(2, "12", "20") + page(1, "01", "10") +
               ReportPage("SETTLEMENT REPORT", 1, {Line({{6, "15"}, {9, Num("99")}})}) +
               page(3, "16", "30"),
           StockBalanceInputs{}, false);
  EXPECT_TRUE(r.pages_out_of_order);
  EXPECT_EQ(
      op_.Matching("warn"),
      std::vector<std::string>{
          "warn: WARNING: Some pages of \"DAILY STOCK BALANCE REPORT\" report are repeated !"});
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 2u);
  EXPECT_EQ(At(h, 5, "01").balance, 20);  // the repeated page counts twice, as printed
  EXPECT_EQ(At(h, 5, "12").balance, 20);
}

TEST_F(StockBalanceReaderTest, DamagedAccountsAndQuantities) {
  std::vector<std::string> body = {
      Line({{1, "REPORT DATE : 08DEC2026"}}),
      // The stock line is lost: a holding before any stock belongs to none.
      Line({{6, "01"}, {9, Num("10")}, {25, Num("1.00", 22)}}), Line({{1, "0005"}}),
      Line({{6, std::string("\x1b[")},
            {9, Num("10")},
            {25, Num("1.00", 22)},
            {49, "12"},
            {52, Num("20")},
            {68, Num("1.00", 22)},
            {95, Num("30")}}),  // a quantity without its account
  };
  Read(ReportPage("DAILY STOCK BALANCE REPORT", 1, body) +
           ReportPage("DAILY STOCK BALANCE REPORT", 2, {"END OF REPORT"}),
       StockBalanceInputs{}, false);
  auto warnings = op_.Matching("warn");
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_THAT(warnings[0], HasSubstr("WARNING: Quantity of A/C 01 without a stock found in"));
  EXPECT_THAT(warnings[1], HasSubstr("WARNING: Invalid ZUR A/C Code ?[ found in Stock "));
  EXPECT_THAT(warnings[1], HasSubstr("5 of CCASS Report ! Record skipped."));
  EXPECT_THAT(warnings[2], HasSubstr("WARNING: Quantity without A/C Code found in Stock "));
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 1u);
  EXPECT_EQ(At(h, 5, "12").balance, 20);

  // A quantity too wide for the table stops the run, naming the report file.
  body.push_back(Line({{6, "01"}, {9, Num("999999999999")}, {25, Num("1.00", 22)}}));
  op_.events.clear();
  EXPECT_THROW(Read(ReportPage("DAILY STOCK BALANCE REPORT", 1, body), StockBalanceInputs{}, false),
               run::RunStopped);
  auto boxes = op_.Matching("box ZUR: ERROR: Quantity 999999999999 of Stock ");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_THAT(boxes[0], HasSubstr(file_->path()));
}

TEST_F(StockBalanceReaderTest, LayoutSwitchUsesTheStrictDateRule) {
  vars_.Set("CAS3_0705", Value(*Date::FromYmd(2026, 12, 8)));
  vars_.Set("GEN_DATE", Value(*Date::FromYmd(2026, 12, 8)));
  vars_.Set("ENHANCED", Value(true));
  vars_.Set("RIGHT_SHIFT", Value(1));
  StockBalanceInputs in = StockBalanceInputs::FromVars(vars_);
  EXPECT_FALSE(in.eight_digit_layout);  // accounts are 8 digits, the layout not yet
  EXPECT_TRUE(BookRules::FromVars(vars_).eight_digit_accounts);
  EXPECT_TRUE(in.enhanced);
  EXPECT_EQ(in.right_shift, 1);
  vars_.Set("GEN_DATE", Value(*Date::FromYmd(2026, 12, 9)));
  vars_.Set("RIGHT_SHIFT", Value(1e300));  // a damaged memory file
  in = StockBalanceInputs::FromVars(vars_);
  EXPECT_TRUE(in.eight_digit_layout);
  EXPECT_EQ(in.right_shift, 0);
}

}  // namespace
}  // namespace zur::readers
