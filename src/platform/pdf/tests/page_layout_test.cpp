#include "platform/pdf/page_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/big5/big5_text.h"
#include "platform/pdf/font_map.h"
#include "platform/pdf/report_file.h"
#include "platform/pdf/tests/tool_runner.h"

namespace zur::pdf {
namespace {

PageSetup SetupFor(int width, LayoutOptions options = {}) {
  return ChoosePageSetup(width, options);
}

TEST(PageSetupTest, OrientationAndFontFollowReportWidth) {
  auto p80 = SetupFor(80);
  EXPECT_EQ(p80.orientation, Orientation::kPortrait);
  EXPECT_EQ(p80.font_height, 40);
  EXPECT_EQ(p80.font_width, 25);

  auto l126 = SetupFor(126);
  EXPECT_EQ(l126.orientation, Orientation::kLandscape);
  EXPECT_EQ(l126.font_height, 28);
  EXPECT_EQ(l126.font_width, 20);

  EXPECT_EQ(SetupFor(149).font_width, 18);
  EXPECT_EQ(SetupFor(81).orientation, Orientation::kLandscape);
  EXPECT_EQ(SetupFor(300).font_width, 9);  // 300 x 10 is above 2750: reduced

  LayoutOptions portrait;
  portrait.force_portrait = true;
  auto p132 = SetupFor(132, portrait);
  EXPECT_EQ(p132.orientation, Orientation::kPortrait);
  EXPECT_EQ(p132.font_height, 28);
  EXPECT_EQ(p132.font_width, 13);

  LayoutOptions label;
  label.label = true;
  EXPECT_EQ(SetupFor(60, label).font_height, 41);
  EXPECT_EQ(SetupFor(90, label).font_height, 36);
}

TEST(PageSetupTest, OffsetNarrowsTheFontOnlyWhenTheLineWouldPassTheLimit) {
  LayoutOptions o;
  o.landscape_offset = 10;
  EXPECT_EQ(SetupFor(200, o).font_width, 13);  // 210 x 13 = 2730
  o.landscape_offset = 20;
  EXPECT_EQ(SetupFor(200, o).font_width, 12);  // 220 x 13 = 2860, 220 x 12 = 2640
  EXPECT_EQ(SetupFor(200, o).offset, 20);

  o.landscape_offset = -5;
  EXPECT_EQ(SetupFor(200, o).offset, 0);

  LayoutOptions huge;
  huge.landscape_offset = 100000;
  huge.portrait_offset = 100000;
  EXPECT_EQ(SetupFor(90, huge).font_width, 1);   // never a zero-width cell
  EXPECT_EQ(SetupFor(40, huge).font_width, 25);  // narrow reports keep their font
}

TEST(ReadLinesTest, SplitsAtLineEndsAndLongLines) {
  auto lines = ReadLines("ab\r\ncd\n\r\nlast");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "ab");
  EXPECT_EQ(lines[1], "cd");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "last");

  std::string longline(650, 'x');
  EXPECT_EQ(ReadLines(longline + "\r\n").size(), 3u);
  EXPECT_EQ(MeasureReportWidth(ReadLines(longline)), 300);
}

TEST(ReadLinesTest, WidthCountsFormFeedPositionAndOnlyTheFirstHundredLines) {
  std::string text = "abc\r\n" + std::string(10, ' ') + "\fHEADER LINE THAT IS LONG\r\n";
  EXPECT_EQ(MeasureReportWidth(ReadLines(text)), 11);
  std::string many;
  for (int i = 0; i < 100; ++i) many += "x\r\n";
  many += std::string(200, 'y') + "\r\n";
  EXPECT_EQ(MeasureReportWidth(ReadLines(many)), 1);
}

// A report file read through its buffer gives the lines of the whole text, also across the
// buffer's ends: CR LF and LF endings, lines longer than the printer reads, form feeds, a
// last line without an ending.
TEST(ReadLinesTest, ReportFileGivesTheLinesOfItsWholeText) {
  std::string text;
  for (int i = 0; text.size() < 700 * 1024; ++i) {
    text += std::string(static_cast<size_t>(i * 37 % 701), static_cast<char>('a' + i % 26));
    text += i % 3 == 0 ? "\n" : i % 7 == 0 ? "\f\r\n" : "\r\n";
  }
  text += "last\r";
  testing::TempDir dir;
  const auto path = dir.path() / "REPORT.TXT";
  testing::WriteAll(path, text);
  ReportFile report(path);
  ASSERT_EQ(report.error(), "");
  const std::vector<std::string_view> expected = ReadLines(text);
  for (int pass = 0; pass < 2; ++pass) {
    report.Rewind();
    std::string_view line;
    bool last = false;
    size_t n = 0;
    while (report.Next(line, last)) {
      ASSERT_LT(n, expected.size());
      ASSERT_EQ(line, expected[n]) << "line " << n;
      ASSERT_EQ(last, n + 1 == expected.size()) << "line " << n;
      ++n;
    }
    EXPECT_EQ(n, expected.size());
    EXPECT_EQ(report.error(), "");
  }
  EXPECT_EQ(expected.back(), "last");
  EXPECT_NE(ReportFile(dir.path() / "GONE.TXT").error().find("GONE.TXT"), std::string::npos);
}

