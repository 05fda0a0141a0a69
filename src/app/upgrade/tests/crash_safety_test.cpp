// The upgrade is interrupted at each of its steps in a child process; the next upgrade must
// find every record and value under the table's name.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/upgrade/flconv.h"
#include "app/upgrade/tests/memo_tables.h"
#include "app/upgrade/tests/recording_console.h"
#include "app/upgrade/tests/test_tables.h"

namespace zur::upgrade {
namespace {

using testing::RecordingConsole;
using testing::TempDir;
using Files = std::set<std::string>;

constexpr int kStopped = 42;

// Runs the upgrade of `name` in a child that ends itself at the `stop_at`-th step. Returns
// the child's exit status: kStopped, or 0 when the upgrade finished first.
int UpgradeInterruptedAt(const std::string& name, int stop_at) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int steps = 0;
    RecordingConsole console;
    UpgradeOptions options;
    options.on_step = [&](std::string_view) {
      if (++steps == stop_at) ::_exit(kStopped);
    };
    const auto r = Flconv(name, console, options);
    ::_exit(r.status == UpgradeStatus::kConverted ? 0 : 3);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Scenario {
  std::string base;
  std::function<void(const TempDir&)> make;
  // Checks the upgraded table; `context` names the crash point.
  std::function<void(const TempDir&, const std::string& context)> check;
  // Checks, before any recovery, what stands under the table's name (may be empty).
  std::function<void(const TempDir&, const std::string& context)> check_interrupted;
};

void RunEveryCrashPoint(const Scenario& s) {
  int stop_at = 1;
  for (;; ++stop_at) {
    SCOPED_TRACE("stopped at step " + std::to_string(stop_at));
    TempDir dir;
    s.make(dir);
    const int exit = UpgradeInterruptedAt(dir / s.base, stop_at);
    ASSERT_TRUE(exit == kStopped || exit == 0) << "child exit " << exit;
    const std::string context = "step " + std::to_string(stop_at);
    if (s.check_interrupted) s.check_interrupted(dir, context);
    RecordingConsole console;
    const auto r = Flconv(dir / s.base, console);
    ASSERT_TRUE(r.status == UpgradeStatus::kConverted || r.status == UpgradeStatus::kUpToDate)
        << r.message;
    s.check(dir, context);
    if (exit == 0) break;
  }
  EXPECT_GE(stop_at, 6);  // the steps were really passed one by one
}

constexpr int kRecords = 40;

TEST(CrashSafety, PlainTableSurvivesACrashAtEveryStep) {
  const std::vector<dbf::FieldSpec> old = {{"RNAME", 'C', 40, 0}, {"RPAGE", 'N', 3, 0}};
  Scenario s;
  s.base = "RPINFO";
  s.make = [&](const TempDir& dir) {
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < kRecords; ++i) rows.push_back({"REPORT-" + std::to_string(i), i});
    testing::MakeTable(dir / "RPINFO.DBF", old, rows);
  };
  auto all_records = [](const testing::Snapshot& t, const std::string& context) {
    ASSERT_EQ(t.rows.size(), size_t{kRecords}) << context;
    for (int i = 0; i < kRecords; ++i) {
      EXPECT_EQ(t.Value(i, "RNAME"), "REPORT-" + std::to_string(i)) << context;
      EXPECT_EQ(t.Value(i, "RPAGE"), std::to_string(i)) << context;
    }
  };
  s.check_interrupted = [&](const TempDir& dir, const std::string& context) {
    all_records(testing::ReadTable(dir / "RPINFO.DBF"), context);  // old or new, complete
  };
  s.check = [&](const TempDir& dir, const std::string& context) {
    const auto t = testing::ReadTable(dir / "RPINFO.DBF");
    EXPECT_EQ(t.fields.size(), 6u) << context;
    EXPECT_EQ(t.fields[0].length, 60) << context;
    all_records(t, context);
    EXPECT_EQ(dir.Files(), Files{"RPINFO.DBF"}) << context;
  };
  RunEveryCrashPoint(s);
}

TEST(CrashSafety, MemoTableSurvivesACrashAtEveryStep) {
  const std::vector<dbf::FieldSpec> old = {{"CLNO", 'C', 8, 0}, {"NOTE", 'M', 10, 0}};
  Scenario s;
  s.base = "ABCLMAST";
  s.make = [&](const TempDir& dir) {
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < kRecords; ++i) rows.push_back({"C" + std::to_string(i)});
    testing::MakeTable(dir / "ABCLMAST.DBF", old, rows);
    for (int i = 0; i < kRecords; i += 3)
      testing::PutMemo(dir / "ABCLMAST.DBF", dir / "ABCLMAST.DBT", i + 1, 1,
                       "note of client " + std::to_string(i));
  };
  s.check = [&](const TempDir& dir, const std::string& context) {
    const auto t = testing::ReadTable(dir / "ABCLMAST.DBF");
    ASSERT_EQ(t.fields.size(), 3u) << context;
    EXPECT_EQ(t.fields[2], (dbf::FieldSpec{"LSEGAC", 'C', 8, 0})) << context;
    ASSERT_EQ(t.rows.size(), size_t{kRecords}) << context;
    for (int i = 0; i < kRecords; ++i) {
      EXPECT_EQ(t.Value(i, "CLNO"), "C" + std::to_string(i)) << context;
      const std::string note = testing::GetMemo(dir / "ABCLMAST.DBT", t.Value(i, "NOTE"));
      EXPECT_EQ(note, i % 3 == 0 ? "note of client " + std::to_string(i) : "") << context;
    }
    EXPECT_EQ(dir.Files(), (Files{"ABCLMAST.DBF", "ABCLMAST.DBT"})) << context;
  };
  RunEveryCrashPoint(s);
}

