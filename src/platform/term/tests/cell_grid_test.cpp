#include <gtest/gtest.h>

#include "platform/term/cell_grid.h"
#include "platform/term/colour.h"
#include "platform/term/display_text.h"
#include "platform/term/pixel_cells.h"

namespace zur::term {
namespace {

constexpr std::string_view kChina = "\xa4\xa4\xb0\xea";  // two Chinese characters
constexpr std::string_view kChinaUtf8 = "\xe4\xb8\xad\xe5\x9c\x8b";

TEST(CellGridTest, Big5IsShownAsUtf8TwoColumnsEach) {
  CellGrid grid(1, 10);
  grid.Put(0, 1, std::string(kChina) + "AB", {});
  EXPECT_EQ(RowText(grid, 0), " " + std::string(kChinaUtf8) + "AB   ");
  EXPECT_EQ(grid.RowBytes(0), " " + std::string(kChina) + "AB   ");
}

TEST(CellGridTest, OverwritingHalfACharacterBlanksTheOtherHalf) {
  struct Case {
    int col;
    std::string expected;
  } cases[] = {
      {0, "x" + std::string(" ") + std::string(kChina.substr(2)) + "  "},  // over the first lead
      {1, " x" + std::string(kChina.substr(2)) + "  "},                    // over its trail
      {3, std::string(kChina.substr(0, 2)) + " x  "},                      // over the second trail
  };
  for (const Case& c : cases) {
    CellGrid grid(1, 6);
    grid.Put(0, 0, kChina, {});
    grid.Put(0, c.col, "x", {});
    EXPECT_EQ(grid.RowBytes(0), c.expected) << c.col;
  }
}

TEST(CellGridTest, ACharacterCutByTheEdgeOrACopyBecomesBlank) {
  CellGrid grid(2, 5);
  grid.Put(0, 3, kChina, {});  // the second character does not fit
  EXPECT_EQ(grid.RowBytes(0), "   " + std::string(kChina.substr(0, 2)));
  grid.Put(1, 0, "ab" + std::string(kChina.substr(0, 2)) + "c", {});
  CellGrid target(2, 5);
  target.CopyFrom(grid, Rect{1, 3, 1, 2});  // only the trail byte and "c"
  EXPECT_EQ(target.RowBytes(1), "    c");
  grid.Scroll(Rect{0, 0, 2, 5}, 1, {});
  EXPECT_EQ(grid.RowBytes(0), "ab" + std::string(kChina.substr(0, 2)) + "c");
  EXPECT_EQ(grid.RowBytes(1), "     ");
}

TEST(ColourTest, ColourConstantNames) {
  EXPECT_EQ(ColourNumber("GRA_CLR_DEFAULT"), -3);
  EXPECT_EQ(ColourNumber("GRA_CLR_BLUE"), 2);
  EXPECT_EQ(ColourNumber("GRA_CLR_PALEGRAY"), 15);
  EXPECT_EQ(ColourNumber("GRA_CLR_PURPLE"), -3);
  EXPECT_EQ(ColourNumber("gra_clr_blue"), -3);
  const Attr label = LabelAttr("NIL", "GRA_CLR_RED");
  EXPECT_EQ(label.fg, Colour::kBrightRed);
  EXPECT_EQ(label.bg, Colour::kDefault);
  const Attr base{Colour::kBlack, Colour::kCyan};
  EXPECT_EQ(LabelAttr("NIL", "NIL", base), base);
  EXPECT_EQ(LabelAttr("GRA_CLR_DARKBLUE", "GRA_CLR_UNKNOWN", base).bg, Colour::kBlue);
  EXPECT_EQ(LabelAttr("GRA_CLR_DARKBLUE", "GRA_CLR_UNKNOWN", base).fg, Colour::kDefault);
}

TEST(ColourTest, ConsoleSettings) {
  const ColourSetting s = ParseColourSetting("N+/W,W+/G,,,gr*/b");
  EXPECT_EQ(s.standard.fg, Colour::kDarkGray);
  EXPECT_EQ(s.standard.bg, Colour::kLightGray);
  EXPECT_TRUE(s.standard.bold);
  EXPECT_EQ(s.enhanced.fg, Colour::kWhite);
  EXPECT_EQ(s.enhanced.bg, Colour::kGreen);
  EXPECT_EQ(s.border, ColourSetting{}.border);  // empty pairs keep the default
  EXPECT_EQ(s.unselected.fg, Colour::kBrown);
  EXPECT_EQ(s.unselected.bg, Colour::kBlue);
  EXPECT_TRUE(s.unselected.blink);
  EXPECT_EQ(ParseColourSetting("BG/RB").standard.fg, Colour::kCyan);
  EXPECT_EQ(ParseColourSetting("BG/RB").standard.bg, Colour::kMagenta);
}

}  // namespace
}  // namespace zur::term

namespace zur::term {
namespace {

TEST(PixelCellsTest, BoxesOfTheVirtualWindowOnTheGrid) {
  struct Case {
    int x, y, w, h;
    Rect cells;
  } cases[] = {
      {5 * 10 + 33, (25 - 7 - 1) * 20, 25 * 10 + 4, 20, Rect{7, 8, 1, 25}},  // a label at (5, 7)
      {33 * 10 + 33, (25 - 7 - 1) * 20 - 1, 40 * 10 + 5, 20, Rect{7, 36, 1, 40}},  // its entry
      {0, 0, 10, 20, Rect{24, 0, 1, 1}},                                           // the bottom row
      {20, 20, 80, 30, Rect{23, 2, 1, 8}},  // a button 30 pixels high
      {720, 297, 70, 20, Rect{9, 72, 1, 7}},
      {0, 24 * 20 + 5, 10, 20, Rect{0, 0, 1, 1}},  // the top row, and above it
      {0, 900, 10, 20, Rect{0, 0, 1, 1}},
      {-40, -40, 0, 0, Rect{24, 0, 1, 1}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CellsOfPixels(c.x, c.y, c.w, c.h), c.cells) << c.x << "," << c.y;
}

}  // namespace
}  // namespace zur::term
