#pragma once
// An index order kept in memory: fixed-width keys with their record numbers, sorted by key
// and then by record number, in blocks so that inserts and removals stay cheap while the
// order is walked.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zur::dbf {

class OrderIndex {
 public:
  explicit OrderIndex(size_t key_width);

  size_t key_width() const { return width_; }
  size_t size() const { return size_; }

  // Replaces the contents with records 1..n, whose keys are `keys` (n * key_width bytes,
  // the key of record r at (r - 1) * key_width).
  void Build(const std::vector<char>& keys, uint32_t n);
  void Clear();
  // `key` must be key_width bytes long.
  void Insert(std::string_view key, uint32_t recno);
  bool Erase(std::string_view key, uint32_t recno);

  // Each lookup returns a record number, or 0 when there is none, and copies that entry's
  // key into `key_out`.
  uint32_t First(std::string& key_out) const;
  uint32_t Last(std::string& key_out) const;
  // The entry after / before the entry (key, recno), which need not be present.
  uint32_t After(std::string_view key, uint32_t recno, std::string& key_out) const;
  uint32_t Before(std::string_view key, uint32_t recno, std::string& key_out) const;
  // The first entry whose key is not less than `prefix` (compared over the prefix's length;
  // a longer prefix is cut to the key width).
  uint32_t LowerBound(std::string_view prefix, std::string& key_out) const;

 private:
  struct Pos {
    size_t block = 0;
    size_t slot = 0;
  };
  // Position of the first entry >= probe (an entry-sized byte string); block == blocks_.size()
  // when there is none.
  Pos Find(const char* probe) const;
  std::string Probe(std::string_view key, uint32_t recno) const;
  const char* EntryAt(Pos p) const { return blocks_[p.block].data() + p.slot * entry_; }
  size_t Count(size_t block) const { return blocks_[block].size() / entry_; }
  uint32_t Result(Pos p, std::string& key_out) const;
  bool Valid(Pos p) const { return p.block < blocks_.size(); }
  Pos Normalize(Pos p) const;  // moves past the end of a block to the next block

  size_t width_;
  size_t entry_;  // width_ + 4 bytes of big-endian record number
  size_t max_block_entries_;
  size_t size_ = 0;
  std::vector<std::vector<char>> blocks_;  // every block non-empty
};

}  // namespace zur::dbf
