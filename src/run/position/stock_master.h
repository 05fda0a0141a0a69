#pragma once
// The stock master (alias SM, order on STRVAL3(MSTKNO)) as the position build reads it.

#include <string>
#include <string_view>

#include "platform/dbf/table.h"

namespace zur::position {

struct StockInfo {
  bool found = false;
  std::string name;  // MSTK
  std::string isin;  // MISIN, empty when the stock master has no such field
  bool has_isin = false;
  std::string market;     // MMARKET
  bool cc_stock = false;  // MCCSTOCK "Y"
};

class StockMaster {
 public:
  // Resolves the fields; InputError when one the run needs is missing.
  explicit StockMaster(dbf::Table& table);
  // Seeks the stock by its STRVAL3 key; a miss reads as a blank record, as at end of file.
  StockInfo Seek(const std::string& key3);

 private:
  dbf::Table& table_;
  int name_, isin_, market_, cc_stock_;
};

}  // namespace zur::position
