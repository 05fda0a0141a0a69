// Passes 1 to 3 on hand-made holdings: what each account gives to or gets from "01", what is
// recorded, and which accounts are left alone. Expected transfers are worked out by hand.
#include <gtest/gtest.h>

#include "run/determine/tests/determine_fixture.h"

namespace zur::determine::testing {
namespace {

class Passes : public DetermineTest {
 protected:
  void SetUp() override {
    DetermineTest::SetUp();
    MakeTable(false);
  }
};

TEST_F(Passes, ExcessGoesToMainAndRaisesItsTransferTotal) {
  AddRows({{.stock = "5", .account = "01", .cas = 2000},
           {.stock = "5", .account = "15", .cas = 1500, .net = 1000},
           {.stock = "5", .account = "12", .cas = 300, .net = -100},
           // T+1 due bought, but the setting is off
           {.stock = "5", .account = "25", .cas = 100, .net = 100, .stl = 200}});
  const DetermineResult r = Run();
  // 12: clients short overall, all 300 held go out; 15: 1500 held, 1000 needed.
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 12>01 300", "5 15>01 500"}));
  const Decision d15 = At("5", "15");
  EXPECT_EQ(d15.from, "15");
  EXPECT_EQ(d15.to, "01");
  EXPECT_EQ(d15.qty, 500);
  EXPECT_EQ(d15.qty1, 0);
  EXPECT_EQ(At("5", "01").tfr, 800);
  EXPECT_EQ(r.transfers[0], 2);
  EXPECT_EQ(r.zur_lines, 2);
  EXPECT_EQ(r.main_records_added, 0);
  EXPECT_FALSE(r.due_bought_passes_run);
  EXPECT_EQ(At("5", "25").qty1, 0);
  EXPECT_EQ(op_.events.front(), "progress: Determining ZUR ...");
  EXPECT_EQ(op_.events.back(), "percent: done");
}

TEST_F(Passes, MainRecordIsAppendedOnceAndServesLaterPasses) {
  // No "01" record for stock 7: the first excess creates it, the second adds to it, and
  // pass 3 finds the 700 it now holds for account 16.
  AddRows({{.stock = "7", .account = "12", .cas = 200},
           {.stock = "7", .account = "15", .cas = 500},
           {.stock = "7", .account = "16", .net = 300},
           {.stock = "8", .account = "16", .net = 50}});
  const uint32_t before = zur_->RecCount();
  const DetermineResult r = Run();
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"7 12>01 200", "7 15>01 500", "7 01>16 300"}));
  EXPECT_EQ(r.main_records_added, 1);
  EXPECT_EQ(zur_->RecCount(), before + 1);
  EXPECT_EQ(At("7", "01").tfr, 400);  // +200 +500 -300
  zur_->GoTo(before + 1);
  EXPECT_EQ(zur_->Get("ASTK").str().substr(0, 7), "STOCK 7");
  EXPECT_EQ(zur_->Get("AISIN").str(), "HK0000000007");
  EXPECT_EQ(zur_->Get("ACASQTY").num(), 0);
  // Stock 8 has no "01" record: nothing to give, and pass 3 does not create one.
  EXPECT_EQ(At("8", "16").qty, 0);
  EXPECT_EQ(r.transfers, (std::array<int64_t, 5>{2, 0, 1, 0, 0}));
}

TEST_F(Passes, TopUpIsLimitedByWhatMainHasAndOwes) {
  AddRows({{.stock = "5", .account = "01", .cas = 300},
           {.stock = "5", .account = "25", .net = 1000, .ss = 0},
           {.stock = "6", .account = "01", .cas = 1000, .od = -200, .stl = -300, .ustl = -100},
           {.stock = "6", .account = "22", .net = 1000},
           {.stock = "9", .account = "01", .cas = 100, .od = -100},
           {.stock = "9", .account = "23", .net = 50},
           {.stock = "11", .account = "01", .cas = 5000},
           {.stock = "11", .account = "30", .net = -50},
           {.stock = "11", .account = "31", .cas = 100, .net = 100}});
  Run();
  // 25 needs 1000 but "01" has 300; 22 gets 1000-200-300-100 = 400; stock 9 has nothing to
  // give; 30 (clients short) and 31 (covered) get nothing.
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 01>25 300", "6 01>22 400"}));
  EXPECT_EQ(At("5", "01").tfr, -300);
  EXPECT_EQ(At("6", "01").tfr, -400);
  EXPECT_EQ(At("9", "01").tfr, 0);
  EXPECT_EQ(At("9", "23").qty, 0);
  const Decision d25 = At("5", "25");
  EXPECT_EQ(d25.from, "01");
  EXPECT_EQ(d25.to, "25");
  EXPECT_EQ(d25.qty, 300);
}

