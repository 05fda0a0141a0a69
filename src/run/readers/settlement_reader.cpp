#include "run/readers/settlement_reader.h"

#include <optional>

#include "lib/text/numeric_text.h"
#include "run/operator/run_stopped.h"
#include "run/readers/report_columns.h"
#include "run/scanner/report_lookup.h"

namespace zur::readers {
namespace {

// Where the delivering and receiving quantities start, from the column heading.
struct QuantityColumns {
  int delivering = 0;
  int receiving = 0;
  bool found() const { return delivering != 0 || receiving != 0; }
};

// The heading's words stand a fixed distance right of where their quantities start.
QuantityColumns FromHeading(std::string_view line, bool enhanced) {
  const int back = enhanced ? 3 : 5;
  return {Position(line, "DELIVERING") - back, Position(line, "RECEIVING") - back};
}

bool AtUsualColumns(const QuantityColumns& c, bool enhanced, int right_shift) {
  return enhanced ? c.delivering == 63 + right_shift && c.receiving == 77 + right_shift
                  : c.delivering == 59 + right_shift && c.receiving == 75 + right_shift;
}

// The signed net quantity of a stock total line: receiving plus the delivering quantity,
// which carries its minus sign. Nothing when the heading put a column before the line start.
std::optional<double> NetQuantity(std::string_view line, const QuantityColumns& c, bool enhanced) {
  const int out_col = enhanced ? c.delivering - 1 : c.delivering;
  if (out_col < 1 || c.receiving < 1) return std::nullopt;
  double out = text::CutComma(Cols(line, out_col, enhanced ? 13 : 15));
  double in = text::CutComma(Cols(line, c.receiving, enhanced ? 12 : 14));
  return in + out;
}

}  // namespace

SettlementInputs SettlementInputs::FromVars(const VarStore& vars) {
  SettlementInputs in;
  in.enhanced = vars.Get("ENHANCED").IsTrue();
  in.right_shift = ColumnVar(vars, "RIGHT_SHIFT");
  in.stk_shift = ColumnVar(vars, "STK_SHIFT");
  return in;
}

SettlementResult ReadSettlementReport(const ReportSource& source, const SettlementInputs& in,
                                      HoldingsBook& book, run::Operator& op) {
  SettlementResult result;
  op.ProgressLine("Reading \"" + std::string(kSettlementReport) + "\" ...");
  std::optional<scanner::ReportRange> range =
      scanner::FindReport(source.pages, kSettlementReport, scanner::ReportStart::kLastPageOne);
  if (!range) {
    op.BlinkingWarning("WARNING: CANNOT FIND \"" + std::string(kSettlementReport) + "\" !");
    result.skip_unstl = true;
    return result;
  }
  const scanner::PageRow& first = source.pages[range->first];
  result.stl_date = first.date;
  result.stl_time = first.time;
  result.stl_page = first.page;
  result.pages_out_of_order = range->pages_out_of_order;
  if (range->pages_out_of_order)
    op.BlinkingWarning("WARNING: Some pages of \"Settlement Report\" are repeated !");

  bool unsettled_section = false;
  QuantityColumns columns;
  const std::string_view report = kSettlementReport;
  WalkReport(source, range->start, range->end, op, report, [&](std::string_view line) {
    if (Contains(line, "UNSETTLED POSITIONS")) unsettled_section = true;
    if (!columns.found() && Contains(line, "DELIVERING") && Contains(line, "RECEIVING")) {
      columns = FromHeading(line, in.enhanced);
      result.new_unstl = !AtUsualColumns(columns, in.enhanced, in.right_shift);
      return true;
    }
    if (Contains(line, "END OF REPORT")) return false;
    int stock_at = Position(line, " STOCK ");
    if (!unsettled_section || stock_at == 0 || !Contains(line, "TOTAL :")) return true;

    std::string_view stkno = Cols(line, stock_at + 7, 4 + in.stk_shift);
    std::optional<double> net = NetQuantity(line, columns, in.enhanced);
    if (!net) {
      std::string message = "ERROR: Quantity columns of \"" + std::string(kSettlementReport) +
                            "\" not found in " + book.report_file() + " !";
      op.MessageBox("ZUR", message);
      throw run::RunStopped(message);
    }
    if (!HasPositiveValue(stkno)) {
      op.BlinkingWarning("WARNING: Stock total without a stock number in \"" +
                         std::string(kSettlementReport) + "\" of " + book.report_file() +
                         " ! Line skipped.");
      return true;
    }
    book.AddUnsettled(book.StockKey(stkno), *net);
    ++result.stock_totals;
    return true;
  });
  return result;
}

}  // namespace zur::readers
