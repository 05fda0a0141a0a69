#include "run/holdings/holdings_index.h"

#include <algorithm>
#include <vector>

#include <fmt/format.h>

#include "platform/dbf/record_scan.h"

namespace zur::holdings {
namespace {

constexpr size_t kMaxKeyWidth = 240;  // as the table engine's orders

int CharacterField(const dbf::Table& table, std::string_view name) {
  const int field = table.FieldIndex(name);
  if (field < 0 || table.fields()[static_cast<size_t>(field)].type != 'C')
    throw dbf::Error(dbf::ErrorKind::kUsage,
                     fmt::format("{}: the holdings table has no character field {}",
                                 table.path().string(), name));
  return field;
}

// The width an order on the key made now would have: that of the first record's key, or the
// blank record's when there is none.
size_t KeyWidth(dbf::Table& table, int stkno, int account, const format::StockNumberRules& rules) {
  std::string first(table.record_length(), ' ');
  if (table.RecCount() > 0) table.ReadRecords(1, 1, first.data());
  const dbf::RecordView record(table, first);
  const size_t width =
      format::StrVal(record.Field(stkno), rules).size() + record.Field(account).size();
  return std::min(width, kMaxKeyWidth);
}

}  // namespace

HoldingsIndex::HoldingsIndex(dbf::Table& table, const format::StockNumberRules& rules)
    : table_(table),
      rules_(rules),
      stkno_(CharacterField(table, "ASTKNO")),
      account_(CharacterField(table, "AATI")),
      index_(KeyWidth(table, stkno_, account_, rules)) {
  if (!table.filter().empty())
    throw dbf::Error(dbf::ErrorKind::kUsage,
                     fmt::format("{}: a filter hides records of the holdings table ({})",
                                 table.path().string(), table.filter()));
  Update();
}

std::string HoldingsIndex::KeyOf(std::string_view stkno, std::string_view account) const {
  std::string key = format::StrVal(stkno, rules_);
  key.append(account);
  return key;
}

void HoldingsIndex::Update() {
  const uint32_t count = table_.RecCount();
  if (index_.size() >= count) return;
  const uint32_t first = index_.size() + 1;
  // Usually the one record just appended, which is the current one.
  if (first == count && table_.RecNo() == count && !table_.Eof()) {
    index_.Add(KeyOf(table_.Raw(stkno_), table_.Raw(account_)));
    return;
  }
  std::vector<char> records(size_t{count - first + 1} * table_.record_length());
  table_.ReadRecords(first, count - first + 1, records.data());
  for (uint32_t r = first; r <= count; ++r) {
    const dbf::RecordView record(
        table_, std::string_view(records.data() + size_t{r - first} * table_.record_length(),
                                 table_.record_length()));
    index_.Add(KeyOf(record.Field(stkno_), record.Field(account_)));
  }
}

uint32_t HoldingsIndex::Find(std::string_view want) {
  return index_.Seek(want);
}

dbf::SeekIndex::Walk HoldingsIndex::Begin() {
  return index_.Begin();
}

}  // namespace zur::holdings
