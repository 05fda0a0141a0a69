// Two real processes upgrading one table at once, and tables whose header counts fewer records
// than their file holds.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "app/upgrade/flconv.h"
#include "app/upgrade/table_damage.h"
#include "app/upgrade/table_files.h"
#include "app/upgrade/tests/memo_tables.h"
#include "app/upgrade/tests/recording_console.h"
#include "app/upgrade/tests/test_tables.h"

namespace zur::upgrade {
namespace {

using testing::RecordingConsole;
using testing::TempDir;
using Files = std::set<std::string>;

constexpr int kRecords = 200;

// A child process that upgrades `name` and stops at `pause_at` until it is let go: it writes
// a byte to the parent when it has stopped there, and goes on when it reads one.
class PausedUpgrade {
 public:
  PausedUpgrade(const std::string& name, std::string pause_at) {
    if (::pipe(to_parent_) != 0 || ::pipe(to_child_) != 0) std::abort();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(to_parent_[0]);
      ::close(to_child_[1]);
      RecordingConsole console;
      UpgradeOptions options;
      options.on_step = [&](std::string_view step) {
        if (step != pause_at) return;
        char byte = 1;
        if (::write(to_parent_[1], &byte, 1) != 1) ::_exit(4);
        if (::read(to_child_[0], &byte, 1) != 1) ::_exit(5);
      };
      const UpgradeResult r = Flconv(name, console, options);
      ::_exit(r.status == UpgradeStatus::kConverted ? 0 : 3);
    }
    ::close(to_parent_[1]);
    ::close(to_child_[0]);
  }
  ~PausedUpgrade() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    ::close(to_parent_[0]);
    ::close(to_child_[1]);
  }

  // True once the child stands at its step.
  bool Paused() {
    char byte = 0;
    return ::read(to_parent_[0], &byte, 1) == 1;
  }
  // Lets the child go on; its exit status (0: converted).
  int Finish() {
    char byte = 1;
    if (::write(to_child_[1], &byte, 1) != 1) return -1;
    int status = 0;
    ::waitpid(pid_, &status, 0);
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int to_parent_[2] = {-1, -1};
  int to_child_[2] = {-1, -1};
  bool waited_ = false;
};

void MakeClientMaster(const TempDir& dir, bool with_memo) {
  std::vector<dbf::FieldSpec> fields = {{"LACCT", 'C', 10, 0}, {"LNAME", 'C', 30, 0}};
  if (with_memo) fields.push_back({"NOTE", 'M', 10, 0});
  std::vector<std::vector<Value>> rows;
  for (int i = 0; i < kRecords; ++i)
    rows.push_back({"C" + std::to_string(i), "CLIENT " + std::to_string(i)});
  testing::MakeTable(dir / "CLMAST.DBF", fields, rows);
  if (with_memo)
    testing::PutMemo(dir / "CLMAST.DBF", dir / "CLMAST.DBT", 1, 2, "the first client's note");
}

void ExpectConvertedClientMaster(const TempDir& dir, bool with_memo) {
  const auto t = testing::ReadTable(dir / "CLMAST.DBF");
  ASSERT_EQ(t.rows.size(), size_t{kRecords});
  EXPECT_EQ(t.fields.back(), (dbf::FieldSpec{"LSEGAC", 'C', 8, 0}));
  for (int i = 0; i < kRecords; ++i) EXPECT_EQ(t.Value(i, "LACCT"), "C" + std::to_string(i));
  if (with_memo) {
    EXPECT_EQ(testing::GetMemo(dir / "CLMAST.DBT", t.Value(0, "NOTE")), "the first client's note");
    EXPECT_EQ(dir.Files(), (Files{"CLMAST.DBF", "CLMAST.DBT"}));
  } else {
    EXPECT_EQ(dir.Files(), Files{"CLMAST.DBF"});
  }
}

struct Pause {
  bool with_memo;
  const char* step;
};

// The second upgrade (another start-up, or a daily run opening a shared client master) comes
// while the first converts: it must be refused as "in use" and leave the first one's scratch
// files alone, so that the first finishes its conversion.
TEST(ConcurrentUpgrade, ASecondUpgradeWhileTheFirstConvertsLeavesItsFilesAlone) {
  for (Pause pause :
       {Pause{false, "new-created"}, Pause{false, "records-copied"}, Pause{false, "new-synced"},
        Pause{false, "swapped"}, Pause{true, "new-synced"}, Pause{true, "marker-written"},
        Pause{true, "backup-made"}, Pause{true, "memo-swapped"}, Pause{true, "table-swapped"},
        Pause{true, "backup-removed"}}) {
    SCOPED_TRACE(std::string(pause.step) + (pause.with_memo ? " (memo table)" : ""));
    TempDir dir;
    MakeClientMaster(dir, pause.with_memo);
    PausedUpgrade first(dir / "CLMAST", pause.step);
    ASSERT_TRUE(first.Paused());
    const Files during = dir.Files();

    RecordingConsole console;
    const UpgradeResult second = Flconv(dir / "CLMAST", console);
    EXPECT_EQ(second.status, UpgradeStatus::kInUse) << second.message;
    EXPECT_EQ(dir.Files(), during);  // nothing of the first one's removed or restored

    EXPECT_EQ(first.Finish(), 0);
    ExpectConvertedClientMaster(dir, pause.with_memo);
  }
}

// A table being created by one upgrade is not taken by another for the leftover of an
// interrupted one.
TEST(ConcurrentUpgrade, ATableBeingCreatedIsLeftToItsUpgrade) {
  TempDir dir;
  PausedUpgrade first(dir / "ATIMAST", "records-copied");
  ASSERT_TRUE(first.Paused());
  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "ATIMAST", console).status, UpgradeStatus::kInUse);
  EXPECT_EQ(dir.Files(), Files{"ATIMAST_ZURNEW.DBF"});
  EXPECT_EQ(first.Finish(), 0);
  EXPECT_EQ(dir.Files(), Files{"ATIMAST.DBF"});
}

