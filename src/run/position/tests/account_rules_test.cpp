// The rules that need no tables: which account a client's position goes to, which positions
// count their unsettled trades, the short cover, the mapping rows and the settings read.
#include <gtest/gtest.h>

#include "run/position/client_account.h"
#include "run/position/quantities.h"
#include "run/position/stock_code_map.h"
#include "run/position/unsettled.h"

namespace zur::position {
namespace {

PositionInputs Accounts() {
  PositionInputs in;
  in.accounts = {"04", "02", "05", "06", "07", "03      ", "11", "12", "13", "09", "08", "17"};
  return in;
}

TEST(ClientAccountTest, SegregatedAccountThenClientType) {
  PositionInputs in = Accounts();
  EXPECT_EQ(ClientAccount("C001", "        ", in), "02");
  EXPECT_EQ(ClientAccount("C001", "12      ", in), "12");
  EXPECT_EQ(ClientAccount("A001", "", in), "04");
  EXPECT_EQ(ClientAccount("I001", "", in), "05");
  EXPECT_EQ(ClientAccount("F001", "", in), "03");
  EXPECT_EQ(ClientAccount("X001", "", in), "09");
  EXPECT_EQ(ClientAccount("", "", in), "09");
  // S, T and B have their own accounts only when the settings hold them.
  EXPECT_EQ(ClientAccount("S001", "", in), "09");
  in.accounts.has_s = in.accounts.has_b = true;
  EXPECT_EQ(ClientAccount("S001", "", in), "11");
  EXPECT_EQ(ClientAccount("T001", "", in), "09");
  EXPECT_EQ(ClientAccount("B001", "", in), "13");
  in.eight_digit = true;
  EXPECT_EQ(ClientAccount("C001", "12      ", in), "00000012");
  EXPECT_EQ(ClientAccount("C001", "", in), "00000002");
}

TEST(ClientAccountTest, SiteGroups) {
  PositionInputs in = Accounts();
  in.user_key = "ROVERU   ";
  EXPECT_EQ(ClientAccount("A29001", "", in), "06");
  EXPECT_EQ(ClientAccount("A21001", "", in), "05");
  EXPECT_EQ(ClientAccount("A81001", "", in), "05");
  EXPECT_EQ(ClientAccount("A41001", "", in), "07");
  EXPECT_EQ(ClientAccount("A11001", "", in), "03");
  EXPECT_EQ(ClientAccount("A29001", "15", in), "15");
  in.user_key = "MENEMI";
  EXPECT_EQ(ClientAccount("M1001", "", in), "08");
  EXPECT_EQ(ClientAccount("MA001", "", in), "06");
  EXPECT_EQ(ClientAccount("P1001", "", in), "17");
  EXPECT_EQ(ClientAccount("PA001", "", in), "07");
  EXPECT_EQ(ClientAccount("A11001", "", in), "04");
}

TEST(ClientAccountTest, FinanceCompanyClients) {
  PositionInputs in = Accounts();
  in.conv_type = "P";
  in.finance_ac = "FC";
  EXPECT_EQ(ClientAccount("FC001", "", in), "03");  // not a finance user: type F
  in.sbf3_user = true;
  EXPECT_EQ(ClientAccount("FC001", "", in), "07");
  EXPECT_EQ(ClientAccount("P0001", "", in), "07");
  EXPECT_EQ(ClientAccount("C0001", "", in), "02");
  in.conv_type = "M";
  EXPECT_EQ(ClientAccount("M0001", "", in), "03");  // any other type letter: ATI_F
  EXPECT_EQ(FinanceAccount(in), "03");
  in.eight_digit = true;
  EXPECT_EQ(FinanceAccount(in), "00000003");
  // An unset finance account prefix claims no client.
  in.finance_ac = "   ";
  EXPECT_EQ(ClientAccount("C0001", "", in), "00000002");
  in.nominee_ac = "N9";
  EXPECT_EQ(ClientAccount("N9001", "", in), "00000009");
  in.user_key = "KATIPI";
  EXPECT_EQ(ClientAccount("N9001", "", in), "00000003");
}

TEST(CountsUnsettledTest, ByClientTypeSiteAndCashStockSetting) {
  PositionInputs in;
  in.cash_stock = "N";
  EXPECT_TRUE(CountsUnsettled("I01", false, in));
  EXPECT_TRUE(CountsUnsettled("M01", false, in));
  EXPECT_TRUE(CountsUnsettled("P01", false, in));
  EXPECT_FALSE(CountsUnsettled("C01", true, in));
  in.cash_stock = "Y";
  EXPECT_TRUE(CountsUnsettled("C01", true, in));
  EXPECT_FALSE(CountsUnsettled("C01", false, in));
  in.cash_stock = "A";
  EXPECT_TRUE(CountsUnsettled("C01", false, in));
  in.user_key = "LETURA";
  EXPECT_FALSE(CountsUnsettled("S01", true, in));
  EXPECT_TRUE(CountsUnsettled("T01", true, in));
  in.user_key = "GUNITA";
  EXPECT_FALSE(CountsUnsettled("T01", true, in));
  in.user_key = "";
  in.bank_trade = true;
  EXPECT_FALSE(CountsUnsettled("C01", true, in));
  EXPECT_TRUE(CountsUnsettled("A01", true, in));
  in.user_key = "TEFEBE";
  EXPECT_FALSE(CountsUnsettled("C1Y0", true, in));
  EXPECT_TRUE(CountsUnsettled("CAY0", true, in));
  EXPECT_TRUE(CountsUnsettled("C1N0", true, in));
}

TEST(CoverShortTest, TakesFromDueThenUndue) {
  // Holding -300 after a due sale of 100: the whole sale covers part of the short.
  Quantities q{-300, -100, 0, 0};
  ShortCover sc = CoverShort(q.holding + q.due + q.undue, q);
  EXPECT_EQ(sc.open, -300);
  EXPECT_EQ(sc.from_due, -100);
  EXPECT_EQ(q.due, 0);
  // A short smaller than the due sale takes only what it needs, then nothing from undue.
  q = {50, -100, -40, 0};
  sc = CoverShort(q.holding + q.due + q.undue, q);
  EXPECT_EQ(sc.from_due, -90);
  EXPECT_EQ(q.due, -10);
  EXPECT_EQ(sc.from_undue, 0);
  EXPECT_EQ(q.undue, -40);
  EXPECT_EQ(sc.open, 0);
  // Both used up.
  q = {-500, -100, -40, 0};
  sc = CoverShort(q.holding + q.due + q.undue, q);
  EXPECT_EQ(sc.open, -500);
  EXPECT_EQ(sc.from_due, -100);
  EXPECT_EQ(sc.from_undue, -40);
  // No short position: nothing moves.
  q = {500, -100, 0, 0};
  sc = CoverShort(q.holding + q.due + q.undue, q);
  EXPECT_TRUE(sc.NoneNegative());
  EXPECT_EQ(sc.open, 0);
  EXPECT_EQ(q.due, -100);
}

TEST(StockCodeMapTest, RowsFromLinesAndFirstMatchWins) {
  StockCodeMap map = StockCodeMap::FromLines(
      {"0HEADER", "", "1600000900011", "1600000900022", "2600001900033", "1600002", "1"});
  ASSERT_EQ(map.rows().size(), 7u);
  EXPECT_EQ(map.rows()[0].code, "");
  EXPECT_EQ(map.rows()[2].extra, "1");
  EXPECT_EQ(map.Find("600000"), "90001");
  EXPECT_EQ(map.Find(" 600000 "), "90001");
  EXPECT_EQ(map.Find("600001"), std::nullopt);  // type 2 lines are ignored
  EXPECT_EQ(map.Find("600002"), "");            // a short line maps to an empty number
  EXPECT_EQ(map.Find(""), std::nullopt);
}

TEST(PositionInputsTest, FromVarsDefaultsAndReads) {
  VarStore vars;
  PositionInputs in = PositionInputs::FromVars(vars);
  // Exclusion flags that are missing or blank count their quantities.
  EXPECT_FALSE(in.excluded.str || in.excluded.com || in.excluded.td || in.excluded.bank ||
               in.excluded.other);
  EXPECT_EQ(in.accounts.f, "03");
  EXPECT_EQ(in.conv_type, "F");
  EXPECT_TRUE(in.mapping.empty());
  EXPECT_TRUE(in.mapping_alerts);
  EXPECT_FALSE(in.use_finance);

  vars.Set("EX_STRQTY", Value("N"));
  vars.Set("EX_COMQTY", Value("Y"));
  vars.Set("EX_TDQTY", Value(" "));
  vars.Set("EX_CLTYPE", Value(" AC       "));
  vars.Set("SBF_PATH", Value("/fin/"));
  vars.Set("CONT", Value(false));
  vars.Set("CAS3_0705", Value(Date::FromYmd(2026, 1, 1).value()));
  vars.Set("GEN_DATE", Value(Date::FromYmd(2026, 12, 8).value()));
  vars.Set("TRAN_DATE", Value(Date::FromYmd(2026, 12, 8).value()));
  Value rows = Value::NewArray(
      {Value::NewArray({Value("600000"), Value("90001"), Value("")}), Value::NewArray({})});
  vars.Set("STKCODE", rows);
  in = PositionInputs::FromVars(vars);
  EXPECT_FALSE(in.excluded.str);
  EXPECT_TRUE(in.excluded.com);
  EXPECT_FALSE(in.excluded.td);
  EXPECT_EQ(in.excluded_types, "AC");
  EXPECT_TRUE(in.use_finance);
  EXPECT_FALSE(in.mapping_alerts);
  EXPECT_TRUE(in.eight_digit);
  EXPECT_EQ(in.tran_date, Date::FromYmd(2026, 12, 8).value());
  EXPECT_EQ(in.mapping.rows().size(), 2u);
  EXPECT_EQ(in.mapping.Find("600000"), "90001");
}

}  // namespace
}  // namespace zur::position
