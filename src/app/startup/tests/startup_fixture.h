#pragma once
// A working directory with a settings table and a saved-variables placeholder, and a start-up
// run against it.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/startup/startup.h"
#include "app/upgrade/required_fields.h"
#include "app/upgrade/tests/recording_console.h"
#include "app/upgrade/tests/test_tables.h"
#include "platform/dbf/work_areas.h"
#include "platform/vars/memory_file.h"

namespace zur::startup::testing {

using upgrade::testing::ReadBytes;
using upgrade::testing::TempDir;
using upgrade::testing::WriteBytes;

// The settings table's fields as this version requires them.
inline std::vector<dbf::FieldSpec> SettingsFields() {
  std::vector<dbf::FieldSpec> fields;
  for (const auto& f : upgrade::RequiredFieldsFor("ATISYSFL", 5)) {
    fields.push_back({f.name, f.type, f.length, f.decimals});
  }
  return fields;
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(dir.path() / "ZUR.XBS", ""); }

  // Creates ATISYSFL.DBF with `fields` and, unless `with_record` is false, one record holding
  // `values` (other fields blank).
  void MakeSettings(const std::map<std::string, Value>& values,
                    std::vector<dbf::FieldSpec> fields = SettingsFields(),
                    bool with_record = true) {
    const auto path = dir.path() / "ATISYSFL.DBF";
    dbf::Table::Create(path, fields);
    if (!with_record) return;
    auto t = dbf::Table::Open(path, dbf::Share::kExclusive);
    t->Append();
    for (const auto& [name, value] : values) t->Replace(name, value);
    t->Flush();
  }

  StartupOptions Options() {
    StartupOptions opts;
    opts.working_dir = dir.path();
    opts.exe_path = (dir.path() / "zur").string();
    opts.today = *Date::FromYmd(2026, 12, 8);
    opts.console = &console;
    opts.change_directory = false;
    return opts;
  }

  StartupResult Start() { return Startup(Options(), vars, areas); }

  std::string Text(std::string_view name) const {
    const Value v = vars.Get(name);
    return v.IsChar() ? v.str() : "<not text>";
  }

  // The variables as saved in ZUR.XBS.
  VarStore Saved() const {
    VarStore saved;
    const auto r =
        RestoreMemoryFile((dir.path() / "ZUR.XBS").string(), saved, RestoreMode::kReplace);
    EXPECT_TRUE(r.ok()) << r.error;
    return saved;
  }

  TempDir dir;
  upgrade::testing::RecordingConsole console;
  VarStore vars;
  dbf::WorkAreas areas;
};

}  // namespace zur::startup::testing
