// The position build over hand-made back-office tables: quantities derived by hand from the
// tables, checked in the holdings table afterwards.
#include <gmock/gmock.h>

#include <fmt/format.h>

#include <cmath>

#include "run/operator/run_stopped.h"
#include "run/position/tests/position_fixture.h"

namespace zur::position {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

void DeleteLast(dbf::Table& t) {
  t.GoTo(t.RecCount());
  t.Lock(t.RecNo());
  t.Delete();
  t.UnlockAll();
}

TEST_F(PositionTest, HoldingDueAndUndueByDateOnTheClientsAccountAndTheMainAccount) {
  CreateTables();
  in_.cc_ready = true;
  in_.excluded.str = in_.excluded.bank = true;
  AddStock("00700");
  AddClient("I001");
  AddClient("C001");
  AddPosition("PF", "I001", "00700", 1000);
  AddTrade("MU", "I001", "00700", "B", 200, Day(10));  // after the next trading day: undue
  Add("PF", {{"FACCT", "C001"},
             {"FSTKNO", "00700"},
             {"FQTYBF", 900},
             {"FQTYTT", 50},
             {"FDAYQTY", 50},
             {"FDAYBS", 20}});
  AddTrade("MU", "C001", "00700", "B", 300, Day(9));  // due
  AddTrade("MU", "C001", "700", "S", 50, Day(12));    // undue sale; same stock, other spelling
  AddTrade("MU", "C001", "00700", "B", 999, Day(8));  // settled by the trade date
  AddTrade("MU", "C001", "00700", "B", 777, Day(9));
  DeleteLast(*areas_.Find("MU"));
  Add("MU", {{"MACCT", "C001"},
             {"MSTKNO", "00700"},
             {"MREF", "B"},
             {"MQTY", 555},
             {"MSDATE", Day(9)},
             {"MDELDATE", Day(8)}});
  AddTrade("MU", "C0011", "00700", "B", 444, Day(9));  // another client
  Add("PF", {{"FACCT", "A001"},
             {"FSTKNO", "00700"},
             {"FQTYBF", 500},
             {"FSTRQTY", 100},
             {"FCOMQTY", 70},
             {"FBANQTY", 50}});

  PositionResult r = Build();
  EXPECT_EQ(r.positions, 3);
  // I001: 1000 held, 200 bought for later settlement.
  EXPECT_EQ(Qty("  700", "05", "ANETQTY"), 800);
  EXPECT_EQ(Qty("  700", "05", "AUSTLQTY"), 200);
  EXPECT_EQ(Qty("  700", "05", "ASTLQTY"), 0);
  // C001: 1000 + 20 bought today; undue 20 - 50 = -30, due 300; held 1000 + 30 - 300.
  EXPECT_EQ(Qty("  700", "02", "ANETQTY"), 730);
  EXPECT_EQ(Qty("  700", "02", "ASTLQTY"), 300);
  EXPECT_EQ(Qty("  700", "02", "AUSTLQTY"), -30);
  // A001: the stock allocation and bank custody are left out, the company allocation is not.
  EXPECT_EQ(Qty("  700", "04", "ANETQTY"), 350);
  EXPECT_EQ(Qty("  700", "01", "ASTLQTY"), 300);
  EXPECT_EQ(Qty("  700", "01", "AUSTLQTY"), 170);
  EXPECT_EQ(Qty("  700", "01", "ANETQTY"), 0);
  dbf::Table& zur = *areas_.Find("ZUR");
  zur.GoTo(1);
  EXPECT_EQ(zur.Get("ASTK").str(), "STOCK 00700    ");
  EXPECT_EQ(zur.Get("AISIN").str(), "HK0000000700");
  EXPECT_EQ(areas_.Current(), &zur);

  EXPECT_THAT(op_.Matching("progress"), ElementsAre("progress: Generating Client Master Index ...",
                                                    "progress: Reading \"PORTFOLIO MASTER\" ..."));
  EXPECT_EQ(op_.events.back(), "percent: done");
}

TEST_F(PositionTest, ShortSellingCoveredFromTheDueSale) {
  CreateTables();
  AddStock("00005");
  AddStock("00011");
  AddPosition("PF", "M001", "00005", -400);
  AddTrade("MU", "M001", "00005", "S", 100, Day(9));
  in_.user_key = "VEZOTE";
  AddPosition("PF", "MAA01", "00011", -200);  // the site's own "MAA" accounts are not short
  AddPosition("PF", "MAB01", "00011", -50);

  Build();
  EXPECT_EQ(Qty("    5", "06", "ANETQTY"), -300);
  EXPECT_EQ(Qty("    5", "06", "ASTLQTY"), 0);
  EXPECT_EQ(Qty("    5", "06", "ASSTLQTY"), 100);
  EXPECT_EQ(Qty("    5", "06", "ASSQTY"), 300);
  EXPECT_FALSE(HasRecord("    5", "01"));  // nothing left due after the cover
  EXPECT_EQ(Qty("   11", "06", "ANETQTY"), -250);
  EXPECT_EQ(Qty("   11", "06", "ASSQTY"), 50);
}

TEST_F(PositionTest, FinanceClientsOfASharedBackOfficeCoverOnlyTheirHolding) {
  CreateTables();
  in_.sbf3_user = true;
  in_.conv_type = "M";
  AddStock("00005");
  AddPosition("PF", "M001", "00005", -150);
  AddTrade("MU", "M001", "00005", "S", 100, Day(9));
  AddPosition("PF", "C001", "00005", -150);
  AddTrade("MU", "C001", "00005", "S", 100, Day(9));

  Build();
  // M001 on the finance account "03": held -50, short -50 covered from the due sale of 100.
  EXPECT_EQ(Qty("    5", "03", "ANETQTY"), -50);
  EXPECT_EQ(Qty("    5", "03", "ASSTLQTY"), 50);
  EXPECT_EQ(Qty("    5", "03", "ASTLQTY"), -50);
  // C001: short -150 takes the whole due sale.
  EXPECT_EQ(Qty("    5", "02", "ASSTLQTY"), 100);
  EXPECT_EQ(Qty("    5", "02", "ASTLQTY"), 0);
  EXPECT_EQ(Qty("    5", "01", "ASTLQTY"), -50);
}

TEST_F(PositionTest, MainlandTradesSettleByTheirStockSettlementDate) {
  CreateTables(5, true);
  AddStock("00005");
  AddPosition("PF", "I001", "00005", 1000);
  Add("MU", {{"MACCT", "I001"},
             {"MSTKNO", "00005"},
             {"MREF", "B"},
             {"MQTY", 10},
             {"MSDATE", Day(9)},
             {"MSSDATE", Day(12)},
             {"MMARKET", "SAS "}});
  Add("MU", {{"MACCT", "I001"},
             {"MSTKNO", "00005"},
             {"MREF", "B"},
             {"MQTY", 20},
             {"MSDATE", Day(9)},
             {"MSSDATE", Day(12)},
             {"MMARKET", "HK  "}});
  Add("MU", {{"MACCT", "I001"},
             {"MSTKNO", "00005"},
             {"MREF", "B"},
             {"MQTY", 40},
             {"MSDATE", Day(8)},
             {"MSSDATE", Day(12)},
             {"MMARKET", "SAS "}});

  Build();
  EXPECT_EQ(Qty("    5", "05", "AUSTLQTY"), 10);
  EXPECT_EQ(Qty("    5", "05", "ASTLQTY"), 20);
  EXPECT_EQ(Qty("    5", "05", "ANETQTY"), 970);
}

TEST_F(PositionTest, CoverShortSettingLeavesTheSaleDue) {
  CreateTables();
  in_.cover_short = true;
  AddStock("00005");
  AddPosition("PF", "M001", "00005", -400);
  AddTrade("MU", "M001", "00005", "S", 100, Day(9));

  Build();
  EXPECT_EQ(Qty("    5", "06", "ASTLQTY"), -100);
  EXPECT_EQ(Qty("    5", "06", "ASSTLQTY"), 0);
  EXPECT_EQ(Qty("    5", "06", "ASSQTY"), 300);
  EXPECT_EQ(Qty("    5", "01", "ASTLQTY"), -100);
}

TEST_F(PositionTest, ExcludedClientsMarketsAndNonCcassStocks) {
  CreateTables();
  in_.excluded_types = "I";
  in_.user_key = "ROVERU";
  in_.exclude_a29 = true;
  in_.multi_mkt = true;
  AddStock("00001");
  AddStock("00002", "HK  ", "N");  // not a CCASS stock, and CCASS reported none
  AddStock("00003", "HK  ", "N");  // not a CCASS stock, but CCASS reported a holding
  AddStock("00004", "SAS ");
  Add("ZUR", {{"ASTKNO", "    3"}, {"AATI", "99"}, {"ACASQTY", 10}});
  AddPosition("PF", "I001", "00001", 100);
  AddPosition("PF", "A2901", "00001", 100);
  AddPosition("PF", "A2101", "00001", 100);
  AddPosition("PF", "A4101", "00001", 0);
  AddPosition("PF", "C001", "00002", 100);
  AddPosition("PF", "C001", "00003", 100);
  AddPosition("PF", "C001", "00004", 100);
  AddPosition("PF", "C001", "00009", 100);  // not in the stock master
  AddPosition("PF", "C001", "00001", 100);
  DeleteLast(*areas_.Find("PF"));

  PositionResult r = Build();
  EXPECT_EQ(r.positions, 2);
  EXPECT_EQ(Qty("    1", "05", "ANETQTY"), 100);
  EXPECT_FALSE(HasRecord("    1", "06"));
  EXPECT_FALSE(HasRecord("    1", "07"));
  EXPECT_FALSE(HasRecord("    1", "02"));
  EXPECT_FALSE(HasRecord("    2", "02"));
  EXPECT_EQ(Qty("    3", "02", "ANETQTY"), 100);
  EXPECT_FALSE(HasRecord("    4", "02"));
  EXPECT_FALSE(HasRecord("    9", "02"));
}

TEST_F(PositionTest, SegregatedAccountsInTheEightDigitFormat) {
  CreateTables();
  in_.eight_digit = true;
  AddStock("00005");
  AddClient("C001", "12");
  AddClient("C002", "        ");
  AddPosition("PF", "C001", "00005", 100);
  AddPosition("PF", "C002", "00005", 40);
  AddPosition("PF", "C003", "00005", 1);  // not in the client master
  Add("ZUR", {{"ASTKNO", "    5"}, {"AATI", "00000012"}, {"ACASQTY", 100}});

  Build();
  EXPECT_EQ(Qty("    5", "00000012", "ANETQTY"), 100);
  EXPECT_EQ(Qty("    5", "00000012", "ACASQTY"), 100);
  EXPECT_EQ(Qty("    5", "00000002", "ANETQTY"), 41);
  EXPECT_EQ(areas_.Find("ZUR")->RecCount(), 2u);
  dbf::Table& zur = *areas_.Find("ZUR");
  zur.GoTo(1);
  EXPECT_EQ(zur.Get("ASTK").str(), "STOCK 00005    ");  // a blank name is filled in
}

TEST_F(PositionTest, StockAtOtherLocationsIsDeductedFromTheLocationAccount) {
  CreateTables();
  in_.location_account = "15";
  in_.user_key = "NIVAZA";
  in_.clear_location2 = "C-CASH  ";
  AddStock("00005");
  AddStock("00006", "HK  ", "N");
  AddPosition("PF", "C001", "00005", 1000);
  Add("SL", {{"LSTKNO", "00005"}, {"LLCN", "CCASS"}, {"LQTYBF", 1000}});
  Add("SL", {{"LSTKNO", "00005"}, {"LLCN", "CCAS2"}, {"LQTYBF", 7}});
  Add("SL", {{"LSTKNO", "00005"}, {"LLCN", "C-CASH"}, {"LQTYBF", 9}});
  Add("SL", {{"LSTKNO", "00005"}, {"LLCN", "VAULT"}, {"LQTYBF", 300}, {"LQTYMTD", -100}});
  Add("SL", {{"LSTKNO", "00005"}, {"LLCN", "SAFE"}, {"LQTYBF", 50}, {"LQTYMTD", -50}});
  Add("SL", {{"LSTKNO", "00006"}, {"LLCN", "VAULT"}, {"LQTYBF", 60}});
  Add("SL", {{"LSTKNO", "00005"}, {"LLCN", "VAULT"}, {"LQTYBF", 1}});
  DeleteLast(*areas_.Find("SL"));

  PositionResult r = Build();
  EXPECT_EQ(r.locations, 1);
  EXPECT_EQ(Qty("    5", "02", "ANETQTY"), 1000);
  EXPECT_EQ(Qty("    5", "15", "ANETQTY"), -200);
  EXPECT_FALSE(HasRecord("    6", "15"));
  EXPECT_EQ(op_.Matching("progress").back(), "progress: Reading \"STOCK LOCATION MASTER\" ...");
}

TEST_F(PositionTest, MainlandLocationCodesAreMappedAndUnmappedOnesAlertUntilRefused) {
  CreateTables(6, true);
  in_.system_key = "SAS ";
  in_.location_account = "15";
  in_.mapping = StockCodeMap::FromLines({"0HEADER", "1600000900011"});
  AddStock("90001 ", "SAS ");  // converted from 600000 when the run opened the files
  AddStock("600999", "SAS ");  // a CCASS stock, but six digits do not fit the holdings table
  AddStock("600998", "SAS ", "N");
  Add("SL", {{"LSTKNO", "600000"}, {"LLCN", "VAULT"}, {"LQTYBF", 500}});
  Add("SL", {{"LSTKNO", "600999"}, {"LLCN", "VAULT"}, {"LQTYBF", 10}});
  Add("SL", {{"LSTKNO", "600998"}, {"LLCN", "VAULT"}, {"LQTYBF", 10}});
  op_.answers = {false};

  PositionResult r = Build();
  EXPECT_EQ(Qty("90001", "15", "ANETQTY"), -500);
  EXPECT_EQ(areas_.Find("ZUR")->RecCount(), 1u);
  EXPECT_FALSE(r.mapping_alerts);
  EXPECT_THAT(op_.Matching("warn"),
              ElementsAre("warn: WARNING: Stock No. 600999 of Stock Location VAULT    is too long "
                          "for the holdings table and is left out !"));
  EXPECT_THAT(op_.Matching("ask"),
              ElementsAre("ask ZUR: ERROR: 600999 not found on stock code mapping file ASSTKMAP "
                          "(OBX)\r\nPlease download the recently one in ECP !\r\nDo you want to "
                          "continue the alert? -> no"));
}

TEST_F(PositionTest, FinanceShortPositionsGoToTheFormattedFinanceAccount) {
  CreateTables();
  in_.eight_digit = true;
  in_.use_finance = true;
  AddStock("00005");
  AddPosition("PF", "C001", "00005", 70);
  AddPosition("PFF", "M001", "00005", -100);
  AddTrade("MUF", "M001", "00005", "S", 50, Day(9));
  AddPosition("PFF", "M002", "00005", 30);   // not short
  AddPosition("PFF", "C001", "00005", -30);  // not a margin client
  AddPosition("PFF", "P001", "00005", -30);  // margin "P" clients count at one site only

  PositionResult r = Build();
  EXPECT_EQ(r.finance_positions, 1);
  // Held -100 - (-50) = -50; short -100, of which the due sale covers 50.
  EXPECT_EQ(Qty("    5", "00000003", "ASSTLQTY"), 50);
  EXPECT_EQ(Qty("    5", "00000003", "ASSQTY"), 50);
  EXPECT_EQ(Qty("    5", "00000003", "ANETQTY"), 0);
  EXPECT_FALSE(HasRecord("    5", "03"));
  EXPECT_EQ(Qty("    5", "00000002", "ANETQTY"), 70);
  EXPECT_EQ(op_.Matching("progress").back(), "progress: Reading Finance \"PORTFOLIO MASTER\" ...");

  // With the site that counts "P" clients, and with covered shorts the pass does not run.
  in_.user_key = "KATIPI";
  areas_.Find("ZUR")->Zap();
  EXPECT_EQ(Build().finance_positions, 2);
  in_.cover_short = true;
  areas_.Find("ZUR")->Zap();
  EXPECT_EQ(Build().finance_positions, 0);
}

TEST_F(PositionTest, MainAccountDueAndUndueAreNetted) {
  CreateTables();
  AddStock("00005");
  AddStock("00006");
  AddClient("C017", "17");
  AddPosition("PF", "I001", "00005", 1000);
  AddTrade("MU", "I001", "00005", "B", 300, Day(9));
  AddTrade("MU", "I001", "00005", "S", 500, Day(12));
  AddPosition("PF", "I001", "00006", 1000);
  AddTrade("MU", "I001", "00006", "B", 300, Day(9));
  AddTrade("MU", "I001", "00006", "S", 100, Day(12));
  AddPosition("PF", "C017", "00006", 10);  // the account "17" does not feed the main account
  AddTrade("MU", "C017", "00006", "B", 5, Day(9));

  PositionResult r = Build();
  EXPECT_EQ(r.netted, 2);
  EXPECT_EQ(Qty("    5", "05", "ASTLQTY"), 300);
  EXPECT_EQ(Qty("    5", "05", "AUSTLQTY"), -500);
  EXPECT_EQ(Qty("    5", "01", "ASTLQTY"), 0);
  EXPECT_EQ(Qty("    5", "01", "AUSTLQTY"), -200);
  EXPECT_EQ(Qty("    6", "01", "ASTLQTY"), 200);
  EXPECT_EQ(Qty("    6", "01", "AUSTLQTY"), 0);
  EXPECT_EQ(Qty("    6", "17", "ASTLQTY"), 5);
}

// A portfolio master of several thousand records is read beside the booking, in batches: every
// record that counts is booked once, in its client's account, and every record read (deleted
// and all-zero ones too) moves the progress on.
TEST_F(PositionTest, EveryRecordOfALongPortfolioIsBookedOnceAndCounted) {
  CreateTables();
  AddStock("00005");
  const int records = 3000;
  double main_total = 0;
  double segregated_total = 0;
  int booked = 0;
  for (int i = 1; i <= records; ++i) {
    const std::string acct = fmt::format("C{:04d}", i);
    const bool segregated = i % 4 == 0;
    if (segregated) AddClient(acct.c_str(), "12");
    const double qty = i % 5 == 0 ? 0 : i;
    AddPosition("PF", acct.c_str(), "00005", qty);
    if (i % 11 == 0) {
      DeleteLast(*areas_.Find("PF"));
    } else if (qty != 0) {
      ++booked;
      (segregated ? segregated_total : main_total) += qty;
    }
  }
  PositionResult r = Build();
  EXPECT_EQ(r.positions, booked);
  EXPECT_EQ(Qty("    5", "02", "ANETQTY"), main_total);
  EXPECT_EQ(Qty("    5", "12", "ANETQTY"), segregated_total);

  // The pass's own progress: a display every 100 records read, rising to 100 %.
  std::vector<std::string> shown;
  bool in_pass = false;
  for (const std::string& e : op_.events) {
    if (e == "progress: Reading \"PORTFOLIO MASTER\" ...") in_pass = true;
    if (in_pass && e == "percent: done") break;
    if (in_pass && e.rfind("percent: ", 0) == 0) shown.push_back(e);
  }
  ASSERT_EQ(shown.size(), static_cast<size_t>(records / 100));
  EXPECT_EQ(shown.front(), "percent: 3");
  EXPECT_EQ(shown.back(), "percent: 100");
}

TEST_F(PositionTest, InvalidAccountCodesStopTheRun) {
  CreateTables();
  AddStock("00005");
  AddClient("C001", "1\x01");
  AddPosition("PF", "C001", "00005", 100);
  EXPECT_THROW(Build(), run::RunStopped);
  EXPECT_THAT(op_.Matching("line22"),
              ElementsAre("line22: ERROR: Invalid ZUR A/C Code 1\x01 of Client A/C C001       "
                          "!\n       Please correct the Client Segregated A/C First !"));
  EXPECT_EQ(areas_.Find("ZUR")->RecCount(), 0u);

  op_.events.clear();
  areas_.Find("CL")->GoTo(1);
  areas_.Find("CL")->Lock(1);
  areas_.Find("CL")->Replace("LSEGAC", Value(""));
  areas_.Find("CL")->UnlockAll();
  in_.accounts.c = "\x02";
  EXPECT_THROW(Build(), run::RunStopped);
  EXPECT_THAT(op_.Matching("line22").at(0),
              HasSubstr("\n       Please correct it in the \"System Setup\" First !"));

  op_.events.clear();
  in_.accounts.c = "02";
  in_.location_account = "\x1b";
  EXPECT_THROW(Build(), run::RunStopped);
  EXPECT_THAT(op_.Matching("line22"),
              ElementsAre("line22: ERROR: Invalid ZUR A/C Code \x1b  of Stock Location !\n"
                          "       Please correct it in the \"System Setup\" First !"));
}

TEST_F(PositionTest, UnusableTablesStopWithTheFileNamed) {
  CreateTables();
  AddStock("00005");
  areas_.Close("PF");
  Make("OLDPF.DBF", "PF", {{"FACCT", 'C', 10, 0}, {"FSTKNO", 'C', 5, 0}, {"FQTYBF", 'N', 12, 0}});
  EXPECT_THROW(Build(), run::RunStopped);
  ASSERT_EQ(op_.Matching("box").size(), 1u);
  EXPECT_THAT(op_.Matching("box")[0], HasSubstr("OLDPF.DBF has no field FQTYTT"));

  // A total too wide for the holdings table stops the run rather than being cut.
  op_.events.clear();
  areas_.Close("PF");
  Make("PF2.DBF", "PF",
       {{"FACCT", 'C', 10, 0},
        {"FSTKNO", 'C', 5, 0},
        {"FQTYBF", 'N', 15, 0},
        {"FQTYTT", 'N', 15, 0},
        {"FDAYQTY", 'N', 15, 0},
        {"FDAYBS", 'C', 15, 0}});
  EXPECT_THROW(Build(), run::RunStopped);
  EXPECT_THAT(op_.Matching("box")[0], HasSubstr("field FDAYBS of"));
  EXPECT_THAT(op_.Matching("box")[0], HasSubstr("is not numeric"));
}

TEST_F(PositionTest, TotalsTooWideForTheHoldingsTableStopTheRun) {
  CreateTables();
  AddStock("00005");
  AddPosition("PF", "C001", "00005", 9e10);
  AddPosition("PF", "C002", "00005", 9e10);
  EXPECT_THROW(Build(), run::RunStopped);
  ASSERT_EQ(op_.Matching("box").size(), 1u);
  EXPECT_THAT(op_.Matching("box")[0], HasSubstr("ATIMAST.DBF"));
}

}  // namespace
}  // namespace zur::position
