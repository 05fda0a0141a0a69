#pragma once
// The program's start-up before its main menu: the directory check, the saved memory variables
// ("ZUR.XBS") restored and completed, the settings table upgraded and opened exclusively as
// SYS with every setting in its memory variable, the printer (with the installation settings
// of "ATIConfig.dat", kept in oConfig for the program's life), the dates, the work tables
// prepared (stale indexes removed, RPINFO/RPOPTN/ATIMAST upgraded, ATIMAST emptied), the
// window metrics and colours, and the memory variables saved again.
//
// A failure that ends the program has been shown (console lines and the key wait, or the
// message box) when Startup returns it; the caller ends the program.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/startup/directory_check.h"
#include "app/upgrade/upgrade_console.h"
#include "platform/dbf/work_areas.h"
#include "platform/vars/date.h"
#include "platform/vars/var_store.h"

namespace zur::startup {

inline constexpr std::string_view kProgramDate = "24 Feb 2025";
// The application title with its version; the windowed program's mark "+" and ")" follow.
inline constexpr std::string_view kProgramTitle = "CCASS ZUR Talvero (Ver 7.00g";
inline constexpr std::string_view kInUseMessage = "ERROR: Cannot exclusively use ATISYSFL";
inline constexpr std::string_view kNoRecordMessage = "ERROR: Please run SETUP program first !";

struct StartupOptions {
  std::filesystem::path working_dir;           // empty: the current directory
  std::string exe_path;                        // the program file with its path
  std::optional<Date> today;                   // empty: the computer's date
  upgrade::UpgradeConsole* console = nullptr;  // null: standard output and error
  // A message box titled "ZUR" (the directory check's failures); empty: an error line.
  std::function<void(std::string_view text)> message_box;
  // The directory set-up screen, offered when the database or library directory of a separate
  // installation is not found; empty (zur check): the start stops with the message instead.
  DirectorySetup directory_setup;
  std::string ini_name = "ZUR.INI";
  bool colour_display = true;
  // Whether the process's current directory becomes the database directory, as the rest of
  // the program opens its files by their plain names (the program: yes; tests keep theirs).
  bool change_directory = true;
  // The network-readiness query of the compatibility layer (N_READY: it installs the input
  // box's hot keys); its answer is MU_FLAG. Empty: true.
  std::function<bool()> network_ready;
  // Starts the audit trail and gives the file that receives printed output (WinPtPort);
  // empty: a new file in the audit folder (SBAUDIT of the database directory, or AUDIT_DIR).
  std::function<std::string(VarStore& vars)> start_audit_trail;
};

struct StartupResult {
  std::string message;             // the message the program ends with; empty when ready
  std::filesystem::path data_dir;  // the database directory everything was opened in
  std::vector<std::string> warnings;
  bool ok() const { return message.empty(); }
};

// On success SYS is open exclusively (and selected) in `areas` and every setting is in its
// variable; on failure all areas are closed.
StartupResult Startup(const StartupOptions& opts, VarStore& vars, dbf::WorkAreas& areas);

// What the main window sets before a function runs: IDX_EXT "+" and the title SYSTEM that
// the headings of screens and reports show.
void SetProgramTitle(VarStore& vars);

}  // namespace zur::startup
