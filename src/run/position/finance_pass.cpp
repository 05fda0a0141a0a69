#include "lib/format/stock_number.h"
#include "run/position/client_account.h"
#include "run/position/pass_progress.h"
#include "run/position/portfolio_record.h"
#include "run/position/position_passes.h"
#include "run/position/unsettled.h"

namespace zur::position {
namespace {

// Margin clients of the finance company (and its "P" clients at one site).
bool MarginClient(const std::string& facct, const PositionInputs& in) {
  const char type = facct.empty() ? ' ' : facct.front();
  return type == 'M' || (type == 'P' && in.IsSite("KATIPI"));
}

}  // namespace

int FinancePass(dbf::Table& portfolio, dbf::Table& trades_table, PassContext& ctx) {
  const PositionInputs& in = ctx.in;
  PortfolioRecord record(portfolio, in);
  UnsettledTrades trades(trades_table, in);
  trades_table.CreateOrder("MGNUNSTL", "MACCT+STRVAL3(MSTKNO)");
  // The finance company's account is formatted like every other account of the run, so that
  // its short positions land on the same record as the account's other quantities.
  const std::string account = FinanceAccount(in);

  Holdings& h = ctx.holdings;
  int booked = 0;
  ctx.op.ProgressLine("Reading Finance \"PORTFOLIO MASTER\" ...");
  PassProgress progress(ctx.op, portfolio.RecCount());
  for (portfolio.GoTop(); !portfolio.Eof(); portfolio.Skip()) {
    progress.Record();
    if (portfolio.Deleted()) continue;
    const std::string stkno = record.StockNo();
    const StockInfo stock = ctx.stocks.Seek(format::StrVal3(stkno, in.rules));
    if (!InRunMarket(stock, in)) continue;
    const std::string facct = record.Account();
    if (!MarginClient(facct, in)) continue;
    const std::string key = format::StrVal(stkno, in.rules);
    if (!stock.cc_stock && !h.HasStock(key)) continue;
    Quantities q = record.Calculate(trades, stock);
    if (q.NoneNegative()) continue;
    CheckAccountCode(ctx.op, account, "Client A/C " + facct + " !", false);
    const ShortCover cover = CoverShort(q.holding + q.due + q.undue, q);
    if (cover.NoneNegative()) continue;
    if (!Bookable(ctx, key, "Client A/C " + facct)) continue;
    h.Select(key, account, stock);
    h.Add(h.short_due, -cover.from_due);
    h.Add(h.short_undue, -cover.from_undue);
    if (q.holding < 0) h.Add(h.short_qty, -q.holding);
    ++booked;
  }
  progress.Done();
  return booked;
}

}  // namespace zur::position
