#pragma once
// The records of a table read in large blocks, without the record pointer, an order or the
// filter: for passes over every record in record order (RecordScan) and for look-ups that
// read a whole table once (TableCopy). The record count is the table's when the scan or copy
// is made.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/dbf/table.h"

namespace zur::dbf {

// The bytes of one record (deletion flag first) and its fields by number.
class RecordView {
 public:
  RecordView() = default;
  RecordView(const Table& table, std::string_view bytes) : table_(&table), bytes_(bytes) {}

  const Table& table() const { return *table_; }
  std::string_view bytes() const { return bytes_; }
  bool deleted() const { return !bytes_.empty() && bytes_[0] == '*'; }
  // The field's stored bytes; empty for a field number below 0 (a field the table lacks).
  std::string_view Field(int field) const;
  // The field's value, as Table::Get reads it; Nil for a field number below 0.
  Value Get(int field) const;

 private:
  const Table* table_ = nullptr;
  std::string_view bytes_;
};

class RecordScan {
 public:
  explicit RecordScan(Table& table, size_t block_bytes = 1 << 20);

  // Moves to the next record; false after the last one.
  bool Next();
  uint32_t recno() const { return recno_; }
  RecordView record() const;
  // The record after the current one when it has been read already (the block holds it).
  bool Ahead(RecordView& next) const;

 private:
  Table& table_;
  uint32_t count_;
  size_t per_block_;
  std::vector<char> block_;
  uint32_t block_first_ = 0;  // record number of the block's first record
  uint32_t block_count_ = 0;
  uint32_t recno_ = 0;
};

class TableCopy {
 public:
  explicit TableCopy(Table& table);

  const Table& table() const { return table_; }
  uint32_t size() const { return count_; }
  // Record `recno` (1..size()); 0 or a number past the end gives the blank record, as a table
  // reads at end of file.
  RecordView Record(uint32_t recno) const;

 private:
  const Table& table_;
  uint32_t count_;
  std::vector<char> bytes_;
  std::vector<char> blank_;
};

}  // namespace zur::dbf