// What an upgrade killed half-way left is still put right by the next one, which holds the
// table while it does.
TEST(ConcurrentUpgrade, LeftoversOfAKilledUpgradeAreStillRecovered) {
  TempDir dir;
  MakeClientMaster(dir, true);
  {
    PausedUpgrade killed(dir / "CLMAST", "backup-made");
    ASSERT_TRUE(killed.Paused());
  }  // killed there
  EXPECT_GT(dir.Files().size(), 2u);
  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "CLMAST", console).status, UpgradeStatus::kConverted);
  ExpectConvertedClientMaster(dir, true);
}

TEST(TableHold, ExcludesEveryOtherOpenAndIsExcludedByThem) {
  TempDir dir;
  testing::MakeTable(dir / "RPINFO.DBF", {{"RNAME", 'C', 10, 0}}, {{"A"}});
  {
    TableHold hold;
    ASSERT_EQ(hold.Take(dir / "RPINFO.DBF"), TableHold::Result::kHeld);
    EXPECT_THROW(dbf::Table::Open(dir / "RPINFO.DBF", dbf::Share::kShared), dbf::Error);
    TableHold second;
    EXPECT_EQ(second.Take(dir / "RPINFO.DBF"), TableHold::Result::kInUse);
  }
  auto open = dbf::Table::Open(dir / "RPINFO.DBF", dbf::Share::kShared);
  TableHold hold;
  EXPECT_EQ(hold.Take(dir / "RPINFO.DBF"), TableHold::Result::kInUse);
  EXPECT_EQ(hold.Take(dir / "MISSING.DBF"), TableHold::Result::kMissing);
}

// Appends `extra` whole records past the header's count (as a program that wrote records but
// not the count leaves them).
void AddUncountedRecords(const std::string& path, int extra, size_t record_length) {
  std::string bytes = testing::ReadBytes(path);
  if (!bytes.empty() && bytes.back() == 0x1A) bytes.pop_back();
  for (int i = 0; i < extra; ++i) {
    std::string record(record_length, ' ');
    const std::string account = "LOST" + std::to_string(i);
    record.replace(1, account.size(), account);
    bytes += record;
  }
  bytes += '\x1A';
  testing::WriteBytes(path, bytes);
}

TEST(UncountedRecords, AnUpgradeNeverDropsRecordsPastTheHeaderCount) {
  TempDir dir;
  testing::MakeTable(dir / "CLMAST.DBF", {{"LACCT", 'C', 10, 0}}, {{"C1"}, {"C2"}, {"C3"}});
  AddUncountedRecords(dir / "CLMAST.DBF", 2, 11);
  const std::string before = testing::ReadBytes(dir / "CLMAST.DBF");
  RecordingConsole console;
  const UpgradeResult r = Flconv(dir / "CLMAST", console);
  EXPECT_EQ(r.status, UpgradeStatus::kFailed);
  EXPECT_NE(r.message.find(dir / "CLMAST.DBF"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("counts 3 records but the file holds 5"), std::string::npos)
      << r.message;
  EXPECT_EQ(testing::ReadBytes(dir / "CLMAST.DBF"), before);  // untouched
  EXPECT_EQ(dir.Files(), Files{"CLMAST.DBF"});
  EXPECT_NE(TableDamage(dir / "CLMAST.DBF").find("holds 5"), std::string::npos);
}

TEST(UncountedRecords, AnEndOfFileByteOrPaddingIsNoRecord) {
  TempDir dir;
  testing::MakeTable(dir / "CLMAST.DBF", {{"LACCT", 'C', 10, 0}}, {{"C1"}});
  EXPECT_EQ(TableDamage(dir / "CLMAST.DBF"), "");
  // Some writers pad the file after the end-of-file byte.
  std::string bytes = testing::ReadBytes(dir / "CLMAST.DBF") + std::string(40, '\0');
  testing::WriteBytes(dir / "CLMAST.DBF", bytes);
  EXPECT_EQ(TableDamage(dir / "CLMAST.DBF"), "");
  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "CLMAST", console).status, UpgradeStatus::kConverted);
  EXPECT_EQ(testing::ReadTable(dir / "CLMAST.DBF").rows.size(), 1u);
}

}  // namespace
}  // namespace zur::upgrade
