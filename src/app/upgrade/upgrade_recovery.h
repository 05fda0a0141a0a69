#pragma once
// Finishing off an interrupted structure upgrade before the next one starts.

#include "app/upgrade/flconv.h"
#include "app/upgrade/upgrade_paths.h"

namespace zur::upgrade {

// Puts the table back into a complete state:
//  - a memo-table swap in progress (marker present): the backup pair, when complete, goes
//    back under the table's names; the scratch table and the marker are removed;
//  - a new table that was still being built: removed (the table was not touched yet);
//  - the table missing but a backup beside it (NAME.BAK, or the backup pair of a memo table):
//    the backup is renamed back to the table's name.
// Returns true when anything was restored or removed. Throws dbf::Error(kIo) on failure.
bool RecoverInterruptedUpgrade(UpgradePaths& paths, const StepHook& on_step = {});

// Writes the marker naming the backup pair (written beside, synced and renamed).
void WriteSwapMarker(const UpgradePaths& paths, const std::string& backup_stem);

}  // namespace zur::upgrade
