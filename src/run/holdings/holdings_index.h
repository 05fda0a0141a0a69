#pragma once
// The holdings table ATIMAST (alias ZUR) in its order on STRVAL(ASTKNO)+AATI, stock number
// then account, kept by the run beside the table instead of as an order of the table: the
// report readers, the position build, the ZUR determination and the checking reports find
// and walk the records through it, so that neither an append nor a seek evaluates a key.
//
// The keys are made as the key expression makes them (the stock number rules given), cut or
// padded to the width an order made at this moment would have. A record's stock number and
// account are not changed once it is indexed.

#include <cstdint>
#include <string>
#include <string_view>

#include "lib/format/stock_number.h"
#include "platform/dbf/seek_index.h"
#include "platform/dbf/table.h"

namespace zur::holdings {

inline constexpr std::string_view kHoldingsKey = "STRVAL(ASTKNO)+AATI";

class HoldingsIndex {
 public:
  // Indexes every record of `table`. dbf::Error (kUsage) naming the table when it lacks
  // ASTKNO or AATI as character fields or has a filter (a seek would pass records over).
  HoldingsIndex(dbf::Table& table, const format::StockNumberRules& rules);

  dbf::Table& table() { return table_; }

  // The record a seek of `want` finds in the order (see dbf::SeekIndex); 0 when none.
  uint32_t Find(std::string_view want);
  // Indexes the records appended to the table since the last call, once their stock number
  // and account are written.
  void Update();
  // A walk in key order (records indexed during the walk are met in their place).
  dbf::SeekIndex::Walk Begin();

 private:
  std::string KeyOf(std::string_view stkno, std::string_view account) const;

  dbf::Table& table_;
  format::StockNumberRules rules_;
  int stkno_, account_;
  dbf::SeekIndex index_;
};

}  // namespace zur::holdings
