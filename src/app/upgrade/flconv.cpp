#include "app/upgrade/flconv.h"

#include <memory>
#include <optional>
#include <vector>

#include "app/upgrade/field_steps.h"
#include "app/upgrade/table_damage.h"
#include "app/upgrade/table_files.h"
#include "app/upgrade/upgrade_paths.h"
#include "app/upgrade/upgrade_recovery.h"
#include "platform/dbf/table.h"

namespace zur::upgrade {
namespace fs = std::filesystem;
namespace {

class Upgrade {
 public:
  Upgrade(std::string_view name, UpgradeConsole& console, const UpgradeOptions& options)
      : name_(name), console_(console), options_(options), paths_(UpgradePaths::For(name)) {}

  UpgradeResult Run();
  // After a failure: the table back as it was, no scratch files; done only while the table
  // can be held, as at the start.
  void CleanUp() noexcept {
    try {
      new_hold_.Release();
      TableHold hold;
      if (hold.Take(HeldFile()) != TableHold::Result::kInUse) RecoverInterruptedUpgrade(paths_);
    } catch (const std::exception&) {
      // The next upgrade tries again.
    }
  }

 private:
  void Step(std::string_view step) const {
    if (options_.on_step) options_.on_step(step);
  }
  UpgradeResult Quit(std::string message) {
    console_.Error(message);
    console_.WaitKey(kPressAnyKey);
    return {UpgradeStatus::kQuit, std::move(message)};
  }
  void RemoveNewTable() {
    RemoveFile(FindFile(paths_.new_table));
    RemoveFile(FindFile(paths_.new_memo));
  }
  // The file whose hold keeps other upgrades of this table out: the table, or while it is
  // missing (being created) the scratch table.
  std::filesystem::path HeldFile() const {
    return FileExists(paths_.table) ? paths_.table : FindFile(paths_.new_table);
  }
  // Finishes off an interrupted upgrade while holding the table; false when another open
  // holds it (an upgrade may be running there, and its scratch files are its own).
  bool RecoverWhileHeld() {
    TableHold hold;
    if (hold.Take(HeldFile()) == TableHold::Result::kInUse) return false;
    RecoverInterruptedUpgrade(paths_, options_.on_step);
    return true;
  }
  // Builds the new table with the records of the old one; false when the disk is too small.
  bool BuildNewTable(dbf::Table* old);
  void SwapInPlainTable();
  void SwapInMemoTable();