TEST_F(Passes, HighAccountsAreServedBeforeTheOthers) {
  // "01" has 500: pass 2 gives account 21 its 400 first, pass 3 then gives 12 the last 100
  // although 12 comes first in key order.
  AddRows({{.stock = "5", .account = "01", .cas = 500},
           {.stock = "5", .account = "12", .net = 300},
           {.stock = "5", .account = "21", .net = 400}});
  const DetermineResult r = Run();
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 01>21 400", "5 01>12 100"}));
  EXPECT_EQ(r.transfers, (std::array<int64_t, 5>{0, 1, 1, 0, 0}));
}

TEST_F(Passes, RequiredHoldingCountsShortCoverDeliveriesAndUndue) {
  AddRows({{.stock = "5", .account = "01", .cas = 10000},
           // short cover adds to the need: 200 + 300 - 100 held = 400 in
           {.stock = "5", .account = "03", .cas = 100, .net = 200, .ss = 300},
           // a delivery due tomorrow lowers the need: 1000 - 400 = 600 kept, 400 out
           {.stock = "5", .account = "04", .cas = 1000, .net = 1000, .stl = -400},
           // undue -500 netted with due +300: 800 kept, 200 out
           {.stock = "5", .account = "06", .cas = 1000, .net = 1000, .stl = 300, .ustl = -500},
           // undue delivery larger than due: pass 1 keeps 1000 - 100 = 900 (none out), pass 3
           // needs 1000 - 100 = 900 (none in)
           {.stock = "5", .account = "07", .cas = 900, .net = 1000, .ustl = -100}});
  Run();
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 04>01 400", "5 06>01 200", "5 01>03 400"}));
}

TEST_F(Passes, SuppressedDueShortageKeepsSharesButNettingStays) {
  AddRows({{.stock = "5", .account = "01", .cas = 100},
           {.stock = "5", .account = "04", .cas = 1000, .net = 1000, .stl = -400},
           {.stock = "5", .account = "06", .cas = 1000, .net = 1000, .stl = 300, .ustl = -500}});
  DetermineInputs in;
  in.suppress_due_shortage = true;
  Run(in);
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 06>01 200"}));
}

TEST_F(Passes, ReservedAccountsAndAccount02) {
  AddRows({{.stock = "5", .account = "01", .cas = 10000},
           {.stock = "5", .account = "02", .cas = 500},
           {.stock = "5", .account = "17", .cas = 500},
           {.stock = "5", .account = "18", .net = 500},
           {.stock = "5", .account = "20", .cas = 500},
           {.stock = "6", .account = "01", .cas = 10000},
           {.stock = "6", .account = "02", .net = 300},
           {.stock = "6", .account = "20", .net = 600}});
  Run();
  // 17 and 18 neither give nor get; 20 never gives but gets; 02 gives and gets by default.
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 02>01 500", "6 01>02 300", "6 01>20 600"}));
}

TEST_F(Passes, KeptAccount02IsLeftAlone) {
  AddRows({{.stock = "5", .account = "01", .cas = 10000},
           {.stock = "5", .account = "02", .cas = 500},
           {.stock = "6", .account = "01", .cas = 10000},
           {.stock = "6", .account = "02", .net = 300},
           {.stock = "6", .account = "03", .net = 300}});
  DetermineInputs in;
  in.keep_account_02 = true;
  Run(in);
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"6 01>03 300"}));
}

TEST_F(Passes, WithoutSettlementReportOverdueIsZeroAndGivesNoLimit) {
  // No settlement report read (SKIP_UNSTL): AODQTY of "01" stays 0, so all 600 it holds can
  // be given; the same stock with an overdue delivery of 400 read gives only 200.
  vars_.Set("SKIP_UNSTL", Value(true));
  AddRows({{.stock = "5", .account = "01", .cas = 600},
           {.stock = "5", .account = "12", .net = 1000},
           {.stock = "6", .account = "01", .cas = 600, .od = -400},
           {.stock = "6", .account = "12", .net = 1000}});
  Run(DetermineInputs::FromVars(vars_));
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 01>12 600", "6 01>12 200"}));
}

}  // namespace
}  // namespace zur::determine::testing
