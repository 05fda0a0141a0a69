#include "run/position/unsettled.h"

#include <cctype>

#include "lib/format/market.h"
#include "lib/text/trim_pad.h"
#include "run/position/input_fields.h"

namespace zur::position {

bool CountsUnsettled(std::string_view facct, bool cc_stock, const PositionInputs& in) {
  const char type = facct.empty() ? ' ' : facct.front();
  if (type == 'I' || type == 'M' || type == 'P') return true;
  if (in.IsSite("LETURA") && (type == 'C' || type == 'S')) return false;
  if (in.IsSite("GUNITA") && type == 'T') return false;
  if (in.bank_trade && type == 'C') {
    if (!in.IsSite("TEFEBE")) return false;
    const bool bank_client =
        facct.size() > 2 && facct[2] == 'Y' && std::isdigit(static_cast<unsigned char>(facct[1]));
    if (bank_client) return false;
  }
  if (in.CashStockIs("Y")) return cc_stock;
  return in.CashStockIs("A");
}

UnsettledTrades::UnsettledTrades(dbf::Table& table, const PositionInputs& in)
    : table_(table),
      in_(in),
      acct_(RequireField(table, "MACCT", 'C')),
      stkno_(RequireField(table, "MSTKNO", 'C')),
      ref_(RequireField(table, "MREF", 'C')),
      qty_(RequireField(table, "MQTY", 'N')),
      sdate_(RequireField(table, "MSDATE", 'D')),
      ssdate_(in.rules.sas_mkt ? RequireField(table, "MSSDATE", 'D') : -1),
      deldate_(in.cc_ready ? OptionalField(table, "MDELDATE", 'D') : -1),
      market_(in.rules.sas_mkt ? RequireField(table, "MMARKET", 'C') : -1),
      acct_width_(static_cast<size_t>(table.fields()[static_cast<size_t>(acct_)].length)) {}

UnsettledSum UnsettledTrades::Sum(std::string_view facct, const std::string& stkno3) {
  UnsettledSum sum;
  const std::string_view account = text::RTrim(facct);
  if (account.empty() || account.size() > acct_width_) return sum;
  table_.Seek(Value(text::PadR(account, acct_width_) + stkno3));
  for (; !table_.Eof(); table_.Skip()) {
    if (text::RTrim(TextField(table_, acct_)) != account) break;
    if (format::StrVal3(TextField(table_, stkno_), in_.rules) != stkno3) break;
    if (table_.Deleted()) continue;
    const Date settles = DateField(table_, sdate_);
    if (settles <= in_.tran_date) continue;
    if (deldate_ >= 0 && !DateField(table_, deldate_).IsBlank()) continue;
    const bool stock_date = market_ >= 0 && !format::IsHkMarket(TextField(table_, market_));
    const Date decides = stock_date ? DateField(table_, ssdate_) : settles;
    const double qty = BeginsWithCode(TextField(table_, ref_), "B") ? NumberField(table_, qty_)
                                                                    : -NumberField(table_, qty_);
    (decides <= in_.ntran_date ? sum.due : sum.undue) += qty;
  }
  return sum;
}

}  // namespace zur::position
