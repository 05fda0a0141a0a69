#include "lib/format/stock_number.h"

#include <gtest/gtest.h>

namespace zur::format {
namespace {

StockNumberRules Plain() {
  return StockNumberRules{};
}

StockNumberRules Sas(int len, int len2, bool after, char just = 'L') {
  StockNumberRules r;
  r.stkno_len = len;
  r.stkno_len2 = len2;
  r.sas_mkt = true;
  r.after_sas_conv = after;
  r.sno_just = just;
  return r;
}

TEST(StrVal, PlainMarketKeysAreRightJustifiedInFive) {
  EXPECT_EQ(StrVal("5", Plain()), "    5");
  EXPECT_EQ(StrVal("00005", Plain()), "    5");
  EXPECT_EQ(StrVal(" 5", Plain()), "    5");
  EXPECT_EQ(StrVal("12A", Plain()), "12A  ");
  EXPECT_EQ(StrVal("ABCDEFG", Plain()), "ABCDE");
  EXPECT_EQ(StrVal("", Plain()), "     ");
  EXPECT_EQ(StrVal("   ", Sas(6, 8, false)), "      ");
  // A number too wide for the key keeps all its digits rather than colliding with others.
  EXPECT_EQ(StrVal("123456", Plain()), "123456");
}

TEST(StrVal, SasMarketWidthsAndConvertedNumbers) {
  EXPECT_EQ(StrVal("5", Sas(6, 8, false)), "     5");
  EXPECT_EQ(StrVal("012345", Sas(6, 8, false)), " 12345");
  EXPECT_EQ(StrVal("012345", Sas(6, 8, true)), "012345");
  EXPECT_EQ(StrVal("01234", Sas(6, 8, true)), "  1234");  // not the full width
  EXPECT_EQ(StrVal3("00012345", Sas(6, 8, true)), "00012345");
  EXPECT_EQ(StrVal3("5", Sas(6, 8, false)), "       5");
  EXPECT_EQ(StrVal3("5", Plain()), "    5");
  EXPECT_EQ(StrVal3("X1", Sas(6, 8, false)), "X1      ");
}

TEST(StrVal2, LastFiveDigits) {
  EXPECT_EQ(StrVal2("600519"), "00519");
  EXPECT_EQ(StrVal2("12345"), "12345");
  EXPECT_EQ(StrVal2("5"), "    5");
  EXPECT_EQ(StrVal2(""), "     ");
  EXPECT_EQ(StrVal2("A1"), "A1   ");
  EXPECT_EQ(StrVal2("00000"), "    0");
  EXPECT_EQ(StrVal2("12 34"), "   12");  // the number ends at the first blank
  EXPECT_EQ(StrVal2("123456789012345678901234"), "01234");
}

TEST(StrValD, JustificationUnderSasConversion) {
  EXPECT_EQ(StrValD("5", Plain()), "    5");
  EXPECT_EQ(StrValD(" 5 ", Sas(5, 6, false)), "5     ");
  EXPECT_EQ(StrValD("012345", Sas(5, 6, true)), "012345");
  EXPECT_EQ(StrValD("5", Sas(5, 6, true, 'L')), "5     ");
  EXPECT_EQ(StrValD("5", Sas(5, 6, true, 'R')), "     5");
  EXPECT_EQ(StrValD("5", Sas(5, 6, true, 'Z')), "00005 ");
  EXPECT_EQ(StrValD("", Sas(5, 6, true)), "      ");
  EXPECT_EQ(StrValD("AB", Sas(5, 6, true)), "AB    ");
}

TEST(LeadZero, PadsButNeverCuts) {
  EXPECT_EQ(LeadZero(" 12 ", 5), "00012");
  EXPECT_EQ(LeadZero("123456", 5), "123456");
  EXPECT_EQ(LeadZero("7", 0), "7");
}

TEST(StockNumberRules, ReadFromTheStoreAndCreateAfterSasConv) {
  VarStore vars;
  StockNumberRules r = StockNumberRules::FromVars(vars);
  EXPECT_EQ(r.stkno_len, 5);
  EXPECT_EQ(r.sno_just, 'L');
  EXPECT_FALSE(r.sas_mkt);
  ASSERT_TRUE(vars.Exists("AFTER_SAS_CONV"));
  EXPECT_FALSE(vars.Get("AFTER_SAS_CONV").logical());

  vars.Set("STKNO_LEN", Value(6));
  vars.Set("STKNO_LEN2", Value(-3));
  vars.Set("SAS_MKT", Value(true));
  vars.Set("AFTER_SAS_CONV", Value("Y"));  // not logical: not set
  vars.Set("SNO_JUST", Value("z"));
  r = StockNumberRules::FromVars(vars);
  EXPECT_EQ(r.stkno_len, 6);
  EXPECT_EQ(r.stkno_len2, 5);
  EXPECT_TRUE(r.sas_mkt);
  EXPECT_FALSE(r.after_sas_conv);
  EXPECT_EQ(r.sno_just, 'Z');
}

}  // namespace
}  // namespace zur::format
