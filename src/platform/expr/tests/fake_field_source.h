#pragma once
// An in-memory FieldSource for tests, benchmarks and the fuzz target: work areas with named
// fields and records, one of them current.

#include <string>
#include <string_view>
#include <vector>

#include "platform/expr/expression.h"
#include "platform/expr/token.h"

namespace zur::expr::testing {

class FakeFieldSource : public FieldSource {
 public:
  struct Area {
    std::string alias;
    std::vector<std::string> fields;
    std::vector<std::vector<Value>> records;
    std::vector<bool> deleted;
    size_t recno = 1;  // 1-based
  };

  // Adds a work area; the first one added is the current one.
  Area& AddArea(std::string alias, std::vector<std::string> fields) {
    areas_.push_back(Area{std::move(alias), std::move(fields), {}, {}, 1});
    ++generation_;
    return areas_.back();
  }
  void AddRecord(size_t area, std::vector<Value> values, bool deleted = false) {
    areas_[area].records.push_back(std::move(values));
    areas_[area].deleted.push_back(deleted);
  }
  // Makes another area current: handles given out before lose their meaning.
  void Select(size_t area) {
    current_ = area;
    ++generation_;
  }
  void Goto(size_t area, size_t recno) { areas_[area].recno = recno; }
  Area& area(size_t i) { return areas_[i]; }
  int lookups() const { return lookups_; }

  int FindField(std::string_view alias, std::string_view name) override {
    ++lookups_;
    for (size_t a = 0; a < areas_.size(); ++a) {
      if (alias.empty() ? a != current_ : !EqualsNoCase(alias, areas_[a].alias)) continue;
      const auto& fields = areas_[a].fields;
      for (size_t f = 0; f < fields.size(); ++f) {
        if (EqualsNoCase(fields[f], name)) return static_cast<int>(a * kPerArea + f);
      }
    }
    return -1;
  }
  void ReadField(int handle, Value& out) override {
    const Area& a = areas_[handle / kPerArea];
    out = a.records[a.recno - 1][handle % kPerArea];
  }
  uint64_t Generation() const override { return generation_; }
  double RecNo() override { return static_cast<double>(areas_[current_].recno); }
  bool Deleted() override {
    const Area& a = areas_[current_];
    return a.recno <= a.deleted.size() && a.deleted[a.recno - 1];
  }

 private:
  static constexpr int kPerArea = 1000;
  std::vector<Area> areas_;
  size_t current_ = 0;
  uint64_t generation_ = 1;
  int lookups_ = 0;
};

}  // namespace zur::expr::testing
