#include "platform/dbf/order_index.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <numeric>

namespace zur::dbf {
namespace {

constexpr size_t kBlockBytes = 16 * 1024;

void PutRecno(char* p, uint32_t recno) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>(recno >> (24 - 8 * i));
}

uint32_t GetRecno(const char* p) {
  uint32_t r = 0;
  for (int i = 0; i < 4; ++i) r = r << 8 | static_cast<unsigned char>(p[i]);
  return r;
}

}  // namespace

OrderIndex::OrderIndex(size_t key_width)
    : width_(key_width),
      entry_(key_width + 4),
      max_block_entries_(std::max<size_t>(8, kBlockBytes / (key_width + 4))) {}

void OrderIndex::Clear() {
  blocks_.clear();
  size_ = 0;
}

void OrderIndex::Build(const std::vector<char>& keys, uint32_t n) {
  Clear();
  std::vector<uint32_t> perm(n);
  std::iota(perm.begin(), perm.end(), 0u);
  const char* base = keys.data();
  const size_t w = width_;
  // Equal keys keep record order: a stable sort on the key alone.
  std::stable_sort(perm.begin(), perm.end(), [base, w](uint32_t a, uint32_t b) {
    return std::memcmp(base + size_t{a} * w, base + size_t{b} * w, w) < 0;
  });
  const size_t fill = std::max<size_t>(1, max_block_entries_ * 3 / 4);
  for (size_t i = 0; i < perm.size(); i += fill) {
    size_t m = std::min(fill, perm.size() - i);
    std::vector<char> block(m * entry_);
    for (size_t j = 0; j < m; ++j) {
      char* e = block.data() + j * entry_;
      std::memcpy(e, base + size_t{perm[i + j]} * w, w);
      PutRecno(e + w, perm[i + j] + 1);
    }
    blocks_.push_back(std::move(block));
  }
  size_ = n;
}

std::string OrderIndex::Probe(std::string_view key, uint32_t recno) const {
  std::string p(entry_, '\0');
  std::memcpy(p.data(), key.data(), std::min(key.size(), width_));
  PutRecno(p.data() + width_, recno);
  return p;
}

OrderIndex::Pos OrderIndex::Find(const char* probe) const {
  // The first block whose last entry is >= probe holds the answer.
  size_t lo = 0, hi = blocks_.size();
  while (lo < hi) {
    size_t mid = (lo + hi) / 2;
    const auto& b = blocks_[mid];
    if (std::memcmp(b.data() + b.size() - entry_, probe, entry_) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo == blocks_.size()) return {lo, 0};
  const auto& b = blocks_[lo];
  size_t l = 0, h = Count(lo);
  while (l < h) {
    size_t mid = (l + h) / 2;
    if (std::memcmp(b.data() + mid * entry_, probe, entry_) < 0)
      l = mid + 1;
    else
      h = mid;
  }
  return {lo, l};
}

OrderIndex::Pos OrderIndex::Normalize(Pos p) const {
  if (p.block < blocks_.size() && p.slot >= Count(p.block)) return {p.block + 1, 0};
  return p;
}

uint32_t OrderIndex::Result(Pos p, std::string& key_out) const {
  if (!Valid(p)) return 0;
  const char* e = EntryAt(p);
  key_out.assign(e, width_);
  return GetRecno(e + width_);
}

void OrderIndex::Insert(std::string_view key, uint32_t recno) {
  std::string probe = Probe(key, recno);
  if (blocks_.empty()) {
    blocks_.emplace_back(probe.begin(), probe.end());
    ++size_;
    return;
  }
  Pos p = Find(probe.data());
  if (p.block == blocks_.size()) p = {blocks_.size() - 1, Count(blocks_.size() - 1)};
  auto& b = blocks_[p.block];
  b.insert(b.begin() + static_cast<ptrdiff_t>(p.slot * entry_), probe.begin(), probe.end());
  ++size_;
  if (Count(p.block) > max_block_entries_) {
    size_t half = Count(p.block) / 2;
    std::vector<char> tail(b.begin() + static_cast<ptrdiff_t>(half * entry_), b.end());
    b.resize(half * entry_);
    blocks_.insert(blocks_.begin() + static_cast<ptrdiff_t>(p.block + 1), std::move(tail));
  }
}

bool OrderIndex::Erase(std::string_view key, uint32_t recno) {
  std::string probe = Probe(key, recno);
  Pos p = Find(probe.data());
  if (!Valid(p) || std::memcmp(EntryAt(p), probe.data(), entry_) != 0) return false;
  auto& b = blocks_[p.block];
  auto at = b.begin() + static_cast<ptrdiff_t>(p.slot * entry_);
  b.erase(at, at + static_cast<ptrdiff_t>(entry_));
  if (b.empty()) blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(p.block));
  --size_;
  return true;
}

uint32_t OrderIndex::First(std::string& key_out) const {
  return Result({0, 0}, key_out);
}

uint32_t OrderIndex::Last(std::string& key_out) const {
  if (blocks_.empty()) return 0;
  return Result({blocks_.size() - 1, Count(blocks_.size() - 1) - 1}, key_out);
}

uint32_t OrderIndex::After(std::string_view key, uint32_t recno, std::string& key_out) const {
  std::string probe = Probe(key, recno);
  Pos p = Find(probe.data());
  if (Valid(p) && std::memcmp(EntryAt(p), probe.data(), entry_) == 0)
    p = Normalize({p.block, p.slot + 1});
  return Result(p, key_out);
}

uint32_t OrderIndex::Before(std::string_view key, uint32_t recno, std::string& key_out) const {
  std::string probe = Probe(key, recno);
  Pos p = Find(probe.data());
  // The entry before the first entry >= probe.
  if (p.slot > 0) return Result({p.block, p.slot - 1}, key_out);
  if (p.block == 0) return 0;
  return Result({p.block - 1, Count(p.block - 1) - 1}, key_out);
}

uint32_t OrderIndex::LowerBound(std::string_view prefix, std::string& key_out) const {
  std::string probe = Probe(prefix.substr(0, std::min(prefix.size(), width_)), 0);
  return Result(Find(probe.data()), key_out);
}

}  // namespace zur::dbf
