#include "platform/dbf/record_scan.h"

#include <algorithm>

#include "platform/dbf/dbf_format.h"

namespace zur::dbf {

std::string_view RecordView::Field(int field) const {
  if (field < 0 || table_ == nullptr) return {};
  return bytes_.substr(table_->FieldOffset(field),
                       static_cast<size_t>(table_->fields()[static_cast<size_t>(field)].length));
}

Value RecordView::Get(int field) const {
  if (field < 0 || table_ == nullptr) return Value();
  return DecodeField(table_->fields()[static_cast<size_t>(field)], Field(field));
}

RecordScan::RecordScan(Table& table, size_t block_bytes)
    : table_(table),
      count_(table.RecCount()),
      per_block_(std::max<size_t>(1, block_bytes / table.record_length())) {}

bool RecordScan::Next() {
  if (recno_ >= count_) return false;
  ++recno_;
  if (recno_ >= block_first_ + block_count_) {
    block_first_ = recno_;
    block_count_ = static_cast<uint32_t>(std::min<size_t>(per_block_, count_ - recno_ + 1));
    block_.resize(size_t{block_count_} * table_.record_length());
    table_.ReadRecords(block_first_, block_count_, block_.data());
  }
  return true;
}

RecordView RecordScan::record() const {
  const size_t len = table_.record_length();
  return RecordView(table_,
                    std::string_view(block_.data() + size_t{recno_ - block_first_} * len, len));
}

bool RecordScan::Ahead(RecordView& next) const {
  if (recno_ + 1 >= block_first_ + block_count_) return false;
  const size_t len = table_.record_length();
  next = RecordView(table_,
                    std::string_view(block_.data() + size_t{recno_ + 1 - block_first_} * len, len));
  return true;
}

TableCopy::TableCopy(Table& table)
    : table_(table), count_(table.RecCount()), blank_(table.record_length(), ' ') {
  bytes_.resize(size_t{count_} * table.record_length());
  if (count_ > 0) table.ReadRecords(1, count_, bytes_.data());
}

RecordView TableCopy::Record(uint32_t recno) const {
  const size_t len = table_.record_length();
  if (recno < 1 || recno > count_) return RecordView(table_, std::string_view(blank_.data(), len));
  return RecordView(table_, std::string_view(bytes_.data() + size_t{recno - 1} * len, len));
}

}  // namespace zur::dbf