TEST(CrashSafety, MemoTableMovesThroughItsBackupName) {
  TempDir dir;
  testing::MakeTable(dir / "ABCLMAST.DBF", {{"CLNO", 'C', 8, 0}, {"NOTE", 'M', 10, 0}}, {{"C1"}});
  testing::PutMemo(dir / "ABCLMAST.DBF", dir / "ABCLMAST.DBT", 1, 1, "remember");
  Files seen;
  RecordingConsole console;
  UpgradeOptions options;
  options.on_step = [&](std::string_view step) {
    if (step == "backup-made") seen = dir.Files();
  };
  EXPECT_EQ(Flconv(dir / "ABCLMAST", console, options).status, UpgradeStatus::kConverted);
  EXPECT_EQ(console.lines, std::vector<std::string>{"Converting " + (dir / "ABCLMAST") + "... "});
  EXPECT_TRUE(seen.count("ABCLMASA.DBF") && seen.count("ABCLMASA.DBT"));
  EXPECT_EQ(dir.Files(), (Files{"ABCLMAST.DBF", "ABCLMAST.DBT"}));
  const auto t = testing::ReadTable(dir / "ABCLMAST.DBF");
  EXPECT_EQ(testing::GetMemo(dir / "ABCLMAST.DBT", t.Value(0, "NOTE")), "remember");
}

TEST(CrashSafety, OrphanedMemoBackupIsRestored) {
  TempDir dir;
  // An older version crashed after moving the pair to its backup name.
  testing::MakeTable(dir / "ABCLMASA.DBF", {{"CLNO", 'C', 8, 0}, {"NOTE", 'M', 10, 0}}, {{"C1"}});
  testing::PutMemo(dir / "ABCLMASA.DBF", dir / "ABCLMASA.DBT", 1, 1, "kept");
  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "ABCLMAST", console).status, UpgradeStatus::kConverted);
  EXPECT_EQ(dir.Files(), (Files{"ABCLMAST.DBF", "ABCLMAST.DBT"}));
  const auto t = testing::ReadTable(dir / "ABCLMAST.DBF");
  EXPECT_EQ(t.Value(0, "CLNO"), "C1");
  EXPECT_EQ(testing::GetMemo(dir / "ABCLMAST.DBT", t.Value(0, "NOTE")), "kept");
}

}  // namespace
}  // namespace zur::upgrade
