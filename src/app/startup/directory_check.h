#pragma once
// The directory check made before any data file is opened. The program is installed either
// with its program file in the database directory (the directory holding ATIMAST.DBF and the
// saved memory variables "ZUR.XBS"), or with its program file in a separate program
// directory whose path contains "LIB"; the second kind names both directories in an
// initialisation file ("ZUR.INI") of the current directory:
//
//   [CHECKPATH] / CHECKPATH=Y or N / [DBF] / DBF=<database dir> / [LIB] / LIB=<library dir>
//
// A library directory is proved by the marker file kLibraryMarker in it. Where the
// interactive program would offer its set-up screen, this check stops with the message that
// screen would end with.

#include <filesystem>
#include <string>
#include <string_view>

namespace zur::startup {

inline constexpr std::string_view kLibraryMarker = "ZURLIB.MRK";
inline constexpr std::string_view kDefaultIniName = "ZUR.INI";
inline constexpr std::string_view kSavedVarsName = "ZUR.XBS";

struct DirectoryCheck {
  std::filesystem::path current_dir;  // where the program was started
  std::string exe_path;               // the program file with its path
  std::string ini_name = std::string(kDefaultIniName);
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
