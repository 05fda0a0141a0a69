#pragma once
// Memo texts for test tables: written and read at the byte level of the .DBT file (block 0 the
// header with the next free block, 512-byte blocks, a text ends with 0x1A 0x1A).

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "app/upgrade/tests/test_tables.h"

namespace zur::upgrade::testing {

inline constexpr size_t kBlock = 512;

// Stores `text` in a new block of the table's memo file and points record `recno`'s memo
// field `field` at it.
inline void PutMemo(const fs::path& table, const fs::path& memo, uint32_t recno, int field,
                    const std::string& text) {
  uint32_t header = 0, record = 0, offset = 1;
  {
    auto t = dbf::Table::Open(table, dbf::Share::kExclusive);
    header = t->header_length();
    record = t->record_length();
    for (int i = 0; i < field; ++i) offset += static_cast<uint32_t>(t->fields()[i].length);
  }
  std::string dbt = ReadBytes(memo);
  const uint32_t block = static_cast<uint32_t>(dbt.size() / kBlock);
  std::string data = text + "\x1A\x1A";
  data.resize((data.size() + kBlock - 1) / kBlock * kBlock, '\0');
  dbt += data;
  const uint32_t next = static_cast<uint32_t>(dbt.size() / kBlock);
  for (int i = 0; i < 4; ++i) dbt[i] = static_cast<char>((next >> (8 * i)) & 0xFF);
  WriteBytes(memo, dbt);
  std::string pointer = std::to_string(block);
  pointer.insert(0, 10 - pointer.size(), ' ');
  const int fd = ::open(table.c_str(), O_WRONLY);
  const ssize_t n = ::pwrite(fd, pointer.data(), 10, header + (recno - 1) * record + offset);
  ::close(fd);
  if (n != 10) std::abort();
}

// The memo text that a stored block number (trimmed field bytes) points to.
inline std::string GetMemo(const fs::path& memo, const std::string& pointer) {
  if (pointer.empty()) return {};
  const std::string dbt = ReadBytes(memo);
  const size_t start = std::stoul(pointer) * kBlock;
  if (start >= dbt.size()) return "<pointer past the end>";
  return dbt.substr(start, dbt.find('\x1A', start) - start);
}

}  // namespace zur::upgrade::testing
