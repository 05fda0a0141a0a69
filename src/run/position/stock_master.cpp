#include "run/position/stock_master.h"

#include "run/position/input_fields.h"
#include "run/position/position_inputs.h"

namespace zur::position {
namespace {

// The table, once its fields are checked: the run's messages name a missing field before the
// stock master is read.
dbf::Table& Checked(dbf::Table& table) {
  RequireField(table, "MSTK", 'C');
  RequireField(table, "MMARKET", 'C');
  RequireField(table, "MCCSTOCK", 'C');
  RequireField(table, "MSTKNO", 'C');
  return table;
}

}  // namespace

StockMaster::StockMaster(dbf::Table& table, const format::StockNumberRules& rules)
    : rules_(rules),
      lookup_(Checked(table), rules),
      name_(table.FieldIndex("MSTK")),
      isin_(OptionalField(table, "MISIN", 'C')),
      market_(table.FieldIndex("MMARKET")),
      cc_stock_(table.FieldIndex("MCCSTOCK")) {}

StockInfo StockMaster::Seek(std::string_view key3) {
  StockInfo info;
  info.has_isin = isin_ >= 0;
  bool found = false;
  const dbf::RecordView record = lookup_.Seek(key3, &found);
  if (!found) return info;
  info.found = true;
  info.name = TextField(record, name_);
  info.isin = TextField(record, isin_);
  info.market = TextField(record, market_);
  info.cc_stock = IsYes(TextField(record, cc_stock_));
  return info;
}

const PortfolioStock& StockMaster::ForStockNo(std::string_view stkno) {
  auto it = by_stock_no_.find(stkno);
  if (it == by_stock_no_.end()) {
    PortfolioStock stock{format::StrVal(stkno, rules_), format::StrVal3(stkno, rules_), {}};
    stock.info = Seek(stock.key3);
    it = by_stock_no_.emplace(std::string(stkno), std::move(stock)).first;
  }
  return it->second;
}

}  // namespace zur::position
