// Passes 4 and 5 (T+1 due bought out of "01") and the routing of transfers to the STI file
// with 8-digit accounts. Expected transfers are worked out by hand.
#include <gtest/gtest.h>

#include "run/determine/tests/determine_fixture.h"

namespace zur::determine::testing {
namespace {

class DueBought : public DetermineTest {
 protected:
  static DetermineInputs WithDueBought() {
    DetermineInputs in;
    in.due_bought_from_main = true;
    return in;
  }
};

TEST_F(DueBought, AccountsGetTheirDueBoughtUnlessPassedOver) {
  MakeTable(false);
  AddRows({{.stock = "5", .account = "01", .cas = 5000},
           {.stock = "5", .account = "02", .net = 100, .stl = 100},  // pass 3 only
           {.stock = "5", .account = "12", .net = -50, .stl = 200},  // 200 - 50
           {.stock = "5", .account = "13", .cas = 100, .net = 100, .stl = 200, .ustl = -30},
           {.stock = "5", .account = "14", .cas = 900, .net = 500, .stl = 200},  // emptied
           {.stock = "5", .account = "15", .net = 100, .stl = 200, .ustl = -300},
           {.stock = "5", .account = "16", .net = -300, .stl = 200},
           {.stock = "5", .account = "17", .net = 100, .stl = 100},
           {.stock = "5", .account = "20", .cas = 100, .net = 100, .stl = 100},
           {.stock = "5", .account = "25", .cas = 1000, .net = 1000, .stl = 200},
           {.stock = "5", .account = "26", .cas = 600, .net = 1000, .stl = 200}});
  const DetermineResult r = Run(WithDueBought());
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 14>01 400",                 // pass 1
                                         "5 01>26 400",                 // pass 2
                                         "5 01>02 100",                 // pass 3
                                         "5 01>25 200", "5 01>26 200",  // pass 4
                                         "5 01>12 150", "5 01>13 170", "5 01>20 100"}));
  EXPECT_EQ(r.transfers, (std::array<int64_t, 5>{1, 1, 1, 2, 3}));
  EXPECT_TRUE(r.due_bought_passes_run);

  const Decision topped_up = At("5", "26");  // the pair stays 01 -> 26, the T+1 part apart
  EXPECT_EQ(topped_up.from, "01");
  EXPECT_EQ(topped_up.to, "26");
  EXPECT_EQ(topped_up.qty, 600);
  EXPECT_EQ(topped_up.qty1, 200);
  const Decision emptied = At("5", "14");
  EXPECT_EQ(emptied.from, "14");
  EXPECT_EQ(emptied.qty, 400);
  EXPECT_EQ(emptied.qty1, 0);
  EXPECT_EQ(At("5", "12").qty1, 150);
  // T+1 transfers leave the running total of "01" alone: +400 -400 -100.
  EXPECT_EQ(At("5", "01").tfr, -100);
}

TEST_F(DueBought, ShortStockGetsNoneForAnyAccount) {
  MakeTable(false);
  // Stock 5: "01" holds 100 and delivers 200 tomorrow: short. Stock 6 is not short. Stock 8
  // has no "01" record: nothing tells it short, and passes 4 and 5 test no availability.
  AddRows({{.stock = "5", .account = "01", .cas = 100, .stl = -200},
           {.stock = "5", .account = "12", .cas = 100, .net = 100, .stl = 100},
           {.stock = "5", .account = "25", .cas = 100, .net = 100, .stl = 100},
           {.stock = "6", .account = "01", .cas = 1000},
           {.stock = "6", .account = "12", .cas = 100, .net = 100, .stl = 100},
           {.stock = "6", .account = "25", .cas = 100, .net = 100, .stl = 100},
           {.stock = "8", .account = "25", .cas = 100, .net = 100, .stl = 100}});
  Run(WithDueBought());
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"6 01>25 100", "8 01>25 100", "6 01>12 100"}));
}

TEST_F(DueBought, EightDigitAccountsAbove20GoToTheStiFile) {
  MakeTable(true);
  // 12345678 is a client's segregated account: above "00000020" like account 25 and 30.
  AddRows({{.stock = "5", .account = "01", .cas = 10000},
           {.stock = "5", .account = "12", .net = 200},
           {.stock = "5", .account = "13", .cas = 100, .net = 100, .stl = 50},
           {.stock = "5", .account = "15", .cas = 500},
           {.stock = "5", .account = "25", .cas = 400},
           {.stock = "5", .account = "30", .cas = 100, .net = 100, .stl = 100},
           {.stock = "5", .account = "12345678", .net = 300}});
  const DetermineResult r = Run(WithDueBought());
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 00000015>00000001 500", "5 00000001>00000012 200",
                                         "5 00000001>00000013 50"}));
  EXPECT_EQ(Transfers(StiFile()), (Texts{"5 00000025>00000001 400", "5 00000001>12345678 300",
                                         "5 00000001>00000030 100"}));
  EXPECT_EQ(r.zur_lines, 3);
  EXPECT_EQ(r.sti_lines, 3);
  EXPECT_EQ(At("5", "12345678").to, "12345678");
  EXPECT_EQ(At("5", "01").tfr, 400);  // +500 +400 -300 -200
  // STI trailer: 3 lines, stock sum 15, quantity sum 800.
  EXPECT_EQ(Lines(StiFile()).back().substr(0, 26), "20003000001500000000000800");
}

}  // namespace
}  // namespace zur::determine::testing