std::vector<Page> Pages(const std::string& text, bool label = false) {
  auto lines = ReadLines(text);
  return LayOutPages(lines, ChoosePageSetup(MeasureReportWidth(lines), {}), label);
}

TEST(LayOutPagesTest, FormFeedsAndRowsMakePages) {
  EXPECT_TRUE(Pages("").empty());
  EXPECT_EQ(Pages("one\r\ntwo\r\n").size(), 1u);
  EXPECT_EQ(Pages("one\r\n\f").size(), 1u);  // trailing form feed: no empty page
  EXPECT_EQ(Pages("one\r\n\ftwo\r\n").size(), 2u);
  EXPECT_EQ(Pages("one\ftwo\fthree").size(), 3u);

  auto pages = Pages("one\r\n\fHEAD\r\nbody\r\n");
  ASSERT_EQ(pages.size(), 2u);
  ASSERT_EQ(pages[1].pieces.size(), 2u);
  EXPECT_EQ(pages[1].pieces[0].big5, "HEAD");
  EXPECT_EQ(pages[1].pieces[0].baseline, kTopMargin);
  EXPECT_EQ(pages[1].pieces[1].baseline, kTopMargin + 40);

  std::string rows;
  for (int i = 1; i <= 64; ++i) rows += "row " + std::to_string(i) + "\r\n";
  EXPECT_EQ(Pages(rows).size(), 1u);  // exactly one full page: no blank sheet after it
  auto two = Pages(rows + "row 65\r\n");
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[1].pieces.at(0).big5, "row 65");
  EXPECT_EQ(two[1].pieces.at(0).baseline, kTopMargin);

  std::string labels;
  for (int i = 1; i <= 70; ++i) labels += "L" + std::to_string(i) + "\r\n";
  auto lp = Pages(labels, true);
  ASSERT_EQ(lp.size(), 2u);
  EXPECT_EQ(lp[0].pieces.size(), 67u);
}

TEST(LayOutPagesTest, LongLinesArePiecesAtTheirOwnColumns) {
  std::string line(300, 'a');
  line[255] = 'B';
  auto pages = Pages(line + "\r\n");
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].pieces.size(), 2u);
  const auto setup = ChoosePageSetup(300, {});
  EXPECT_EQ(pages[0].pieces[0].big5.size(), 255u);
  EXPECT_EQ(pages[0].pieces[1].big5[0], 'B');
  EXPECT_EQ(pages[0].pieces[1].x, 255 * setup.font_width);

  // A two-byte character across the 255th byte moves whole to the second piece.
  std::string big5(254, 'a');
  big5 += "\xa4\xa4" + std::string(10, 'b');
  auto cut = Pages(big5)[0].pieces;
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0].big5.size(), 254u);
  EXPECT_EQ(cut[1].big5.substr(0, 2), "\xa4\xa4");
}

TEST(Big5TextTest, ConvertsNamesAndMarksDamage) {
  EXPECT_EQ(big5::Big5ToUtf8("\xa4\xa4\xb0\xea ABC"), "\xe4\xb8\xad\xe5\x9c\x8b ABC");
  EXPECT_EQ(big5::Big5ToUtf8("x\xa4"), "x\xef\xbf\xbd");
  EXPECT_EQ(big5::Big5ToUtf8("\xff\x01z"), "\xef\xbf\xbd\x01z");
}

TEST(FontMapTest, MapsBig5FamiliesToInstalledOnes) {
  EXPECT_EQ(InstalledFontFamily("\xb2\xd3\xa9\xfa\xc5\xe9"), "AR PL UMing TW");
  EXPECT_EQ(InstalledFontFamily("\xbc\xd0\xb7\xa2\xc5\xe9"), "AR PL UKai TW");
  EXPECT_EQ(InstalledFontFamily(""), "AR PL UMing TW");
  EXPECT_EQ(InstalledFontFamily("DejaVu Sans Mono  "), "DejaVu Sans Mono");
  EXPECT_EQ(InstalledFontFamily("\xff\xff"), "AR PL UMing TW");
}

}  // namespace
}  // namespace zur::pdf
