// Whole runs over hand-made installations, upload files compared byte for byte. The expected
// transfers are worked out from the holdings of each case (see the comments).
#include "brokers/large_broker.h"
#include "brokers/sample_broker.h"
#include "run/driver/tests/e2e_fixture.h"

namespace zur::driver::testing {
namespace {

using ::testing::ElementsAre;

// The sample broker: CCASS/3 with 8-digit accounts (ZUR layout A, STI file), every pass.
TEST_F(EndToEndTest, SampleBrokerGivesEveryPassInBothFiles) {
  spec = SampleBroker();
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  const std::string hsbc = "GB0005405286", hkex = "HK0388045442", tencent = "KYG875721634";
  const std::string china_mobile = "HK0941009539", ping_an = "CNE1000003X6";
  auto ac = [](const char* two) { return std::string("000000") + two; };
  EXPECT_THAT(Lines("ZURFILE.TXT"),
              ElementsAre(ZurHeaderAB(1, "DAILY ZUR", "20261208", 99),
                          // pass 1: cash clients need 10,000 of the 12,000 in 02
                          ZurLineAB(5, hsbc, ac("02"), ac("01"), 2000),
                          // pass 1: 3,000 long and 1,000 short (covered) in 07, CCASS 4,500
                          ZurLineAB(941, china_mobile, ac("07"), ac("01"), 1500),
                          // pass 3: 04 needs 3,000, holds 1,000 + 1,000 pending STI; 05 needs 500
                          ZurLineAB(700, tencent, ac("01"), ac("04"), 1000),
                          ZurLineAB(700, tencent, ac("01"), ac("05"), 500),
                          // pass 5: a buy of 400 due tomorrow in 06
                          ZurLineAB(388, hkex, ac("01"), ac("06"), 400),
                          ZurTrailer(5, 5 + 941 + 700 + 700 + 388, 2000 + 1500 + 1000 + 500 + 400,
                                     2005 + 2441 + 1700 + 1200 + 788, 99)));
  EXPECT_THAT(Lines("STIFILE.TXT"),
              ElementsAre(StiHeader(1, "DAILY ZUR", "20261208"),
                          // pass 1: segregated account 21 holds 800 its client does not own
                          StiLine(2318, ping_an, ac("21"), ac("01"), 800),
                          // pass 2: its client owns 5,000 of HSBC, 21 holds 3,000
                          StiLine(5, hsbc, ac("01"), ac("21"), 2000),
                          // pass 4: a buy of 100 due tomorrow in segregated account 22
                          StiLine(388, hkex, ac("01"), ac("22"), 100),
                          StiTrailer(3, 2318 + 5 + 388, 2900, 3118 + 2005 + 488)));
  EXPECT_TRUE(Saw("announce: CCASS ZUR Upload File ZURFILE.TXT is generated !"));
  EXPECT_TRUE(Saw("announce: CCASS STI Upload File STIFILE.TXT is generated !"));
  // The run's holdings stay in ATIMAST: 3 + 1 + 3 + 3 + 2 + 2 stock/account records.
  auto holdings = dbf::Table::Open(dir.path() / "ATIMAST.DBF", dbf::Share::kShared);
  EXPECT_EQ(holdings->RecCount(), 14u);
  ExpectSameOutputs("e2e_sample_broker");
}

// Before CCASS/3 (layout C, 2-character accounts, no STI file); no STI status and no
// settlement report: the run warns and goes on.
TEST_F(EndToEndTest, LayoutCWithoutSettlementAndStiReports) {
  spec.stocks = {Stock("11", "HANG SENG BANK", "HK0011000095")};
  spec.clients = {Client("C001"), Client("A001")};
  spec.portfolio = {Position("C001", "11", 3000), Position("A001", "11", 700)};
  spec.report = BalanceReportTwoDigit({{"0011", {{"01", "10,000"}, {"02", "5,000"}}}});
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  EXPECT_THAT(Lines("ZURFILE.TXT"),
              ElementsAre(ZurHeaderC("TEST REF", "20261208"),
                          ZurLineC(11, "02", "01", 2000),  // 02 holds 5,000 for 3,000
                          ZurLineC(11, "01", "04", 700),   // 04 holds nothing for 700
                          ZurTrailer(2, 22, 2700, 2011 + 711, 74)));
  EXPECT_FALSE(Exists("STIFILE.TXT"));
  EXPECT_TRUE(Saw("warn: WARNING: CANNOT FIND \"SETTLEMENT REPORT\" !"));
  EXPECT_FALSE(Saw("announce: CCASS STI Upload File STIFILE.TXT is generated !"));
  EXPECT_TRUE(op.Matching("warn: WARNING: The CCASS report is of participant").empty());
  ExpectSameOutputs("e2e_layout_c");
}

// A report of another participant is read as it is, with a warning first.
TEST_F(EndToEndTest, ReportOfAnotherParticipantIsWarnedAbout) {
  spec.stocks = {Stock("11", "HANG SENG BANK", "HK0011000095")};
  spec.report = ReportPage("DAILY STOCK BALANCE REPORT", 1,
                           {ReportLine({{2, "REPORT DATE : 08DEC2026"}})}, "B09999");
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  EXPECT_TRUE(
      Saw("warn: WARNING: The CCASS report is of participant B09999, the settings are "
          "of participant B01234 !"))
      << Events();
  EXPECT_EQ(Lines("ZURFILE.TXT").size(), 2u);
  ExpectSameOutputs("e2e_other_participant");
}

// CCASS/3 without 8-digit accounts (layout B): short selling, a segregated account and an
// overdue delivery on the main account.
TEST_F(EndToEndTest, LayoutBShortSellingAndSegregatedAccount) {
  UseCcass3(false);
  spec.stocks = {Stock("5", "HSBC HOLDINGS", "GB0005405286")};
  spec.clients = {Client("P001"), Client("P002"), Client("C009", "15")};
  // 07: 3,000 long and 1,500 short; the short is covered, so 07 needs 3,000 (holds 2,000).
  // 15: its client holds 400, the account 1,000.
  spec.portfolio = {Position("P001", "5", 3000), Position("P002", "5", -1500),
                    Position("C009", "5", 400)};
  spec.report =
      BalanceReportTwoDigit({{"0005", {{"01", "20,000"}, {"07", "2,000"}, {"15", "1,000"}}}}) +
      SettlementReport({{"0005", "300-", ""}});
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  const std::string isin = "GB0005405286";
  EXPECT_THAT(Lines("ZURFILE.TXT"), ElementsAre(ZurHeaderAB(1, "TEST REF", "20261208", 87),
                                                ZurLineAB(5, isin, "15", "01", 600),   // pass 1
                                                ZurLineAB(5, isin, "01", "07", 1000),  // pass 3
                                                ZurTrailer(2, 10, 1600, 605 + 1005, 87)));
  EXPECT_FALSE(Exists("STIFILE.TXT"));
  ExpectSameOutputs("e2e_layout_b");
}

// A top-up is limited by what the main account has: 20,000 - 19,800 overdue = 200.
TEST_F(EndToEndTest, TopUpLimitedByTheMainAccount) {
  spec.stocks = {Stock("11", "HANG SENG BANK", "HK0011000095")};
  spec.clients = {Client("I001")};
  spec.portfolio = {Position("I001", "11", 900)};
  spec.report = BalanceReportTwoDigit({{"0011", {{"01", "20,000"}, {"05", "100"}}}}) +
                SettlementReport({{"0011", "19,800-", ""}});
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  EXPECT_THAT(Lines("ZURFILE.TXT"),
              ElementsAre(ZurHeaderC("TEST REF", "20261208"), ZurLineC(11, "01", "05", 200),
                          ZurTrailer(1, 11, 200, 211, 74)));
  ExpectSameOutputs("e2e_top_up");
}

// Nothing to move: both files still get their header and trailer; the file numbers and the
// own reference come from the command line.
TEST_F(EndToEndTest, EmptyRunWritesHeadersAndTrailersOnly) {
  UseCcass3(true);
  spec.stocks = {Stock("00005", "HSBC HOLDINGS", "GB0005405286")};
  spec.clients = {Client("C001")};
  spec.portfolio = {Position("C001", "00005", 1000)};
  spec.report = BalanceReportEightDigit({{"00005", {{"00000002", "1,000"}}}});
  screen.ati_fileno = 3;
  screen.sti_fileno = 2;
  screen.own_ref = "NIGHT RUN";
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  EXPECT_THAT(Lines("ZURFILE.TXT"),
              ElementsAre(ZurHeaderAB(3, "NIGHT RUN", "20261208", 99), ZurTrailer(0, 0, 0, 0, 99)));
  EXPECT_THAT(Lines("STIFILE.TXT"),
              ElementsAre(StiHeader(2, "NIGHT RUN", "20261208"), StiTrailer(0, 0, 0, 0)));
  EXPECT_EQ(Setting("OWNREF"), "NIGHT RUN");  // the screen's inputs are written back
  ExpectSameOutputs("e2e_empty_run");
}

// Stock at another location is deducted from the EX_SLATI account (not stock "at CCASS"), and
// the finance company's short position is covered on the account of its client type.
TEST_F(EndToEndTest, StockLocationsAndFinancePortfolio) {
  SetSetting("EXSLATI", Value("03"));
  SetSetting("SBFPATH", Value(kFinanceDir));
  spec.stocks = {Stock("11", "HANG SENG BANK", "HK0011000095")};
  spec.clients = {Client("F001")};
  spec.portfolio = {Position("F001", "11", 1000)};
  spec.with_locations = true;
  spec.locations = {{{"LSTKNO", Value("11")}, {"LLCN", Value("VAULT")}, {"LQTYBF", Value(300)}},
                    {{"LSTKNO", Value("11")}, {"LLCN", Value("CCASS")}, {"LQTYBF", Value(500)}}};
  spec.with_finance = true;
  spec.finance_portfolio = {Position("M100", "11", -200)};
  spec.report = BalanceReportTwoDigit({{"0011", {{"01", "5,000"}, {"03", "1,000"}}}});
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  // 03 needs 1,000 - 300 in the vault + 200 short = 900 of its 1,000.
  EXPECT_THAT(Lines("ZURFILE.TXT"),
              ElementsAre(ZurHeaderC("TEST REF", "20261208"), ZurLineC(11, "03", "01", 100),
                          ZurTrailer(1, 11, 100, 111, 74)));
  ExpectSameOutputs("e2e_locations_finance");
}

// An exclusion flag leaves its allocation out only when it is "Y": a settings record never
// saved from the setup screen has blank flags, and its allocations count.
TEST_F(EndToEndTest, BlankExclusionFlagsCountTheirAllocations) {
  SetSetting("EXSTRQTY", Value(""));
  SetSetting("EXCOMQTY", Value("Y"));
  SetSetting("EXTDQTY", Value(""));
  spec.stocks = {Stock("11", "HANG SENG BANK", "HK0011000095")};
  spec.clients = {Client("C001")};
  Row position = Position("C001", "11", 5000);
  position.push_back({"FSTRQTY", Value(1000)});
  position.push_back({"FCOMQTY", Value(500)});
  position.push_back({"FTDQTY", Value(200)});
  spec.portfolio = {position};
  spec.report = BalanceReportTwoDigit({{"0011", {{"01", "10,000"}, {"02", "5,000"}}}});
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  // 02 needs 5,000 - 500 (the excluded FCOMQTY) = 4,500 of its 5,000.
  EXPECT_THAT(Lines("ZURFILE.TXT"),
              ElementsAre(ZurHeaderC("TEST REF", "20261208"), ZurLineC(11, "02", "01", 500),
                          ZurTrailer(1, 11, 500, 511, 74)));
}

// Many stocks and clients: every detail line has its file's length and the trailers add up
// the detail lines (counter, stock, quantity and record checksums).
TEST_F(EndToEndTest, LargeBrokerTrailersAddUpTheirDetailLines) {
  spec = LargeBroker(40, 10);
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  struct Layout {
    const char* file;
    size_t length, stock_at, stock_width, qty_at, sum_at, all_at;
  };
  for (const Layout& f : {Layout{"ZURFILE.TXT", 99, 1, 5, 34, 85, 26},
                          Layout{"STIFILE.TXT", 120, 1, 5, 34, 99, 42}}) {
    SCOPED_TRACE(f.file);
    const std::vector<std::string> lines = Lines(f.file);
    ASSERT_GE(lines.size(), 3u);
    long long stocks = 0, qty = 0, all = 0;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
      ASSERT_EQ(lines[i].size(), f.length);
      ASSERT_EQ(lines[i][0], '1');
      const long long stock = std::stoll(lines[i].substr(f.stock_at, f.stock_width));
      const long long q = std::stoll(lines[i].substr(f.qty_at, 11));
      EXPECT_GT(q, 0);
      EXPECT_EQ(std::stoll(lines[i].substr(f.sum_at, 14)), stock + q);
      stocks += stock;
      qty += q;
      all += stock + q;
    }
    const std::string& trailer = lines.back();
    const int count = static_cast<int>(lines.size()) - 2;
    EXPECT_EQ(trailer.substr(0, 26),
              "2" + Num(count, 4) + Num(stocks % 10000000, 7) + Num(qty, 14));
    EXPECT_EQ(trailer.substr(f.all_at, 17), Num(all, 17));
  }
  ExpectSameOutputs("e2e_many_stocks");
}

}  // namespace
}  // namespace zur::driver::testing
