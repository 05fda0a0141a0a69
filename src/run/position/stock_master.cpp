#include "run/position/stock_master.h"

#include "run/position/input_fields.h"
#include "run/position/position_inputs.h"

namespace zur::position {

StockMaster::StockMaster(dbf::Table& table)
    : table_(table),
      name_(RequireField(table, "MSTK", 'C')),
      isin_(OptionalField(table, "MISIN", 'C')),
      market_(RequireField(table, "MMARKET", 'C')),
      cc_stock_(RequireField(table, "MCCSTOCK", 'C')) {
  RequireField(table, "MSTKNO", 'C');
}

StockInfo StockMaster::Seek(const std::string& key3) {
  StockInfo info;
  info.has_isin = isin_ >= 0;
  if (!table_.Seek(Value(key3))) return info;
  info.found = true;
  info.name = TextField(table_, name_);
  info.isin = TextField(table_, isin_);
  info.market = TextField(table_, market_);
  info.cc_stock = IsYes(TextField(table_, cc_stock_));
  return info;
}

}  // namespace zur::position
