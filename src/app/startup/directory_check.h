#pragma once
// The directory check made before any data file is opened. The program is installed either
// with its program file in the database directory (the directory holding ATIMAST.DBF and the
// saved memory variables "ZUR.XBS"), or with its program file in a separate program
// directory whose path contains "LIB"; the second kind names both directories in an
// initialisation file ("ZUR.INI") of the current directory:
//
//   [CHECKPATH] / CHECKPATH=Y or N / [DBF] / DBF=<database dir> / [LIB] / LIB=<library dir>
//
// A library directory is proved by the marker file kLibraryMarker in it. Where a directory is
// missing, the interactive program offers its set-up screen (the `setup` routine); without one
// (zur check) the check stops with the message that screen would end with.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace zur::startup {

inline constexpr std::string_view kLibraryMarker = "ZURLIB.MRK";
inline constexpr std::string_view kDefaultIniName = "ZUR.INI";
inline constexpr std::string_view kSavedVarsName = "ZUR.XBS";

// What the set-up screen is given: the directories as the initialisation file named them (the
// database directory made absolute when it was found under the current one) and which of them
// were found.
struct DirectorySetupRequest {
  std::filesystem::path current_dir;
  std::string exe_path;
  std::string ini_name;
  std::string dbf_path;
  std::string lib_path;
  bool found_dbf = false;
  bool found_lib = false;
};

struct DirectorySetupAnswer {
  enum class Kind {
    kDeclined,   // the operator declined: no checks now (the file says so for later starts)
    kCompleted,  // both directories found and written to the initialisation file
    kFailed,     // `error` has been shown; the program ends
  };
  Kind kind = Kind::kFailed;
  std::string dbf_path;  // kCompleted: as entered, relative to the current directory or not
  std::string lib_path;
  std::string error;
};

using DirectorySetup = std::function<DirectorySetupAnswer(const DirectorySetupRequest&)>;

struct DirectoryCheck {
  std::filesystem::path current_dir;  // where the program was started
  std::string exe_path;               // the program file with its path
  std::string ini_name = std::string(kDefaultIniName);
  DirectorySetup setup;  // the interactive set-up screen; empty: stop with the message
};

struct DirectoryCheckResult {
  std::string error;               // the message the program ends with; empty when fine
  std::filesystem::path data_dir;  // the database directory (absolute)
  std::string library_dir;         // separate installation: the library directory, else ""
  bool ok() const { return error.empty(); }
};

// True when the program file lies under a "LIB" path (any letter case).
bool IsSeparateInstallation(std::string_view exe_path);

DirectoryCheckResult CheckDirectories(const DirectoryCheck& check);

}  // namespace zur::startup
