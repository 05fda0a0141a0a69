#pragma once
// Numbered work areas (1..kMaxAreas), each holding at most one open table under an alias,
// with a current area as in xBase, and parent-to-child relations between areas. Also the
// field source through which expressions see the tables: a bare name is a field of the
// current area, "ALIAS->NAME" a field of the area with that alias.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbf/table.h"

namespace zur::dbf {

class WorkAreas : public expr::FieldSource {
 public:
  static constexpr int kMaxAreas = 250;

  WorkAreas();
  ~WorkAreas() override;
  WorkAreas(const WorkAreas&) = delete;
  WorkAreas& operator=(const WorkAreas&) = delete;

  // Functions and memory variables for the key, filter and relation expressions of every
  // table opened here (the tables' alias lookups come back to these areas).
  void SetEnvironment(const expr::FunctionTable* functions, VarStore* vars);

  // Selects area `n` (1..kMaxAreas; kUsage error otherwise); 0 selects the lowest free area.
  void Select(int n);
  // Selects the area whose table has this alias (case-insensitive); false when none does.
  bool Select(std::string_view alias);
  int current() const;  // the current area number

  // Opens `path` in the current area, closing what it held. The alias defaults to the
  // file's stem; an alias already used by another area is a kUsage error.
  Table& Use(const std::filesystem::path& path, std::string_view alias, Share share,
             Access access = Access::kReadWrite);

  Table* Current();                          // the current area's table, or null
  Table* Find(std::string_view alias);       // by alias, or null
  Table* At(int n);                          // by number, or null
  int AreaOf(std::string_view alias) const;  // 0 when no area has the alias

  void Close();                        // the current area
  bool Close(std::string_view alias);  // false when no area has the alias
  void CloseAll();

  // Relates the current area (parent) to the area `child_alias`: whenever the parent's
  // record pointer moves, the child seeks the value of `key_expression`, evaluated in the
  // parent, in its active order (EOF when not found). Positions the child at once.
  void SetRelation(std::string_view child_alias, std::string_view key_expression);
  void ClearRelations();  // of the current area

  // expr::FieldSource over the areas.
  int FindField(std::string_view alias, std::string_view name) override;
  void ReadField(int handle, Value& out) override;
  uint64_t Generation() const override;
  double RecNo() override;
  bool Deleted() override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zur::dbf
