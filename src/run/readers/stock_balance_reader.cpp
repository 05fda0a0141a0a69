#include "run/readers/stock_balance_reader.h"

#include <optional>

#include "lib/compat/named_flags.h"
#include "lib/format/account_code.h"
#include "run/operator/run_stopped.h"
#include "run/readers/balance_layouts.h"
#include "run/readers/report_columns.h"
#include "run/scanner/report_lookup.h"

namespace zur::readers {
namespace {

[[noreturn]] void Stop(run::Operator& op, const std::string& message) {
  op.MessageBox("ZUR", message);
  throw run::RunStopped(message);
}

// The market printed on the report ("MARKET - HONG KONG") must be the installation's.
bool MarketMatches(std::string_view line, std::string_view system_key) {
  if (system_key == "SAS ") return Contains(line, "A-SHARE") || Contains(line, "SHANGHAI");
  if (system_key == "SZMK") return Contains(line, "SHENZHEN");
  return Contains(line, "HONG KONG");
}

// Headings of the daily report. The first "REPORT DATE :" tells how far the body is shifted.
bool IsDailyHeading(std::string_view line, bool& report_date_seen, BalanceState& state,
                    bool cas3_rpt) {
  if (!report_date_seen) {
    if (int at = Position(line, "REPORT DATE :"); at > 0) {
      state.right_shift = at - 1;
      report_date_seen = true;
    }
  }
  if (cas3_rpt && ColFilled(line, 6) && ColFilled(line, 9)) return true;
  return Contains(line, "REPORT DATE :") || Contains(line, "NOMINAL PRICE :") ||
         Contains(line, "RATE :") || Cols(line, 1 + state.right_shift, 8) == " STK AC ";
}

bool IsStatementHeading(std::string_view line) {
  return Contains(line, "DATE :") || Contains(line, "  MVE  ") || Contains(line, " STOCK A/C ");
}

}  // namespace

StockBalanceInputs StockBalanceInputs::FromVars(const VarStore& vars) {
  StockBalanceInputs in;
  in.enhanced = vars.Get("ENHANCED").IsTrue();
  in.eight_digit_layout = format::Ccass0705R(vars);
  in.sas_mkt = compat::IsFlagSet(vars, "SAS_MKT");
  in.system_key = std::string(vars.Get("SYSTEM_KEY").StrOr());
  in.right_shift = ColumnVar(vars, "RIGHT_SHIFT");
  return in;
}

StockBalanceResult ReadStockBalanceReport(const ReportSource& source, const StockBalanceInputs& in,
                                          HoldingsBook& book, run::Operator& op) {
  StockBalanceResult result;
  result.right_shift = in.right_shift;
  result.report_name = kStockBalanceReport;
  result.new_report = true;
  std::optional<scanner::ReportRange> range =
      scanner::FindReport(source.pages, kStockBalanceReport);
  if (!range) {
    result.report_name = kStockAccountsStatement;
    result.new_report = false;
    range = scanner::FindReport(source.pages, kStockAccountsStatement);
  }
  if (!range) Stop(op, "ERROR: CANNOT FIND \"" + std::string(kStockBalanceReport) + "\" !");
  op.ProgressLine("Reading \"" + result.report_name + "\" report ...");

  const scanner::PageRow& first = source.pages[range->first];
  result.cas_date = first.date;
  result.cas_time = first.time;
  result.cas_page = first.page;
  result.pages_out_of_order = range->pages_out_of_order;
  if (range->pages_out_of_order)
    op.BlinkingWarning("WARNING: Some pages of \"" + result.report_name +
                       "\" report are repeated !");

  BalanceState state;
  state.key = std::string(static_cast<size_t>(book.key_width()), ' ');
  state.right_shift = in.right_shift;
  bool report_date_seen = false;
  const std::string& report = result.report_name;
  WalkReport(source, range->start, range->end, op, report, [&](std::string_view line) {
    if (Contains(line, "END OF REPORT") || Contains(line, "PORTFOLIO VALUE")) return false;
    if (in.sas_mkt && Contains(line, "MARKET - ") && !MarketMatches(line, in.system_key))
      Stop(op, "ERROR: \"***  Wrong Market  ***\r\nPlease Check !!!");
    if (result.new_report && (line.starts_with("ISIN/ ") || line.starts_with(" STK/ "))) {
      result.cas3_rpt = true;
      state.stk_shift = 1;
    }
    if (scanner::IsPageFurniture(line)) return true;
    if (result.new_report ? IsDailyHeading(line, report_date_seen, state, result.cas3_rpt)
                          : IsStatementHeading(line))
      return true;

    std::string_view stock = Cols(line, 1 + state.right_shift, 4 + state.stk_shift);
    if (HasPositiveValue(stock) && ColsBlank(line, 6 + state.right_shift + state.stk_shift, 1))
      state.key = book.StockKey(stock);

    if (!result.new_report)
      result.holdings += ReadStatementLine(line, state, book);
    else if (in.eight_digit_layout)
      result.holdings += ReadEightDigitLine(line, in.enhanced, state, book);
    else
      result.holdings += ReadBlocksLine(line, state, book);
    return true;
  });
  result.stk_shift = state.stk_shift;
  result.right_shift = state.right_shift;
  return result;
}

}  // namespace zur::readers
