#include <gtest/gtest.h>

#include "lib/format/account_code.h"
#include "lib/format/market.h"
#include "lib/format/upload_field.h"

namespace zur::format {
namespace {

Date Ymd(int y, int m, int d) {
  return *Date::FromYmd(y, m, d);
}

TEST(FmtAcNum, TwoCharactersOrEightDigits) {
  EXPECT_EQ(FmtAcNum(" 5 ", false), "5 ");
  EXPECT_EQ(FmtAcNum(" 5 ", true), "00000005");
  EXPECT_EQ(FmtAcNum("123", false), "12");
  EXPECT_EQ(FmtAcNum("123456789", true), "123456789");
  EXPECT_EQ(FmtAcNum("", true), "00000000");
}

TEST(Ccass0705, SwitchDateOnOrBeforeGenerationDate) {
  VarStore vars;
  EXPECT_FALSE(Ccass0705(vars));
  vars.Set("GEN_DATE", Value(Ymd(2007, 5, 7)));
  vars.Set("CAS3_0705", Value(Date()));
  EXPECT_FALSE(Ccass0705(vars));
  vars.Set("CAS3_0705", Value("20070507"));
  EXPECT_FALSE(Ccass0705(vars));
  vars.Set("CAS3_0705", Value(Ymd(2007, 5, 7)));
  EXPECT_TRUE(Ccass0705(vars));
  EXPECT_FALSE(Ccass0705R(vars));
  vars.Set("CAS3_0705", Value(Ymd(2007, 5, 6)));
  EXPECT_TRUE(Ccass0705R(vars));
  vars.Set("CAS3_0705", Value(Ymd(2007, 5, 8)));
  EXPECT_FALSE(Ccass0705(vars));
  // A blank transmission date is before every switch date.
  vars.Set("CAS3_0705", Value(Ymd(2007, 5, 6)));
  vars.Set("GEN_DATE", Value(Date()));
  EXPECT_FALSE(Ccass0705(vars));
  EXPECT_FALSE(Ccass0705R(vars));
}

TEST(AppendTextField, PadsOrCutsTheLineToTheFieldEnd) {
  TextFieldCharset open;
  std::string line = "AB";
  AppendTextField(line, "xyz", 8, open);
  EXPECT_EQ(line, "ABxyz   ");
  AppendTextField(line, "0123456789", 12, open);
  EXPECT_EQ(line, "ABxyz   0123");
}

TEST(AppendTextField, CcassThreeBlanksForeignCharacters) {
  TextFieldCharset cas3{true, " ABCDEFGHIJKLMNOPQRSTUVWXYZ&"};
  cas3.allowed.pop_back();  // no ampersand
  std::string line;
  AppendTextField(line, "A&B&C", 6, cas3);
  EXPECT_EQ(line, "A B C ");
  line.clear();
  AppendTextField(line, "A&B", 3, TextFieldCharset{false, ""});
  EXPECT_EQ(line, "A&B");

  VarStore vars;
  vars.Set("IS_CCASS3", Value(true));
  vars.Set("CAS3_CHAR", Value(" ABC"));
  TextFieldCharset from_vars = TextFieldCharset::FromVars(vars);
  EXPECT_TRUE(from_vars.restricted);
  EXPECT_EQ(from_vars.allowed, " ABC");
}

TEST(AppendNumberField, ZeroPaddedOrLastDigits) {
  std::string line = "X";
  AppendNumberField(line, 12, 5);
  EXPECT_EQ(line, "X00012");
  line.clear();
  AppendNumberField(line, 1234567, 5);
  EXPECT_EQ(line, "34567");
  line.clear();
  AppendNumberField(line, 0, 3);
  EXPECT_EQ(line, "000");
  line.clear();
  AppendNumberField(line, -12, 5);
  EXPECT_EQ(line, "-0012");
}

TEST(Market, HongKongCodes) {
  EXPECT_TRUE(IsHkMarket("    "));
  EXPECT_TRUE(IsHkMarket("HKEX"));
  EXPECT_TRUE(IsHkMarket("hk"));
  EXPECT_FALSE(IsHkMarket("Hk"));
  EXPECT_FALSE(IsHkMarket("SAS "));
  EXPECT_FALSE(IsHkCurrency(" HKD"));
}

}  // namespace
}  // namespace zur::format
