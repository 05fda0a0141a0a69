// Upload lines checked against lines written out column by column from the record layouts.
#include "run/upload/upload_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace zur::upload {
namespace {

std::string Blanks(size_t n) {
  return std::string(n, ' ');
}

UploadSettings Settings(bool ccass3, bool eight_char) {
  UploadSettings s;
  s.is_ccass3 = ccass3;
  s.eight_char_accounts = eight_char;
  s.zur_file_no = 3;
  s.sti_file_no = 2;
  s.part_id = "B01234";
  s.send_bic = "ABCDHKHH";
  s.own_ref = "REF&1";
  s.gen_date = *Date::FromYmd(2026, 12, 8);
  return s;
}

TEST(UploadLayoutTest, LayoutFollowsBothSwitches) {
  EXPECT_EQ(ChooseZurLayout(true, true), ZurLayout::kA);
  EXPECT_EQ(ChooseZurLayout(true, false), ZurLayout::kB);
  EXPECT_EQ(ChooseZurLayout(false, false), ZurLayout::kC);
  EXPECT_EQ(ZurLineLength(ZurLayout::kA), 99);
  EXPECT_EQ(ZurLineLength(ZurLayout::kB), 87);
  EXPECT_EQ(ZurLineLength(ZurLayout::kC), 74);
}

TEST(ZurHeaderTest, CcassThreeHeaderBlanksCharactersOutsideTheSet) {
  // col 1 type, 2-5 file no, 6-11 participant, 12-19 BIC, 20-34 own ref, 35-42 date,
  // 43-57 title, blanks to the line length.
  const std::string fields = std::string("0") + "0003" + "B01234" + "ABCDHKHH" + "REF 1" +
                             Blanks(10) + "20261208" + "ZUR BATCH INPUT";
  EXPECT_EQ(ZurHeaderLine(Settings(true, true)), fields + Blanks(99 - 57));
  EXPECT_EQ(ZurHeaderLine(Settings(true, false)), fields + Blanks(87 - 57));
}

TEST(ZurHeaderTest, OldLayoutHeaderKeepsTheAmpersand) {
  // col 1 type, 2-7 participant, 8-22 own ref, 23-30 date, 31-45 title, blanks to 74.
  EXPECT_EQ(ZurHeaderLine(Settings(false, false)), std::string("0") + "B01234" + "REF&1" +
                                                       Blanks(10) + "20261208" + "ZUR BATCH INPUT" +
                                                       Blanks(29));
}

TEST(ZurHeaderTest, LongOwnRefIsCutAtItsFieldEnd) {
  UploadSettings s = Settings(true, false);
  s.own_ref = "ABCDEFGHIJKLMNOPQ";
  EXPECT_EQ(ZurHeaderLine(s).substr(19, 23), "ABCDEFGHIJKLMNO20261208");
  s.is_ccass3 = false;
  EXPECT_EQ(ZurHeaderLine(s).substr(7, 23), "ABCDEFGHIJKLMNO20261208");
}

TEST(ZurHeaderTest, LineBreaksInTextNeverSplitALine) {
  UploadSettings s = Settings(false, false);
  s.own_ref = "A\r\nB";
  std::string line = ZurHeaderLine(s);
  EXPECT_EQ(line.size(), 74u);
  EXPECT_EQ(line.substr(7, 4), "A  B");
  EXPECT_EQ(StiHeaderLine(s).substr(19, 4), "A  B");
}

TEST(ZurDetailTest, EachLayoutColumnByColumn) {
  Transfer t{5, "HK0005000001", "25", "01", 500};
  // B: 1 type, 2-6 stock, 7-18 ISIN, 19-20 from, 21-22 to, 23-33 quantity, 34-73 blanks,
  // 74-87 record checksum.
  EXPECT_EQ(ZurDetailLine(Settings(true, false), t), std::string("1") + "00005" + "HK0005000001" +
                                                         "25" + "01" + "00000000500" + Blanks(40) +
                                                         "00000000000505");
  // C: 1 type, 2-5 stock, 6-7 from, 8-9 to, 10-20 quantity, 21-60 blanks, 61-74 checksum.
  EXPECT_EQ(
      ZurDetailLine(Settings(false, false), t),
      std::string("1") + "0005" + "25" + "01" + "00000000500" + Blanks(40) + "00000000000505");
  // A: 1 type, 2-6 stock, 7-18 ISIN, 19-26 from, 27-34 to, 35-45 quantity, 46-85 blanks,
  // 86-99 checksum.
  Transfer a{700, "KYG875721634", "00000025", "00000001", 1200};
  EXPECT_EQ(ZurDetailLine(Settings(true, true), a), std::string("1") + "00700" + "KYG875721634" +
                                                        "00000025" + "00000001" + "00000001200" +
                                                        Blanks(40) + "00000000001900");
}

TEST(ZurDetailTest, ShortAndOverlongTextFieldsKeepTheirColumns) {
  Transfer t{5, "HK5", "2", "012", 1};
  EXPECT_EQ(ZurDetailLine(Settings(true, false), t).substr(0, 22),
            std::string("1") + "00005" + "HK5" + Blanks(9) + "2 " + "01");
  Transfer odd{5, "HK&5", "2", "1", 1};
  EXPECT_EQ(ZurDetailLine(Settings(true, false), odd).substr(6, 4), "HK 5");
}

TEST(ZurTrailerTest, ChecksumsKeepTheirRightmostDigits) {
  UploadTotals totals{3, 12'345'678, 1'500, 12'347'178};
  // 1 type, 2-5 counter, 6-12 stock sum, 13-26 quantity sum, 27-43 all sum, blanks.
  const std::string fields =
      std::string("2") + "0003" + "2345678" + "00000000001500" + "00000000012347178";
  EXPECT_EQ(ZurTrailerLine(Settings(true, true), totals), fields + Blanks(99 - 43));
  EXPECT_EQ(ZurTrailerLine(Settings(true, false), totals), fields + Blanks(87 - 43));
  EXPECT_EQ(ZurTrailerLine(Settings(false, false), totals), fields + Blanks(74 - 43));
}

TEST(ZurTrailerTest, SumsBeyondFloatingPrecisionStayExact) {
  // 2^53 + 1 cannot be held by a double; 123456789012345678 is wider than its field.
  UploadTotals totals{1, 0, 0, 9'007'199'254'740'993};
  EXPECT_EQ(ZurTrailerLine(Settings(false, false), totals).substr(26, 17), "09007199254740993");
  totals.record_sum = 123'456'789'012'345'678;
  EXPECT_EQ(ZurTrailerLine(Settings(false, false), totals).substr(26, 17), "23456789012345678");
}

TEST(StiLinesTest, HeaderDetailTrailerColumnByColumn) {
  // 1 type, 2-5 file no, 6-11, 12-19, 20-34 own ref (not filtered), 35-42, 43-57, 58-120.
  EXPECT_EQ(StiHeaderLine(Settings(true, true)), std::string("0") + "0002" + "B01234" + "ABCDHKHH" +
                                                     "REF&1" + Blanks(10) + "20261208" +
                                                     "STI BATCH INPUT" + Blanks(63));
  // 1, 2-6 stock, 7-18 ISIN, 19-26, 27-34, 35-45 quantity, 46-59 constant, 60-99 blanks,
  // 100-113 checksum, 114-120 blanks.
  Transfer t{5, "HK0005000001", "00000025", "00000001", 500};
  EXPECT_EQ(StiDetailLine(t), std::string("1") + "00005" + "HK0005000001" + "00000025" +
                                  "00000001" + "00000000500" + "0000000000000F" + Blanks(40) +
                                  "00000000000505" + Blanks(7));
  // 1, 2-5 counter, 6-12, 13-26, 27-42 constant, 43-59 all sum, 60-120 blanks.
  EXPECT_EQ(StiTrailerLine(UploadTotals{1, 5, 500, 505}),
            std::string("2") + "0001" + "0000005" + "00000000000500" + "0000000000000000" +
                "00000000000000505" + Blanks(61));
}

TEST(StiLinesTest, WideNumbersKeepTheirRightmostDigits) {
  UploadTotals totals{10'001, 123'456'789, 123'456'789'012'345, 123'456'789'012'345'678};
  EXPECT_EQ(StiTrailerLine(totals).substr(0, 59), std::string("2") + "0001" + "3456789" +
                                                      "23456789012345" + "0000000000000000" +
                                                      "23456789012345678");
  UploadSettings s = Settings(true, true);
  s.sti_file_no = 12345;
  EXPECT_EQ(StiHeaderLine(s).substr(0, 5), "02345");
}

TEST(UploadTotalsTest, AddsAndRefusesOverflow) {
  UploadTotals totals;
  ASSERT_TRUE(totals.Add(Transfer{5, "", "", "", 500}));
  ASSERT_TRUE(totals.Add(Transfer{700, "", "", "", 1200}));
  EXPECT_EQ(totals.lines, 2);
  EXPECT_EQ(totals.stock_sum, 705);
  EXPECT_EQ(totals.quantity_sum, 1700);
  EXPECT_EQ(totals.record_sum, 2405);
  UploadTotals before = totals;
  EXPECT_FALSE(totals.Add(Transfer{1, "", "", "", INT64_MAX}));
  EXPECT_EQ(totals.record_sum, before.record_sum);
  EXPECT_EQ(totals.lines, before.lines);
}

}  // namespace
}  // namespace zur::upload
