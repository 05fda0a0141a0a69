#include "run/position/portfolio_record.h"

#include "run/position/input_fields.h"

namespace zur::position {
namespace {

int ExcludedField(dbf::Table& table, bool excluded, const char* name) {
  return excluded ? RequireField(table, name, 'N') : -1;
}

}  // namespace

PortfolioRecord::PortfolioRecord(dbf::Table& table, const PositionInputs& in)
    : in_(in),
      acct_(RequireField(table, "FACCT", 'C')),
      stkno_(RequireField(table, "FSTKNO", 'C')),
      bf_(RequireField(table, "FQTYBF", 'N')),
      tt_(RequireField(table, "FQTYTT", 'N')),
      day_(RequireField(table, "FDAYQTY", 'N')),
      day_bs_(RequireField(table, "FDAYBS", 'N')),
      excluded_{ExcludedField(table, in.excluded.str, "FSTRQTY"),
                ExcludedField(table, in.excluded.com, "FCOMQTY"),
                ExcludedField(table, in.excluded.td, "FTDQTY"),
                ExcludedField(table, in.excluded.bank, "FBANQTY"),
                ExcludedField(table, in.excluded.other, "FOTHQTY")},
      account_width_(static_cast<size_t>(table.fields()[static_cast<size_t>(acct_)].length)) {}

std::string_view PortfolioRecord::Account(const dbf::RecordView& record) const {
  return TextField(record, acct_);
}
std::string_view PortfolioRecord::StockNo(const dbf::RecordView& record) const {
  return TextField(record, stkno_);
}

Quantities PortfolioRecord::Calculate(const dbf::RecordView& record, UnsettledTrades& trades,
                                      const PortfolioStock& stock) const {
  Quantities q;
  q.holding = NumberField(record, bf_) + NumberField(record, tt_) + NumberField(record, day_);
  const std::string_view facct = Account(record);
  if (CountsUnsettled(facct, stock.info.cc_stock, in_)) {
    UnsettledSum sum = trades.Sum(facct, stock.key3);
    q.due = sum.due;
    q.undue = sum.undue;
  }
  q.undue += NumberField(record, day_bs_);
  q.holding -= q.undue + q.due;
  for (int field : excluded_) {
    if (field < 0) continue;
    const double qty = NumberField(record, field);
    q.holding -= qty;
    q.excluded += qty;
  }
  return q;
}

bool InRunMarket(const StockInfo& stock, const PositionInputs& in) {
  if (in.IsSystem("SAS ")) return BeginsWithCode(stock.market, "SAS ");
  if (in.IsSystem("SZMK")) return BeginsWithCode(stock.market, "SZMK");
  if (in.multi_mkt)
    return !BeginsWithCode(stock.market, "SAS ") && !BeginsWithCode(stock.market, "SZMK");
  return true;
}

}  // namespace zur::position
