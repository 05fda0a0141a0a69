#pragma once
// An order kept by its user beside a table: the records' keys, found as Table::Seek finds them
// in an order on the same key and walked in the same order (key, then record number), at the
// cost of a hash probe instead of an evaluated key and a search. For passes that seek one
// table record by record; the user computes each key as the order's key expression would.
//
// Seek(want) gives the first entry, in key then record order, whose key begins with `want`:
// what Table::Seek finds in an order without a filter (deleted records count as any other).
// A `want` longer than the keys finds nothing. Keys are cut or blank-padded to the width, as
// an order stores them.

#include <cstdint>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

namespace zur::dbf {

class SeekIndex {
 public:
  explicit SeekIndex(size_t width);
  ~SeekIndex();
  SeekIndex(const SeekIndex&) = delete;
  SeekIndex& operator=(const SeekIndex&) = delete;

  size_t width() const { return width_; }
  uint32_t size() const { return count_; }  // records 1..size() are indexed

  // Indexes the next record, number size() + 1, under `key`.
  void Add(std::string_view key);
  std::string_view Key(uint32_t recno) const;  // 1..size()

  // The record a seek of `want` finds; 0 when none.
  uint32_t Seek(std::string_view want);
  // Starts loading what a seek of `want` reads first, so that the seek, made a little later,
  // finds it at hand. Changes nothing.
  void Prefetch(std::string_view want) const;
  // Build now what seeks of `length` characters and walks use, instead of on first use.
  void PrepareSeeks(size_t length);
  void PrepareWalks() { Sort(); }

  // A walk in key order. Records added during a walk are met in their place when their keys
  // come after the record the walk is on.
  class Walk {
   public:
    uint32_t recno() const { return current_; }  // 0 past the last record
    void Next();

   private:
    friend class SeekIndex;
    Walk(SeekIndex& index, uint32_t recno);
    void Rebase();
    SeekIndex* index_;
    uint32_t current_ = 0;
    size_t base_ = 0;  // the next sorted entry after the current one
    uint64_t generation_ = 0;
  };
  Walk Begin();  // at the first record in order (recno() 0 when there is none)
  Walk At(uint32_t recno);

 private:
  class PrefixTable;
  struct Less {
    const SeekIndex* index;
    bool operator()(uint32_t a, uint32_t b) const { return index->Before(a, b); }
  };

  bool Before(uint32_t a, uint32_t b) const;  // (key, recno) order
  const char* KeyAt(uint32_t recno) const { return keys_.data() + size_t{recno - 1} * width_; }
  PrefixTable& TableFor(size_t length);
  void Sort();  // every record into sorted_, rank_

  size_t width_;
  uint32_t count_ = 0;
  std::vector<char> keys_;
  std::vector<std::unique_ptr<PrefixTable>> prefixes_;  // by length - 1, made on first use
  // Key order: records 1..sorted_upto_ in sorted_ (rank_ gives each one's place), later ones
  // in added_ until the next walk begins. generation_ counts the sorts.
  std::vector<uint32_t> sorted_;
  std::vector<uint32_t> rank_;
  uint32_t sorted_upto_ = 0;
  bool ordered_ = false;  // a walk was asked for: keep added records in order
  std::set<uint32_t, Less> added_;
  uint64_t generation_ = 0;
};

}  // namespace zur::dbf
