#pragma once
// Menu choice 3, "SETUP SEGREGATED A/C": the CCASS segregated account of each client in the
// back office's shared client master, maintained under record locks, and the report of them.

#include <filesystem>
#include <functional>

#include "app/upgrade/upgrade_console.h"
#include "platform/dbf/work_areas.h"
#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::segac {

// AT3: the directories asked for, the client master opened (upgraded when it lacks its
// segregated account field) and indexed, the command bar (Amend, Search, Filter, Previous,
// Next, Top, List, Exit), and after Exit the report on the printer. SYS is open in `areas`;
// relative directories and the audit and PDF folders are taken from `data_dir`; `console`
// shows the structure upgrade's lines. The client master is closed at the end and the work
// area that was current is selected again. The back office's saved settings are left in
// `vars`: the caller puts its own back.
void SegregatedAccounts(term::Screen& screen, VarStore& vars, dbf::WorkAreas& areas,
                        upgrade::UpgradeConsole& console, const std::filesystem::path& data_dir);

// SegregatedAccounts on these, for the main window's choice "3" (the arguments must outlive
// the function).
std::function<void()> ScreenOn(term::Screen& screen, VarStore& vars, dbf::WorkAreas& areas,
                               upgrade::UpgradeConsole& console, std::filesystem::path data_dir);

}  // namespace zur::segac
