#pragma once
// The stock master (alias SM) as the position build reads it: read once in its order on
// STRVAL3(MSTKNO), and each stock number of the portfolio worked out once.

#include <string>
#include <string_view>
#include <unordered_map>

#include "lib/format/stock_number.h"
#include "platform/dbf/table.h"
#include "run/holdings/stock_lookup.h"

namespace zur::position {

struct StockInfo {
  bool found = false;
  std::string name;  // MSTK
  std::string isin;  // MISIN, empty when the stock master has no such field
  bool has_isin = false;
  std::string market;     // MMARKET
  bool cc_stock = false;  // MCCSTOCK "Y"
};

// A stock number as a portfolio stores it, with its keys and its stock master record.
struct PortfolioStock {
  std::string key;   // STRVAL: the holdings table's stock number
  std::string key3;  // STRVAL3: the stock master's and the unsettled trades' stock number
  StockInfo info;
};

class StockMaster {
 public:
  // Resolves the fields and reads the table; InputError when one the run needs is missing.
  StockMaster(dbf::Table& table, const format::StockNumberRules& rules);
  // Seeks the stock by its STRVAL3 key; a miss reads as a blank record, as at end of file.
  StockInfo Seek(std::string_view key3);
  // The keys and record of a stock number as stored (FSTKNO), kept after the first time.
  const PortfolioStock& ForStockNo(std::string_view stkno);

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  const format::StockNumberRules rules_;
  holdings::StockLookup lookup_;
  int name_, isin_, market_, cc_stock_;
  std::unordered_map<std::string, PortfolioStock, Hash, std::equal_to<>> by_stock_no_;
};

}  // namespace zur::position
