#include "platform/vars/dbase_mem.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/vars/tests/mem_file_builder.h"

namespace zur {
namespace {

using testing::MemFileBuilder;

TEST(DbaseMem, ReadsEveryType) {
  const std::string big(300, 'x');
  const MemFileBuilder mem = MemFileBuilder()
                                 .Text("CO_NAME", "\xA4\xA4\xB0\xEA  ")
                                 .Text("EMPTY", "")
                                 .Text("BIG", big)
                                 .Number("STKNO_LEN", 5)
                                 .Number("NEG", -12.25)
                                 .Logical("SBF1_USER", true)
                                 .Logical("L_F", false)
                                 .DayNumber("CAS3_START", 2455198)  // 2010-01-01
                                 .DayNumber("D_BLANK", 0)
                                 .DayNumber("D_0100", 1757585)
                                 .End();
  const DbaseMemRead r = ReadDbaseMem(mem.bytes());
  EXPECT_EQ(r.errors, 0);
  ASSERT_EQ(r.vars.size(), 10u);
  EXPECT_EQ(r.vars[0].name, "CO_NAME");
  EXPECT_EQ(r.vars[0].value, Value("\xA4\xA4\xB0\xEA  "));
  EXPECT_EQ(r.vars[1].value, Value(""));
  EXPECT_EQ(r.vars[2].value, Value(big));
  EXPECT_EQ(r.vars[3].value, Value(5));
  EXPECT_EQ(r.vars[4].value, Value(-12.25));
  EXPECT_EQ(r.vars[5].value, Value(true));
  EXPECT_EQ(r.vars[6].value, Value(false));
  EXPECT_EQ(r.vars[7].value.date().Dtos(), "20100101");
  EXPECT_TRUE(r.vars[8].value.date().IsBlank());
  EXPECT_EQ(r.vars[9].value.date().Dtos(), "01000101");
}

TEST(DbaseMem, TypeByteWithoutTheHighBitAndAnyNonZeroLogical) {
  const MemFileBuilder mem = MemFileBuilder()
                                 .Header("PLAIN", 'C', 3, 0)
                                 .Raw(std::string("ab\0", 3))
                                 .Header("FLAG", 'L', 1, 0)
                                 .Raw("\x7F");
  const DbaseMemRead r = ReadDbaseMem(mem.bytes());
  ASSERT_EQ(r.vars.size(), 2u);
  EXPECT_EQ(r.vars[0].value, Value("ab"));
  EXPECT_EQ(r.vars[1].value, Value(true));
}

TEST(DbaseMem, InvalidNamesAndDatesAreCountedAndSkipped) {
  const MemFileBuilder mem = MemFileBuilder()
                                 .Text("1ST", "skipped")
                                 .Number("_X", 1)
                                 .Number("", 2)
                                 .Logical("A-B", true)
                                 .DayNumber("D_NEG", -5)
                                 .DayNumber("D_FAR", 1e300)
                                 .DayNumber("D_NAN", std::nan(""))
                                 .Text("GOOD_1", "kept")
                                 .End();
  const DbaseMemRead r = ReadDbaseMem(mem.bytes());
  EXPECT_EQ(r.errors, 7);
  EXPECT_EQ(r.problems.size(), 7u);
  ASSERT_EQ(r.vars.size(), 1u);
  EXPECT_EQ(r.vars[0].name, "GOOD_1");
  EXPECT_EQ(r.vars[0].value, Value("kept"));
}

// Any 8 bytes make a double; a memory file holds finite numbers only, so a NaN or an infinity
// is not converted (it would reach a float-to-int cast as a file number or a width).
TEST(DbaseMem, NonFiniteNumbersAreCountedAndSkipped) {
  const MemFileBuilder mem = MemFileBuilder()
                                 .Number("ATI_FILENO", std::nan(""))
                                 .Number("UP", HUGE_VAL)
                                 .Number("DOWN", -HUGE_VAL)
                                 .Number("STKNO_LEN", 5)
                                 .End();
  const DbaseMemRead r = ReadDbaseMem(mem.bytes());
  EXPECT_EQ(r.errors, 3);
  ASSERT_EQ(r.problems.size(), 3u);
  EXPECT_NE(r.problems[0].find("\"ATI_FILENO\": not a finite number"), std::string::npos)
      << r.problems[0];
  ASSERT_EQ(r.vars.size(), 1u);
  EXPECT_EQ(r.vars[0].name, "STKNO_LEN");
}

TEST(DbaseMem, EndsCleanlyOnDamage) {
  const std::string one = MemFileBuilder().Number("FIRST", 1).bytes();
  struct Case {
    std::string tail;
    int errors;
  };
  const Case cases[] = {
      {"", 0},
      {"\x1A", 0},
      {"\x1A" + std::string(40, 'Z'), 0},  // padding after the end marker
      {std::string(31, 'Q'), 0},           // a partial header is the end
      {MemFileBuilder().Header("CUT", 'N' + 128, 8, 0).Raw("1234567").bytes(), 1},
      {MemFileBuilder().Header("CUT", 'C' + 128, 0, 255).Raw("short").bytes(), 1},
      {MemFileBuilder().Header("CUT", 'L' + 128, 1, 0).bytes(), 1},
      {MemFileBuilder().Header("ODD", 'X' + 128, 8, 0).Number("NEXT", 2).bytes(), 1},
  };
  for (const Case& c : cases) {
    const DbaseMemRead r = ReadDbaseMem(one + c.tail);
    EXPECT_EQ(r.errors, c.errors) << c.tail;
    ASSERT_EQ(r.vars.size(), 1u) << c.tail;
    EXPECT_EQ(r.vars[0].name, "FIRST");
  }
  EXPECT_TRUE(ReadDbaseMem("").vars.empty());
}

TEST(DbaseMem, NameEndsAtTheFirstNulOrTheNameField) {
  std::string header = MemFileBuilder().Header("ABCDEFGHIJK", 'L' + 128, 1, 0).bytes();
  const DbaseMemRead r = ReadDbaseMem(header + "\1");
  ASSERT_EQ(r.vars.size(), 1u);
  EXPECT_EQ(r.vars[0].name, "ABCDEFGHIJK");
  header[3] = '\0';
  EXPECT_EQ(ReadDbaseMem(header + "\1").vars.at(0).name, "ABC");
}

}  // namespace
}  // namespace zur
