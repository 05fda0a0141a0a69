#include "platform/dbf/seek_index.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace zur::dbf {
namespace {

// Starts loading the memory at `p` into the cache. The compiler's prefetch built-in is dropped
// when its address comes out of a loop (as a hash does), so on x86 the instruction is written
// out.
inline void StartLoading(const void* p) {
#if defined(__x86_64__) || defined(__i386__)
  asm volatile("prefetcht0 %0" : : "m"(*static_cast<const char*>(p)));
#else
  __builtin_prefetch(p);
#endif
}

}  // namespace

// The first record, in key then record order, of every key prefix of one length: open
// addressing over record numbers, each slot with the prefix's hash, so that a probe reads a
// key only when the hashes agree. A bit per hash value, in a table small enough to stay at
// hand, answers most seeks of an absent prefix without a probe.
class SeekIndex::PrefixTable {
 public:
  PrefixTable(const SeekIndex& index, size_t length)
      : index_(index), length_(length), slots_(64, 0), present_(slots_.size() / 8, 0) {}

  uint32_t Find(const char* prefix) const {
    const uint32_t hash = Hash(prefix);
    if (!Present(hash)) return 0;
    return Recno(slots_[SlotOf(prefix, hash)]);
  }
  void Prefetch(const char* prefix) const {
    const uint32_t hash = Hash(prefix);
    StartLoading(&present_[Bit(hash) / 64]);
    StartLoading(&slots_[hash & (slots_.size() - 1)]);
  }

  // Keeps `recno` when its prefix has no record yet or it comes before the one kept.
  void Offer(uint32_t recno) {
    const char* key = index_.KeyAt(recno);
    const uint32_t hash = Hash(key);
    uint64_t& slot = slots_[SlotOf(key, hash)];
    if (slot == 0) {
      slot = uint64_t{hash} << 32 | recno;
      Mark(hash);
      if (++used_ * 4 > slots_.size() * 3) Grow();
    } else if (index_.Before(recno, Recno(slot))) {
      slot = uint64_t{hash} << 32 | recno;
    }
  }

 private:
  static uint32_t Recno(uint64_t slot) { return static_cast<uint32_t>(slot); }
  static uint32_t HashOf(uint64_t slot) { return static_cast<uint32_t>(slot >> 32); }
  uint32_t Hash(const char* p) const {
    uint64_t h = 14695981039346656037ull;
    for (size_t i = 0; i < length_; ++i)
      h = (h ^ static_cast<unsigned char>(p[i])) * 1099511628211ull;
    return static_cast<uint32_t>(h ^ (h >> 32));
  }
  // The slot holding this prefix, or the empty slot where it belongs.
  size_t SlotOf(const char* prefix, uint32_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
      const uint64_t slot = slots_[i];
      if (slot == 0 ||
          (HashOf(slot) == hash && std::memcmp(index_.KeyAt(Recno(slot)), prefix, length_) == 0))
        return i;
    }
  }
  void Grow() {
    std::vector<uint64_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    present_.assign(slots_.size() / 8, 0);
    const size_t mask = slots_.size() - 1;
    for (uint64_t slot : old) {
      if (slot == 0) continue;
      size_t i = HashOf(slot) & mask;
      while (slots_[i] != 0) i = (i + 1) & mask;
      slots_[i] = slot;
      Mark(HashOf(slot));
    }
  }
  // Eight bits a slot: a bit drawn from the hash's upper part, which the slots do not use.
  size_t Bit(uint32_t hash) const { return (hash >> 7 | hash << 25) & (present_.size() * 64 - 1); }
  bool Present(uint32_t hash) const {
    const size_t bit = Bit(hash);
    return (present_[bit / 64] >> (bit % 64) & 1) != 0;
  }
  void Mark(uint32_t hash) {
    const size_t bit = Bit(hash);
    present_[bit / 64] |= uint64_t{1} << (bit % 64);
  }

  const SeekIndex& index_;
  size_t length_;
  std::vector<uint64_t> slots_;    // hash << 32 | record number; 0 empty
  std::vector<uint64_t> present_;  // a bit for each hash value of a kept prefix
  size_t used_ = 0;
};

SeekIndex::SeekIndex(size_t width) : width_(width), added_(Less{this}) {}
SeekIndex::~SeekIndex() = default;

