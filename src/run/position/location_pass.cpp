#include "lib/format/account_code.h"
#include "lib/format/stock_number.h"
#include "lib/text/trim_pad.h"
#include "run/position/input_fields.h"
#include "run/position/pass_progress.h"
#include "run/position/position_passes.h"

namespace zur::position {
namespace {

// Locations whose stock is held in CCASS: those are in the CCASS balance already.
bool ClearingLocation(const std::string& location, const PositionInputs& in) {
  if (BeginsWithCode(location, "CCAS") || BeginsWithCode(location, in.clear_location)) return true;
  return in.IsSite("NIVAZA") && BeginsWithCode(location, in.clear_location2);
}

// The stock's own market is the one the installation maps codes for.
bool MappedMarket(const StockInfo& stock, const PositionInputs& in) {
  return (BeginsWithCode(stock.market, "SAS ") && in.IsSystem("SAS ")) ||
         (BeginsWithCode(stock.market, "SZMK") && in.IsSystem("SZMK"));
}

std::string UnmappedMessage(const std::string& stkno) {
  return "ERROR: " + stkno +
         " not found on stock code mapping file ASSTKMAP (OBX)\r\n"
         "Please download the recently one in ECP !\r\n"
         "Do you want to continue the alert?";
}

}  // namespace

int LocationPass(dbf::Table& locations, PassContext& ctx, bool& alerts) {
  const PositionInputs& in = ctx.in;
  const int stkno_field = RequireField(locations, "LSTKNO", 'C');
  const int location_field = RequireField(locations, "LLCN", 'C');
  const int bf_field = RequireField(locations, "LQTYBF", 'N');
  const int mtd_field = RequireField(locations, "LQTYMTD", 'N');

  ctx.op.ProgressLine("Reading \"STOCK LOCATION MASTER\" ...");
  const std::string account = format::FmtAcNum(in.location_account, in.eight_digit);
  CheckAccountCode(ctx.op, account, "Stock Location", "", false);

  Holdings& h = ctx.holdings;
  int deducted = 0;
  PassProgress progress(ctx.op, locations.RecCount());
  for (locations.GoTop(); !locations.Eof(); locations.Skip()) {
    progress.Record();
    if (locations.Deleted()) continue;
    if (ClearingLocation(TextField(locations, location_field), in)) continue;
    std::string stkno = TextField(locations, stkno_field);
    StockInfo stock = ctx.stocks.Seek(format::StrVal3(stkno, in.rules));
    if (text::AllTrim(stkno).size() == 6 && !in.mapping.empty()) {
      if (auto ccass_no = in.mapping.Find(stkno)) {
        stkno = *ccass_no;
        stock = ctx.stocks.Seek(format::StrVal3(stkno, in.rules));
      } else if (alerts && MappedMarket(stock, in)) {
        alerts = ctx.op.YesNo("ZUR", UnmappedMessage(stkno));
      }
    }
    const std::string key = format::StrVal(stkno, in.rules);
    if (!stock.cc_stock && !h.HasStock(key)) continue;
    const double qty = NumberField(locations, bf_field) + NumberField(locations, mtd_field);
    if (qty == 0) continue;
    if (!Bookable(ctx, key, "Stock Location ", TextField(locations, location_field))) continue;
    h.Select(key, account, stock);
    h.Add(h.net, -qty);
    ++deducted;
  }
  progress.Done();
  return deducted;
}

}  // namespace zur::position
