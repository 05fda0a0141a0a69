#include "run/holdings/stock_lookup.h"

#include <algorithm>
#include <string>

#include <fmt/format.h>

namespace zur::holdings {
namespace {

constexpr size_t kMaxKeyWidth = 240;  // as the table engine's orders

int StockNumberField(const dbf::Table& table) {
  const int field = table.FieldIndex("MSTKNO");
  if (field < 0 || table.fields()[static_cast<size_t>(field)].type != 'C')
    throw dbf::Error(
        dbf::ErrorKind::kUsage,
        fmt::format("{}: the stock master has no character field MSTKNO", table.path().string()));
  return field;
}

// The width an order on STRVAL3(MSTKNO) would have: the first record's key, else the blank
// record's.
size_t KeyWidth(const dbf::TableCopy& copy, int field, const format::StockNumberRules& rules) {
  return std::min(format::StrVal3(copy.Record(1).Field(field), rules).size(), kMaxKeyWidth);
}

}  // namespace

StockLookup::StockLookup(dbf::Table& stock_master, const format::StockNumberRules& rules)
    : copy_(stock_master), index_(KeyWidth(copy_, StockNumberField(stock_master), rules)) {
  const int field = StockNumberField(stock_master);
  for (uint32_t r = 1; r <= copy_.size(); ++r)
    index_.Add(format::StrVal3(copy_.Record(r).Field(field), rules));
}

dbf::RecordView StockLookup::Seek(std::string_view key3, bool* found) {
  const uint32_t r = index_.Seek(key3);
  if (found != nullptr) *found = r != 0;
  return copy_.Record(r);
}

}  // namespace zur::holdings
