#pragma once
// FLCONV: brings one table to the structure that this version requires (see
// required_fields.h), creating it when it is missing. Fields are only added or resized,
// never dropped; records are copied field by field by name.
//
// The upgrade is crash-safe: the new table is built and synced under a scratch name and then
// renamed over the table, so the table's name always holds a complete table; the two-file
// swap of a memo table is guarded by a backup pair and a marker file (upgrade_paths.h). Every
// upgrade first finishes off what an interrupted one left behind, but only while it holds the
// table exclusively (or, for a table being created, its scratch table): a table that another
// open holds is skipped whole, so an upgrade running in another process keeps its files. The
// new table stays held until it stands under the table's name. Records are never dropped: a
// table whose header counts fewer records than its file holds is refused (kFailed).

#include <functional>
#include <string>
#include <string_view>

#include "app/upgrade/disk_space.h"
#include "app/upgrade/required_fields.h"
#include "app/upgrade/upgrade_console.h"

namespace zur::upgrade {

enum class UpgradeStatus {
  kUpToDate,   // nothing to change (also for names without required fields)
  kConverted,  // rebuilt or created; "Converting NAME... " was written
  kInUse,      // another open holds the table; skipped without a word
  kQuit,       // a wrong field type or a full disk: the message was written and the key
               // awaited; the caller ends the program. The table is unchanged.
  kFailed,     // the table or the disk failed (damaged file, records past the header's
               // count, I/O error); the message,
               // naming the file, was written as an error line. The table is unchanged.
};

struct UpgradeResult {
  UpgradeStatus status = UpgradeStatus::kUpToDate;
  std::string message;  // for kQuit and kFailed
  bool EndsProgram() const { return status == UpgradeStatus::kQuit; }
};

// Called with the name of each step as the upgrade passes it (crash tests stop the process
// there).
using StepHook = std::function<void(std::string_view step)>;

struct UpgradeOptions {
  int stkno_len = kDefaultStknoLen;  // width of ATIMAST's ASTKNO
  FreeSpaceFn free_space;            // default: the file system's free space
  StepHook on_step;
};

inline constexpr std::string_view kDiskFullMessage =
    "ERROR: There is not enough diskspace to convert the file !";
inline constexpr std::string_view kPressAnyKey = "Press any key to continue...";

// `name` is the table's name without ".DBF" and may carry a path.
UpgradeResult Flconv(std::string_view name, UpgradeConsole& console,
                     const UpgradeOptions& options = {});

}  // namespace zur::upgrade
