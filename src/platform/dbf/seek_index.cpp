#include "platform/dbf/seek_index.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace zur::dbf {

// The first record, in key then record order, of every key prefix of one length: open
// addressing over record numbers, the prefixes read from the index's keys.
class SeekIndex::PrefixTable {
 public:
  PrefixTable(const SeekIndex& index, size_t length)
      : index_(index), length_(length), slots_(64, 0) {}

  uint32_t Find(const char* prefix) const { return slots_[SlotOf(prefix)]; }

  // Keeps `recno` when its prefix has no record yet or it comes before the one kept.
  void Offer(uint32_t recno) {
    uint32_t& slot = slots_[SlotOf(index_.KeyAt(recno))];
    if (slot == 0) {
      slot = recno;
      if (++used_ * 2 > slots_.size()) Grow();
    } else if (index_.Before(recno, slot)) {
      slot = recno;
    }
  }

 private:
  size_t Hash(const char* p) const {
    uint64_t h = 14695981039346656037ull;
    for (size_t i = 0; i < length_; ++i)
      h = (h ^ static_cast<unsigned char>(p[i])) * 1099511628211ull;
    return static_cast<size_t>(h ^ (h >> 29));
  }
  // The slot holding this prefix, or the empty slot where it belongs.
  size_t SlotOf(const char* prefix) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = Hash(prefix) & mask;; i = (i + 1) & mask) {
      const uint32_t r = slots_[i];
      if (r == 0 || std::memcmp(index_.KeyAt(r), prefix, length_) == 0) return i;
    }
  }
  void Grow() {
    std::vector<uint32_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    for (uint32_t r : old)
      if (r != 0) slots_[SlotOf(index_.KeyAt(r))] = r;
  }

  const SeekIndex& index_;
  size_t length_;
  std::vector<uint32_t> slots_;
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
