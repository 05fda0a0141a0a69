#include "run/position/unsettled.h"

#include <algorithm>
#include <cctype>

#include "lib/format/market.h"
#include "lib/text/trim_pad.h"
#include "run/position/input_fields.h"

namespace zur::position {
namespace {

constexpr size_t kMaxKeyWidth = 240;  // as the table engine's orders

}  // namespace

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
    : in_(in),
      acct_(RequireField(table, "MACCT", 'C')),
      stkno_(RequireField(table, "MSTKNO", 'C')),
      ref_(RequireField(table, "MREF", 'C')),
      qty_(RequireField(table, "MQTY", 'N')),
      sdate_(RequireField(table, "MSDATE", 'D')),
      ssdate_(in.rules.sas_mkt ? RequireField(table, "MSSDATE", 'D') : -1),
      deldate_(in.cc_ready ? OptionalField(table, "MDELDATE", 'D') : -1),
      market_(in.rules.sas_mkt ? RequireField(table, "MMARKET", 'C') : -1),
      acct_width_(static_cast<size_t>(table.fields()[static_cast<size_t>(acct_)].length)),
      copy_(table),
      order_([&] {
        // The width of an order on the key: the first record's key, else the blank record's.
        const dbf::RecordView first = copy_.Record(1);
        return std::min(
            first.Field(acct_).size() + format::StrVal3(first.Field(stkno_), in.rules).size(),
            kMaxKeyWidth);
      }()) {
  stkno3_.reserve(copy_.size());
  std::string key;
  for (uint32_t r = 1; r <= copy_.size(); ++r) {
    const dbf::RecordView trade = copy_.Record(r);
    stkno3_.push_back(format::StrVal3(trade.Field(stkno_), in.rules));
    key.assign(trade.Field(acct_));
    key += stkno3_.back();
    order_.Add(key);
  }
  // What the sums seek and walk is built here, where the table is read, not on first use.
  if (!stkno3_.empty()) order_.PrepareSeeks(acct_width_ + stkno3_.front().size());
  order_.PrepareWalks();
}

bool UnsettledTrades::Want(std::string_view facct, const std::string& stkno3,
                           std::string& want) const {
  const std::string_view account = text::RTrim(facct);
  if (account.empty() || account.size() > acct_width_) return false;
  want.assign(account);
  want.resize(acct_width_, ' ');
  want += stkno3;
  return true;
}

void UnsettledTrades::Prefetch(std::string_view facct, const std::string& stkno3) {
  if (Want(facct, stkno3, ahead_)) order_.Prefetch(ahead_);
}

UnsettledSum UnsettledTrades::Sum(std::string_view facct, const std::string& stkno3) {
  UnsettledSum sum;
  if (!Want(facct, stkno3, want_)) return sum;
  const std::string_view account = text::RTrim(facct);
  const uint32_t first = order_.Seek(want_);
  if (first == 0) return sum;
  for (dbf::SeekIndex::Walk walk = order_.At(first); walk.recno() != 0; walk.Next()) {
    const dbf::RecordView trade = copy_.Record(walk.recno());
    if (text::RTrim(TextField(trade, acct_)) != account) break;
    if (stkno3_[walk.recno() - 1] != stkno3) break;
    if (trade.deleted()) continue;
    const Date settles = DateField(trade, sdate_);
    if (settles <= in_.tran_date) continue;
    if (deldate_ >= 0 && !DateField(trade, deldate_).IsBlank()) continue;
    const bool stock_date = market_ >= 0 && !format::IsHkMarket(TextField(trade, market_));
    const Date decides = stock_date ? DateField(trade, ssdate_) : settles;
    const double qty = BeginsWithCode(TextField(trade, ref_), "B") ? NumberField(trade, qty_)
                                                                   : -NumberField(trade, qty_);
    (decides <= in_.ntran_date ? sum.due : sum.undue) += qty;
  }
  return sum;
}

}  // namespace zur::position
