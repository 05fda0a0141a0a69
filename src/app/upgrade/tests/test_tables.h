#pragma once
// Scratch directories and small tables for the upgrade and command tests.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/dbf/table.h"

namespace zur::upgrade::testing {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    char name[] = "/tmp/zur_upgrade_XXXXXX";
    if (::mkdtemp(name) == nullptr) std::abort();
    path_ = name;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  // The names of the files in the directory.
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(path_)) names.insert(e.path().filename().string());
    return names;
  }

 private:
  fs::path path_;
};

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Creates `path` with `fields` and one record per row (values in field order; a Nil value
// leaves the field blank).
inline void MakeTable(const fs::path& path, const std::vector<dbf::FieldSpec>& fields,
                      const std::vector<std::vector<Value>>& rows) {
  dbf::Table::Create(path, fields);
  auto t = dbf::Table::Open(path, dbf::Share::kExclusive);
  for (const auto& row : rows) {
    t->Append();
    for (size_t i = 0; i < row.size(); ++i)
      if (!row[i].IsNil()) t->Replace(static_cast<int>(i), row[i]);
  }
  t->Flush();
}

// Every record as its fields' stored bytes with trailing blanks removed, by field name.
struct Snapshot {
  std::vector<dbf::FieldSpec> fields;
  std::vector<std::vector<std::string>> rows;
  std::string Value(size_t row, std::string_view field) const {
    for (size_t i = 0; i < fields.size(); ++i)
      if (fields[i].name == field) return rows.at(row).at(i);
    return "<no field " + std::string(field) + ">";
  }
};

inline Snapshot ReadTable(const fs::path& path) {
  auto t = dbf::Table::Open(path, dbf::Share::kShared, dbf::Access::kReadOnly);
  Snapshot s;
  s.fields = t->fields();
  for (uint32_t r = 1; r <= t->RecCount(); ++r) {
    t->GoTo(r);
    std::vector<std::string> row;
    for (size_t i = 0; i < s.fields.size(); ++i) {
      std::string v(t->Raw(static_cast<int>(i)));
      while (!v.empty() && v.back() == ' ') v.pop_back();
      size_t lead = 0;
      while (s.fields[i].type == 'N' && lead < v.size() && v[lead] == ' ') ++lead;
      row.push_back(v.substr(lead));
    }
    s.rows.push_back(std::move(row));
  }
  return s;
}

}  // namespace zur::upgrade::testing
