#include "lib/format/account_code.h"
#include "lib/text/trim_pad.h"
#include "run/position/client_account.h"
#include "run/position/client_master.h"
#include "run/position/input_fields.h"
#include "run/position/pass_progress.h"
#include "run/position/portfolio_record.h"
#include "run/position/position_passes.h"
#include "run/position/unsettled.h"

namespace zur::position {
namespace {

bool ExcludedClient(std::string_view facct, const PositionInputs& in) {
  if (!facct.empty() && in.excluded_types.find(facct.front()) != std::string::npos) return true;
  return in.IsSite("ROVERU") && in.exclude_a29 && BeginsWithCode(facct, "A29");
}

}  // namespace

int PortfolioPass(dbf::WorkAreas& areas, PassContext& ctx) {
  const PositionInputs& in = ctx.in;
  dbf::Table& clients = OpenTable(areas, "CL");
  dbf::Table& pf = OpenTable(areas, "PF");
  dbf::Table& mu = OpenTable(areas, "MU");
  const int segregated_field = RequireField(clients, "LSEGAC", 'C');
  PortfolioRecord record(pf, in);
  UnsettledTrades trades(mu, in);
  ClientMaster client_master(clients, segregated_field, ctx.op);

  const std::string not_main1 = format::FmtAcNum("17", in.eight_digit);
  const std::string not_main2 = format::FmtAcNum("18", in.eight_digit);
  Holdings& h = ctx.holdings;
  int booked = 0;
  ctx.op.ProgressLine("Reading \"PORTFOLIO MASTER\" ...");
  PassProgress progress(ctx.op, pf.RecCount());
  for (dbf::RecordScan scan(pf); scan.Next();) {
    progress.Record();
    // The client and the trades of the next record start loading while this one is booked.
    if (dbf::RecordView next; scan.Ahead(next)) {
      client_master.Prefetch(record.Account(next));
      trades.Prefetch(record.Account(next), ctx.stocks.ForStockNo(record.StockNo(next)).key3);
    }
    const dbf::RecordView position = scan.record();
    if (position.deleted()) continue;
    const std::string_view facct = record.Account(position);
    if (ExcludedClient(facct, in)) continue;
    const PortfolioStock& stock = ctx.stocks.ForStockNo(record.StockNo(position));
    if (!InRunMarket(stock.info, in)) continue;
    if (!stock.info.cc_stock && !h.HasStock(stock.key)) continue;
    Quantities q = record.Calculate(position, trades, stock);
    if (q.AllZero()) continue;
    if (!Bookable(ctx, stock.key, "Client A/C ", facct)) continue;

    const std::string_view segregated = client_master.Segregated(facct);
    const std::string account = ClientAccount(facct, segregated, in);
    CheckAccountCode(ctx.op, account, "Client A/C ", facct, !text::IsBlank(segregated));
    h.Select(stock.key, account, stock.info);

    ShortCover cover;
    if (!in.cover_short) {
      const bool finance_client = in.sbf3_user && BeginsWithCode(facct, in.conv_type);
      cover = CoverShort(finance_client ? q.holding : q.holding + q.due + q.undue, q);
    }
    h.Add(h.net, q.holding);
    h.Add(h.due, q.due);
    h.Add(h.undue, q.undue);
    h.Add(h.short_due, -cover.from_due);
    h.Add(h.short_undue, -cover.from_undue);
    if (q.holding < 0 && (!in.IsSite("VEZOTE") || !BeginsWithCode(facct, "MAA")))
      h.Add(h.short_qty, -q.holding);
    if ((q.due != 0 || q.undue != 0) && account != not_main1 && account != not_main2) {
      h.Select(stock.key, ctx.main_account, stock.info);
      h.Add(h.due, q.due);
      h.Add(h.undue, q.undue);
    }
    ++booked;
  }
  progress.Done();
  return booked;
}

}  // namespace zur::position
