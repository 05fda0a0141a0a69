#include "app/startup/directory_check.h"

#include <system_error>

#include "app/startup/crlf_lines.h"
#include "lib/compat/unique_file.h"
#include "lib/text/trim_pad.h"

namespace zur::startup {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kNoSavedVars = "Error: ZUR.XBS not found !!!";
constexpr std::string_view kNotWritable =
    "Error: ZUR have not permit to write a file to Database Directory !!!";
constexpr std::string_view kNoDatabase = "Error: Database not found !!!";
constexpr std::string_view kNoLibrary = "Error: LIB Directory not found !!!";

bool IsFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

// The database directory must hold the saved memory variables and take a new file.
std::string CheckDatabaseDir(const fs::path& dir) {
  if (!IsFile(dir / kSavedVarsName)) return std::string(kNoSavedVars);
  const std::string probe = compat::FUnique(dir.string(), ".TXT");
  if (probe.empty() || !IsFile(probe)) return std::string(kNotWritable);
  std::error_code ec;
  fs::remove(probe, ec);
  return {};
}

struct IniSettings {
  std::string check;
  std::string dbf;
  std::string lib;
};

// A line counts by the key it contains anywhere; its value is the text after the key.
void ReadIniLine(std::string_view line, IniSettings& ini) {
  struct Key {
    std::string_view key;
    std::string IniSettings::*value;
  };
  for (const Key& k : {Key{"CHECKPATH=", &IniSettings::check}, Key{"DBF=", &IniSettings::dbf},
                       Key{"LIB=", &IniSettings::lib}}) {
    const size_t at = line.find(k.key);
    if (at != std::string_view::npos) {
      ini.*k.value = std::string(line.substr(at + k.key.size()));
      return;
    }
  }
}

fs::path Absolute(const fs::path& p, const fs::path& base) {
  return (p.is_absolute() ? p : base / p).lexically_normal();
}

// Both directories known: the database directory must hold the saved variables and be writable.
DirectoryCheckResult Checked(const fs::path& data_dir, const std::string& library_dir) {
  DirectoryCheckResult out;
  out.data_dir = data_dir;
  out.library_dir = library_dir;
  out.error = CheckDatabaseDir(data_dir);
  return out;
}

}  // namespace

bool IsSeparateInstallation(std::string_view exe_path) {
  return text::Upper(exe_path).find("LIB") != std::string::npos;
}

DirectoryCheckResult CheckDirectories(const DirectoryCheck& check) {
  DirectoryCheckResult out;
  out.data_dir = check.current_dir;
  if (!IsSeparateInstallation(check.exe_path)) {
    out.error = CheckDatabaseDir(check.current_dir);
    return out;
  }

  IniSettings ini;
  const fs::path ini_path = check.current_dir / check.ini_name;
  std::error_code ec;
  if (fs::exists(ini_path, ec)) {
    const OptionLines lines = ReadOptionLines(ini_path.string());
    if (!lines.ok()) {
      out.error = "Error: " + lines.error;
      return out;
    }
    for (const std::string& line : lines.lines) ReadIniLine(text::AllTrim(line), ini);
  }
  if (text::AllTrim(ini.check) == "N") return out;  // the operator declined the checks

  const std::string dbf(text::AllTrim(ini.dbf));
  const std::string lib(text::AllTrim(ini.lib));
  // A database directory relative to the current one is taken as such first.
  fs::path data_dir;
  if (!dbf.empty()) {
    const fs::path relative = Absolute(dbf, check.current_dir);
    if (IsFile(relative / "ATIMAST.DBF")) {
      data_dir = relative;
    } else if (IsFile(fs::path(dbf) / "ATIMAST.DBF")) {
      data_dir = Absolute(dbf, check.current_dir);
    }
  }
  const bool found_lib = !lib.empty() && IsFile(fs::path(lib) / kLibraryMarker);
  if (data_dir.empty() || !found_lib) {
    if (!check.setup) {
      out.error = std::string(data_dir.empty() ? kNoDatabase : kNoLibrary);
      return out;
    }
    const DirectorySetupAnswer answer = check.setup(DirectorySetupRequest{
        check.current_dir, check.exe_path, check.ini_name,
        data_dir.empty() ? dbf : data_dir.string(), lib, !data_dir.empty(), found_lib});
    switch (answer.kind) {
      case DirectorySetupAnswer::Kind::kDeclined:
        return out;
      case DirectorySetupAnswer::Kind::kFailed:
        out.error = answer.error;
        return out;
      case DirectorySetupAnswer::Kind::kCompleted:
        return Checked(Absolute(answer.dbf_path, check.current_dir), answer.lib_path);
    }
  }
  return Checked(data_dir, lib);
}

}  // namespace zur::startup
