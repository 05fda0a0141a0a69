#include "app/upgrade/upgrade_recovery.h"

#include "app/upgrade/table_files.h"
#include "platform/dbf/table.h"
#include "platform/vars/file_io.h"

namespace zur::upgrade {
namespace fs = std::filesystem;
namespace {

void Step(const StepHook& hook, std::string_view name) {
  if (hook) hook(name);
}

// The backup stem named by the marker; a marker that does not name a backup of this table
// (damaged) gives the stem by the naming rule.
std::string BackupStemFromMarker(const UpgradePaths& paths) {
  const FileBytes read = ReadFileBytes(paths.swap_marker.string(), 256);
  std::string stem = read.ok() ? read.bytes : std::string();
  while (!stem.empty() && (stem.back() == '\n' || stem.back() == '\r')) stem.pop_back();
  const bool short_rule = stem == paths.base + "O";
  const bool long_rule = paths.base.size() >= 8 && stem.size() == 8 &&
                         stem.compare(0, 7, paths.base, 0, 7) == 0 && stem[7] >= 'A' &&
                         stem[7] <= 'Z';
  return short_rule || long_rule ? stem : paths.BackupStem();
}

// Renames the backup pair `stem`.DBF/.DBT back over the table; the memo file first, so that
// while the backup table exists the pair can still be restored.
void RestorePair(const UpgradePaths& paths, const std::string& stem) {
  const fs::path backup_memo = FindFile(paths.InDir(stem + ".DBT"));
  const fs::path backup_table = FindFile(paths.InDir(stem + ".DBF"));
  if (FileExists(backup_memo)) MoveOver(backup_memo, paths.memo);
  MoveOver(backup_table, paths.table);
}

}  // namespace

void WriteSwapMarker(const UpgradePaths& paths, const std::string& backup_stem) {
  const std::string error = WriteFileAtomically(paths.swap_marker.string(), backup_stem + "\n");
  if (!error.empty()) throw dbf::Error(dbf::ErrorKind::kIo, error);
}

bool RecoverInterruptedUpgrade(UpgradePaths& paths, const StepHook& on_step) {
  bool acted = false;
  if (FileExists(paths.swap_marker)) {
    const std::string stem = BackupStemFromMarker(paths);
    const fs::path backup_table = FindFile(paths.InDir(stem + ".DBF"));
    if (FileExists(backup_table)) {
      RestorePair(paths, stem);
    } else {
      // The backup was still being made: the table itself was not touched.
      RemoveFile(FindFile(paths.InDir(stem + ".DBT")));
    }
    acted = true;
    Step(on_step, "recovery-restored");
  }
  for (const fs::path& scratch : {paths.new_table, paths.new_memo}) {
    const fs::path found = FindFile(scratch);
    if (FileExists(found)) {
      RemoveFile(found);
      acted = true;
    }
  }
  if (!FileExists(paths.table)) {
    const std::string stem = paths.BackupStem();
    if (FileExists(paths.bak)) {
      MoveOver(paths.bak, paths.table);
      acted = true;
    } else if (FileExists(FindFile(paths.InDir(stem + ".DBF")))) {
      RestorePair(paths, stem);
      acted = true;
    }
  }
  if (acted) SyncDirectory(paths.dir);
  // The marker goes last: until it is gone, a crash repeats the steps above.
  if (FileExists(paths.swap_marker)) {
    RemoveFile(paths.swap_marker);
    SyncDirectory(paths.dir);
  }
  return acted;
}

}  // namespace zur::upgrade
