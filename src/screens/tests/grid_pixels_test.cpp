#include "screens/grid_pixels.h"

#include <gtest/gtest.h>

#include <limits>

#include "screens/form_label.h"
#include "screens/tests/screens_fixture.h"

namespace zur::screens {
namespace {

TEST(GridPixelsTest, ColumnsAndRowsAreClampedToTheGrid) {
  const GridMetrics m;
  const struct {
    std::optional<int> n;
    double x;
    double y;
  } cases[] = {
      {std::nullopt, 0, 0}, {0, 0, 480}, {24, 240, 0}, {100, 790, 0}, {-3, 0, 480},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(m.TextCol(c.n), c.x) << c.n.value_or(-99);
    EXPECT_EQ(m.TextRow(c.n), c.y) << c.n.value_or(-99);
  }
  // Labels and entries are shifted 33 pixels right: three cells.
  EXPECT_EQ(m.LabelCells(0, 5, 26), (term::Rect{5, 3, 1, 26}));
  EXPECT_EQ(m.EntryCells(28, 5, 8), (term::Rect{5, 31, 1, 8}));
  EXPECT_EQ(m.LabelCells(100, -1, 200), (term::Rect{0, 82, 1, 79}));
}

TEST(GridPixelsTest, MetricsThatAreNoSensibleNumbersKeepTheirDefaults) {
  VarStore vars;
  vars.Set("nXpCol", std::numeric_limits<double>::quiet_NaN());
  vars.Set("nXpRow", "20");
  vars.Set("nXpCrtCol", 1e300);
  const GridMetrics m = GridMetrics::FromVars(vars);
  EXPECT_EQ(m.col, 10);
  EXPECT_EQ(m.row, 20);
  EXPECT_EQ(m.columns, 80);
}

using LabelTest = ScreensTest;

TEST_F(LabelTest, EmptyTextDrawsNothingAndNilKeepsTheColour) {
  const GridMetrics m;
  EXPECT_EQ(WText(screen, m, 0, 5, "", "NIL", "GRA_CLR_BLUE"), nullptr);
  term::StaticText* label = WText(screen, m, 0, 5, "Label", "NIL", "GRA_CLR_RED");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->attr().bg, term::Colour::kDefault);
  EXPECT_EQ(label->attr().fg, term::ColourOfNumber(term::ColourNumber("GRA_CLR_RED")));
  EXPECT_EQ(GridRow(5), "   Label");
}

}  // namespace
}  // namespace zur::screens
