#include "lib/format/stock_number.h"
#include "run/position/client_account.h"
#include "run/position/pass_progress.h"
#include "run/position/portfolio_record.h"
#include "run/position/position_passes.h"
#include "run/position/unsettled.h"

namespace zur::position {
namespace {

// Margin clients of the finance company (and its "P" clients at one site).
bool MarginClient(std::string_view facct, const PositionInputs& in) {
  const char type = facct.empty() ? ' ' : facct.front();
  return type == 'M' || (type == 'P' && in.IsSite("KATIPI"));
}

}  // namespace

int FinancePass(dbf::Table& portfolio, dbf::Table& trades_table, PassContext& ctx) {
  const PositionInputs& in = ctx.in;
  PortfolioRecord record(portfolio, in);
  // The finance company's trades in their own order on the unsettled key.
  UnsettledTrades trades(trades_table, in);
  // The finance company's account is formatted like every other account of the run, so that
  // its short positions land on the same record as the account's other quantities.
  const std::string account = FinanceAccount(in);

  Holdings& h = ctx.holdings;
  int booked = 0;
  ctx.op.ProgressLine("Reading Finance \"PORTFOLIO MASTER\" ...");
  PassProgress progress(ctx.op, portfolio.RecCount());
  for (dbf::RecordScan scan(portfolio); scan.Next();) {
    progress.Record();
    const dbf::RecordView position = scan.record();
    if (position.deleted()) continue;
    const PortfolioStock& stock = ctx.stocks.ForStockNo(record.StockNo(position));
    if (!InRunMarket(stock.info, in)) continue;
    const std::string_view facct = record.Account(position);
    if (!MarginClient(facct, in)) continue;
    if (!stock.info.cc_stock && !h.HasStock(stock.key)) continue;
    Quantities q = record.Calculate(position, trades, stock);
    if (q.NoneNegative()) continue;
    CheckAccountCode(ctx.op, account, "Client A/C ", facct, false);
    const ShortCover cover = CoverShort(q.holding + q.due + q.undue, q);
    if (cover.NoneNegative()) continue;
    if (!Bookable(ctx, stock.key, "Client A/C ", facct)) continue;
    h.Select(stock.key, account, stock.info);
    h.Add(h.short_due, -cover.from_due);
    h.Add(h.short_undue, -cover.from_undue);
    if (q.holding < 0) h.Add(h.short_qty, -q.holding);
    ++booked;
  }
  progress.Done();
  return booked;
}

}  // namespace zur::position
