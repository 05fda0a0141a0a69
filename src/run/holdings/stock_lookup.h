#pragma once
// The stock master (alias SM) in its order on STRVAL3(MSTKNO), read once: the report readers
// and the position build find a stock's record by a hash probe instead of a seek of the table.

#include <cstdint>
#include <string_view>

#include "lib/format/stock_number.h"
#include "platform/dbf/record_scan.h"
#include "platform/dbf/seek_index.h"
#include "platform/dbf/table.h"

namespace zur::holdings {

class StockLookup {
 public:
  // Reads every record of `stock_master`. dbf::Error (kUsage) naming the table when it has no
  // character field MSTKNO.
  StockLookup(dbf::Table& stock_master, const format::StockNumberRules& rules);

  const dbf::Table& table() const { return copy_.table(); }
  // The record a seek of `key3` (a STRVAL3 key) finds, or the blank record when none does
  // (`found` tells which).
  dbf::RecordView Seek(std::string_view key3, bool* found = nullptr);

 private:
  dbf::TableCopy copy_;
  dbf::SeekIndex index_;
};

}  // namespace zur::holdings