  std::string name_;
  UpgradeConsole& console_;
  const UpgradeOptions& options_;
  UpgradePaths paths_;
  // The new table from the moment it is complete until it stands under the table's name, so
  // that no other upgrade takes it for the leftover of an interrupted one.
  TableHold new_hold_;
  Structure structure_;
  uint64_t old_records_ = 0;
};

UpgradeResult Upgrade::Run() {
  Step("start");
  const std::vector<RequiredField> required = RequiredFieldsFor(name_, options_.stkno_len);
  if (required.empty()) return {};
  if (!RecoverWhileHeld()) return {UpgradeStatus::kInUse, {}};

  std::unique_ptr<dbf::Table> old;
  if (FileExists(paths_.table)) {
    try {
      old = dbf::Table::Open(paths_.table, dbf::Share::kExclusive, dbf::Access::kReadOnly);
    } catch (const dbf::Error& e) {
      if (e.kind() == dbf::ErrorKind::kInUse) return {UpgradeStatus::kInUse, {}};
      throw;
    }
    structure_ = old->fields();
    old_records_ = old->RecCount();
  }
  const bool with_memo = FileExists(paths_.memo);

  bool changed = false;
  for (const RequiredField& field : required) {
    const StepResult r = ApplyRequiredField(structure_, field);
    if (r == StepResult::kWrongType) return Quit(WrongTypeMessage(name_, field.name, field.type));
    changed = changed || r == StepResult::kChanged;
  }
  if (!changed) return {};

  // A copy takes the counted records only: records past the header's count would be lost.
  if (old)
    if (std::string uncounted = UncountedRecords(*old); !uncounted.empty())
      throw dbf::Error(dbf::ErrorKind::kDamaged, uncounted);

  console_.Line("Converting " + name_ + "... ");
  if (!BuildNewTable(old.get())) {
    RemoveNewTable();  // while the table is still held
    old.reset();
    return Quit(std::string(kDiskFullMessage));
  }
  // The old table stays open (exclusively) until the new one has taken its name, so no other
  // program can change it in between.
  if (old && with_memo)
    SwapInMemoTable();
  else
    SwapInPlainTable();
  old.reset();
  new_hold_.Release();
  Step("done");
  return {UpgradeStatus::kConverted, {}};
}

bool Upgrade::BuildNewTable(dbf::Table* old) {
  RemoveNewTable();
  dbf::Table::Create(paths_.new_table, structure_);
  Step("new-created");
  auto fresh = dbf::Table::Open(paths_.new_table, dbf::Share::kExclusive);
  if (DiskFull(*fresh, old_records_, console_, options_.free_space)) return false;
  if (old) fresh->AppendFrom(*old);
  Step("records-copied");
  fresh->Flush();
  fresh.reset();
  if (new_hold_.Take(paths_.new_table) != TableHold::Result::kHeld)
    throw dbf::Error(dbf::ErrorKind::kInUse,
                     paths_.new_table.string() + ": taken by another upgrade while being built");
  // Memo fields are copied as block numbers, so the new table takes a copy of the old memo
  // file they point into.
  const fs::path new_memo = FindFile(paths_.new_memo);
  if (old && FileExists(new_memo) && FileExists(paths_.memo)) CopyFileSynced(paths_.memo, new_memo);
  SyncDirectory(paths_.dir);
  Step("new-synced");
  return true;
}

void Upgrade::SwapInPlainTable() {
  // One rename: the table's name holds the old table until it holds the new one.
  const fs::path new_memo = FindFile(paths_.new_memo);
  if (FileExists(new_memo)) MoveOver(new_memo, paths_.memo);
  MoveOver(paths_.new_table, paths_.table);
  SyncDirectory(paths_.dir);
  Step("swapped");
}

void Upgrade::SwapInMemoTable() {
  // Two files cannot be replaced together: the old pair keeps a second name (the backup) for
  // as long as the marker stands, and recovery puts it back if the swap does not finish.
  const std::string stem = paths_.BackupStem();
  const fs::path backup_table = paths_.InDir(stem + ".DBF");
  const fs::path backup_memo = paths_.InDir(stem + ".DBT");
  RemoveFile(FindFile(backup_table));
  RemoveFile(FindFile(backup_memo));
  WriteSwapMarker(paths_, stem);
  SyncDirectory(paths_.dir);
  Step("marker-written");
  LinkOrCopy(paths_.memo, backup_memo);
  LinkOrCopy(paths_.table, backup_table);  // the backup counts once its table exists
  SyncDirectory(paths_.dir);
  Step("backup-made");
  const fs::path new_memo = FindFile(paths_.new_memo);
  if (FileExists(new_memo)) MoveOver(new_memo, paths_.memo);
  Step("memo-swapped");
  MoveOver(paths_.new_table, paths_.table);
  SyncDirectory(paths_.dir);
  Step("table-swapped");
  RemoveFile(backup_table);
  RemoveFile(backup_memo);
  SyncDirectory(paths_.dir);
  Step("backup-removed");
  RemoveFile(paths_.swap_marker);
  SyncDirectory(paths_.dir);
}

}  // namespace

UpgradeResult Flconv(std::string_view name, UpgradeConsole& console,
                     const UpgradeOptions& options) {
  std::optional<Upgrade> upgrade;
  std::string error;
  try {
    upgrade.emplace(name, console, options);
    return upgrade->Run();
  } catch (const std::exception& e) {  // dbf::Error and file-system errors name the file
    error = e.what();
  }
  if (upgrade) upgrade->CleanUp();
  console.Error(error);
  return {UpgradeStatus::kFailed, error};
}

}  // namespace zur::upgrade