bool SeekIndex::Before(uint32_t a, uint32_t b) const {
  const int c = std::memcmp(KeyAt(a), KeyAt(b), width_);
  return c < 0 || (c == 0 && a < b);
}

std::string_view SeekIndex::Key(uint32_t recno) const {
  return std::string_view(KeyAt(recno), width_);
}

void SeekIndex::Add(std::string_view key) {
  const size_t at = keys_.size();
  keys_.resize(at + width_, ' ');
  std::memcpy(keys_.data() + at, key.data(), std::min(key.size(), width_));
  ++count_;
  for (const auto& table : prefixes_)
    if (table) table->Offer(count_);
  if (ordered_) added_.insert(count_);
}

SeekIndex::PrefixTable& SeekIndex::TableFor(size_t length) {
  if (prefixes_.size() < length) prefixes_.resize(length);
  std::unique_ptr<PrefixTable>& table = prefixes_[length - 1];
  if (!table) {
    table = std::make_unique<PrefixTable>(*this, length);
    for (uint32_t r = 1; r <= count_; ++r) table->Offer(r);
  }
  return *table;
}

uint32_t SeekIndex::Seek(std::string_view want) {
  if (want.size() > width_) return 0;
  if (want.empty()) return Begin().recno();
  const uint32_t r = TableFor(want.size()).Find(want.data());
  return r != 0 && std::memcmp(KeyAt(r), want.data(), want.size()) == 0 ? r : 0;
}

void SeekIndex::PrepareSeeks(size_t length) {
  if (length >= 1 && length <= width_) TableFor(length);
}

void SeekIndex::Prefetch(std::string_view want) const {
  const size_t length = want.size();
  if (length == 0 || length > width_ || prefixes_.size() < length || !prefixes_[length - 1]) return;
  prefixes_[length - 1]->Prefetch(want.data());
}

void SeekIndex::Sort() {
  if (!ordered_) {
    sorted_.resize(count_);
    for (uint32_t r = 1; r <= count_; ++r) sorted_[r - 1] = r;
    std::sort(sorted_.begin(), sorted_.end(), Less{this});
    ordered_ = true;
  } else if (!added_.empty()) {
    std::vector<uint32_t> merged;
    merged.reserve(sorted_.size() + added_.size());
    std::merge(sorted_.begin(), sorted_.end(), added_.begin(), added_.end(),
               std::back_inserter(merged), Less{this});
    sorted_.swap(merged);
    added_.clear();
  } else {
    return;
  }
  rank_.resize(count_);
  for (size_t i = 0; i < sorted_.size(); ++i) rank_[sorted_[i] - 1] = static_cast<uint32_t>(i);
  sorted_upto_ = count_;
  ++generation_;
}

SeekIndex::Walk SeekIndex::Begin() {
  Sort();
  return Walk(*this, sorted_.empty() ? 0 : sorted_.front());
}

SeekIndex::Walk SeekIndex::At(uint32_t recno) {
  Sort();
  return Walk(*this, recno >= 1 && recno <= count_ ? recno : 0);
}

SeekIndex::Walk::Walk(SeekIndex& index, uint32_t recno) : index_(&index), current_(recno) {
  Rebase();
}

void SeekIndex::Walk::Rebase() {
  const SeekIndex& x = *index_;
  generation_ = x.generation_;
  if (current_ == 0) {
    base_ = x.sorted_.size();
  } else if (current_ <= x.sorted_upto_) {
    base_ = size_t{x.rank_[current_ - 1]} + 1;
  } else {
    base_ = static_cast<size_t>(
        std::upper_bound(x.sorted_.begin(), x.sorted_.end(), current_, Less{&x}) -
        x.sorted_.begin());
  }
}

void SeekIndex::Walk::Next() {
  if (current_ == 0) return;
  if (generation_ != index_->generation_) Rebase();
  const SeekIndex& x = *index_;
  const uint32_t sorted = base_ < x.sorted_.size() ? x.sorted_[base_] : 0;
  uint32_t added = 0;
  if (!x.added_.empty()) {
    const auto it = x.added_.upper_bound(current_);
    if (it != x.added_.end()) added = *it;
  }
  if (sorted != 0 && (added == 0 || x.Before(sorted, added))) {
    current_ = sorted;
    ++base_;
  } else {
    current_ = added;
  }
}

}  // namespace zur::dbf
