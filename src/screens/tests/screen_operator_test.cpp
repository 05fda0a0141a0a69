#include "screens/screen_operator.h"

#include <gtest/gtest.h>

#include "screens/tests/screens_fixture.h"

namespace zur::screens {
namespace {

using term::KeyId;

class ScreenOperatorTest : public ScreensTest {
 protected:
  std::string ConsoleRow(int row) {
    const std::string out = screen.console().cells().RowBytes(row);
    return out.substr(0, out.find_last_not_of(' ') + 1);
  }
  ScreenOperator op{screen};
};

TEST_F(ScreenOperatorTest, LinesAndPercentages) {
  op.ProgressLine("Opening data files ...");
  op.ProgressLine("Reading \"PORTFOLIO MASTER\" ...");
  op.Percent(7);
  const int presents = backend.presents();
  for (int i = 0; i < 1000; ++i) op.Percent(7);  // every record of a pass
  EXPECT_EQ(backend.presents(), presents);
  op.Percent(42);
  EXPECT_EQ(ConsoleRow(2), "Reading \"PORTFOLIO MASTER\" ... 42%");
  op.PercentDone();
  op.Percent(3);  // a second pass of the same line
  EXPECT_EQ(GridRow(1), "Opening data files ...");
  EXPECT_EQ(GridRow(2), "Reading \"PORTFOLIO MASTER\" ...100%   3%");
  op.ProgressLine("Determining ZUR ...");
  op.PercentDone();
  EXPECT_EQ(GridRow(3), "Determining ZUR ...100%");
}

TEST_F(ScreenOperatorTest, WarningsBlinkAndTheMessageLineWaitsForAKey) {
  op.BlinkingWarning("WARNING: CANNOT FIND \"SETTLEMENT REPORT\" !");
  EXPECT_EQ(GridRow(1), "WARNING: CANNOT FIND \"SETTLEMENT REPORT\" !");
  EXPECT_TRUE(screen.picture().at(1 + term::kMenuBarRows, 0).attr.blink);
  // A warning wider than the grid goes on, whole, on the rows below.
  const std::string file = "/srv/zur/broker/SBAUDIT/" + std::string(40, 'K') + ".RPT";
  op.BlinkingWarning("WARNING: \"ZUR STATUS REPORT\" is not printed and is kept: " + file);
  EXPECT_EQ(GridRow(2), "WARNING: \"ZUR STATUS REPORT\" is not printed and is kept:");
  EXPECT_EQ(GridRow(3), file);

  backend.Type("x");
  op.MessageLineAndWait(
      "ERROR: cannot generate ZUR BATCH INPUT text file ! Please check and re-try");
  EXPECT_EQ(backend.pending(), 0u);
  EXPECT_EQ(backend.bells(), 1);
  EXPECT_EQ(LastRow(22),
            "ERROR: cannot generate ZUR BATCH INPUT text file ! Please check and re-try");
  EXPECT_EQ(LastRow(23), "*** Hit any key to Continue");
}

TEST_F(ScreenOperatorTest, BoxesAndTheClosingLines) {
  backend.Type("n");
  EXPECT_FALSE(op.YesNo("ZUR", "ERROR: Stock 1234 not found ! Continue ?"));
  EXPECT_EQ(WaitsShowing("ERROR: Stock 1234 not found ! Continue ?"), 1);
  backend.Press(KeyId::kEnter);
  op.MessageBox("OBX", "ERROR: STOCK REPORT FILE NOT FOUND !  PLEASE RE-TRY !");
  EXPECT_EQ(WaitsShowing("OBX"), 1);

  op.Announce("CCASS ZUR Upload File ATIFILE.TXT is generated !");
  op.Announce("CCASS STI Upload File STIFILE.TXT is generated !");
  EXPECT_EQ(backend.bells(), 1);
  EXPECT_EQ(GridRow(1), "CCASS ZUR Upload File ATIFILE.TXT is generated !");
  EXPECT_EQ(GridRow(2), "CCASS STI Upload File STIFILE.TXT is generated !");
}

}  // namespace
}  // namespace zur::screens
