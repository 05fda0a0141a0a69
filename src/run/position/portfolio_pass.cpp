#include "lib/format/account_code.h"
#include "lib/text/trim_pad.h"
#include "run/position/client_account.h"
#include "run/position/client_master.h"
#include "run/position/input_fields.h"
#include "run/position/pass_progress.h"
#include "run/position/portfolio_reading.h"
#include "run/position/portfolio_record.h"
#include "run/position/position_passes.h"
#include "run/position/unsettled.h"

namespace zur::position {

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
  const auto count_read = [&progress](uint32_t records) {
    for (uint32_t i = 0; i < records; ++i) progress.Record();
  };
  // The records are read and their look-ups made beside this thread (PortfolioReading); here
  // they are booked, in record order.
  PortfolioReading reading(pf, record, trades, client_master, ctx.stocks, in);
  for (bool last = false; !last;) {
    const PortfolioBatch batch = reading.Next();
    for (const PortfolioEntry& entry : batch.entries) {
      count_read(entry.read);
      const PortfolioStock& stock = *entry.stock;
      if (!stock.info.cc_stock && !h.HasStock(stock.key)) continue;
      if (entry.failure) std::rethrow_exception(entry.failure);
      Quantities q = entry.q;
      const std::string_view facct = batch.Account(entry);
      if (!Bookable(ctx, stock.key, "Client A/C ", facct)) continue;

      const std::string account = ClientAccount(facct, entry.segregated, in);
      CheckAccountCode(ctx.op, account, "Client A/C ", facct, !text::IsBlank(entry.segregated));
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
    count_read(batch.read_after);
    if (batch.failure) std::rethrow_exception(batch.failure);
    last = batch.last;
  }
  progress.Done();
  return booked;
}

}  // namespace zur::position
