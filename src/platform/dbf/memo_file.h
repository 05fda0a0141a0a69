#pragma once
// The .DBT memo file beside a table: 512-byte blocks, block 0 holding the number of the next
// free block; a memo is text ended by 0x1A 0x1A from its first block on. The table keeps the
// block number as ten right-aligned digits (blank: no memo).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zur::dbf {

// The memo file of `table` (same name, extension .DBT in any case), or an empty path.
std::filesystem::path MemoPathOf(const std::filesystem::path& table);

// The block number a memo field holds; 0 for a blank field. Throws Error(kDamaged) naming
// `file` when the field holds something else.
uint32_t MemoBlock(std::string_view field, const std::string& file);

class MemoFile {
 public:
  // Opens for reading, or for reading and appending. Throws Error naming the file.
  MemoFile(const std::filesystem::path& path, bool writable);
  ~MemoFile();
  MemoFile(const MemoFile&) = delete;
  MemoFile& operator=(const MemoFile&) = delete;

  // The memo text that starts at `block`; throws Error(kDamaged) when it lies outside the
  // file or has no end within the file.
  std::string Read(uint32_t block);
  // Writes `text` as a new memo at the end and returns its block number.
  uint32_t Append(std::string_view text);

 private:
  std::string file_;
  int fd_ = -1;
};

}  // namespace zur::dbf
