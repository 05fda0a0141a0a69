// Damaged input: report texts with bytes overwritten, and the layout change date file.

#include <fstream>
#include <random>

#include "run/operator/run_stopped.h"
#include "run/readers/settlement_reader.h"
#include "run/readers/sti_status_reader.h"
#include "run/readers/stock_balance_reader.h"
#include "run/readers/tests/reader_fixture.h"

namespace zur::readers {
namespace {

using testing::Line;
using testing::ReportPage;

std::string SampleFile() {
  std::string n = text::PadL("1,000", 15);
  return ReportPage(
             "STI STATUS REPORT", 1,
             {"PENDING STI", Line({{14, "00005"}, {37, "00000012"}, {76, text::PadL("100", 16)}}),
              Line({{37, "00000015"}})}) +
         ReportPage("DAILY STOCK BALANCE REPORT", 1,
                    {Line({{1, "REPORT DATE : 08DEC2026"}}), Line({{1, " STK/ NAME"}}),
                     Line({{1, "00005"}, {18, "00000012"}}),
                     Line({{6, "01"}, {7, n}, {23, n}, {29, n}, {48, "00000015"}, {70, n}}),
                     Line({{7, n}, {22, n}, {63, n}}), Line({{6, "12"}, {9, n}, {25, n}})}) +
         ReportPage("SETTLEMENT REPORT", 1,
                    {"UNSETTLED POSITIONS", Line({{66, "DELIVERING"}, {80, "RECEIVING"}}),
                     Line({{10, " STOCK 00005 TOTAL :"}, {62, text::PadL("5-", 13)}, {77, n}})});
}

class DamagedInputTest : public testing::ReaderTest {};

TEST_F(DamagedInputTest, OverwrittenBytesNeverBreakTheReaders) {
  const std::string sample = SampleFile();
  const char nasty[] = {'\f', '\r', '\n', '\0', '\x7f', '\xff', ' ', '9', '-', ','};
  std::mt19937 rng(20261208);
  for (int round = 0; round < 60; ++round) {
    std::string damaged = sample;
    for (int i = 0; i < 40; ++i) damaged[rng() % damaged.size()] = nasty[rng() % sizeof nasty];
    if (round % 10 == 9) damaged.resize(rng() % damaged.size());
    auto source = Report(damaged);
    for (int layout = 0; layout < 4; ++layout) {
      StockBalanceInputs in;
      in.enhanced = layout & 1;
      in.eight_digit_layout = layout & 2;
      HoldingsBook book = Book(in.eight_digit_layout);
      try {
        ReadStiStatusReport(source, book, op_);
        StockBalanceResult r = ReadStockBalanceReport(source, in, book, op_);
        ReadSettlementReport(source, {in.enhanced, r.right_shift, r.stk_shift}, book, op_);
      } catch (const run::RunStopped&) {
        // A stop is shown to the operator first.
        ASSERT_FALSE(op_.Matching("box ZUR: ").empty()) << "round " << round;
      }
      op_.events.clear();
    }
  }
  // Every record written is a stock with an account of the table's form.
  zur_->SetOrder(0);
  for (zur_->GoTop(); !zur_->Eof(); zur_->Skip()) {
    EXPECT_FALSE(text::IsBlank(zur_->Get("ASTKNO").str()));
    EXPECT_FALSE(text::IsBlank(zur_->Get("AATI").str()));
  }
}

// A report cut short (the file ends inside it, without its "END OF REPORT" line) is read as
// far as it goes, with a warning; a complete one, or one the next report follows, gives none.
TEST_F(DamagedInputTest, AReportCutShortAtTheEndOfTheFileIsWarnedAbout) {
  const std::string balance =
      ReportPage("DAILY STOCK BALANCE REPORT", 1,
                 {Line({{1, "REPORT DATE : 08DEC2026"}}), Line({{1, " STK/ NAME"}}),
                  Line({{1, "00005"}, {18, "00000012"}}),
                  Line({{6, "01"}, {7, text::PadL("1,000", 15)}, {23, text::PadL("1,000", 15)}})});
  const std::string settlement = ReportPage("SETTLEMENT REPORT", 1, {"UNSETTLED POSITIONS"});
  const std::string end_line = ReportPage("SETTLEMENT REPORT", 2, {Line({{50, "END OF REPORT"}})});
  auto cut = [&](const std::string& report) {
    return "warn: WARNING: \"" + report + "\" ends at the end of " + file_->path() +
           " without its \"END OF REPORT\" line: the file may be cut short !";
  };
  for (int c = 0; c < 3; ++c) {
    SCOPED_TRACE(c);
    const std::string text = c == 0   ? balance
                             : c == 1 ? balance + settlement
                                      : balance + settlement + end_line;
    auto source = Report(text);
    StockBalanceInputs in;
    in.eight_digit_layout = true;
    HoldingsBook book = Book(true);
    op_.events.clear();
    StockBalanceResult r = ReadStockBalanceReport(source, in, book, op_);
    ReadSettlementReport(source, {false, r.right_shift, r.stk_shift}, book, op_);
    const std::vector<std::string> warnings = op_.Matching("warn:");
    if (c == 0) {
      EXPECT_EQ(warnings, (std::vector<std::string>{cut("DAILY STOCK BALANCE REPORT"),
                                                    "warn: WARNING: CANNOT FIND \"SETTLEMENT "
                                                    "REPORT\" !"}));
    } else if (c == 1) {
      EXPECT_EQ(warnings, std::vector<std::string>{cut("SETTLEMENT REPORT")});
    } else {
      EXPECT_TRUE(warnings.empty()) << warnings[0];
    }
  }
}

}  // namespace
}  // namespace zur::readers
