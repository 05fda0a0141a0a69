#include "lib/format/field_split.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zur::format {
namespace {

using ::testing::ElementsAre;

TEST(CutCsv2, QuotedFieldKeepsItsComma) {
  std::vector<std::string> f;
  EXPECT_EQ(CutCsv2("00005,\"HSBC, HOLDINGS\",1000   ", f), 3u);
  EXPECT_THAT(f, ElementsAre("00005", "HSBC, HOLDINGS", "1000"));
}

TEST(CutCsv2, GrowsAndLeavesLaterElements) {
  std::vector<std::string> f = {"old1", "old2", "old3", "old4"};
  EXPECT_EQ(CutCsv2("a,b", f), 2u);
  EXPECT_THAT(f, ElementsAre("a", "b", "old3", "old4"));
  EXPECT_EQ(CutCsv2("1,,3,", f), 4u);
  EXPECT_THAT(f, ElementsAre("1", "", "3", ""));
  std::vector<std::string> g;
  EXPECT_EQ(CutCsv2("", g), 1u);
  EXPECT_THAT(g, ElementsAre(""));
  EXPECT_EQ(CutCsv2("\"open,never closed", g), 1u);
  EXPECT_THAT(g, ElementsAre("open,never closed"));
  EXPECT_EQ(CutCsv2("x\"y,z", g), 2u);
  EXPECT_THAT(g, ElementsAre("xy", "z"));
}

TEST(CutField, FixedArrayTrimmedFields) {
  std::vector<std::string> f(3, "stale");
  EXPECT_EQ(CutField(" a | \"b|c\"| d |e", "|", f), 4u);
  EXPECT_THAT(f, ElementsAre("a", "b|c", "d"));
  EXPECT_EQ(CutField("x", "|", f), 1u);
  EXPECT_THAT(f, ElementsAre("x", "", ""));
  EXPECT_EQ(CutField("\"q\"", ";", f), 1u);
  EXPECT_THAT(f, ElementsAre("q", "", ""));
  EXPECT_EQ(CutField("a,b", "", f), 1u);
  EXPECT_THAT(f, ElementsAre("a,b", "", ""));
}

}  // namespace
}  // namespace zur::format
