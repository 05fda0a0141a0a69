#include "app/commands/init_command.h"

#include <filesystem>
#include <system_error>

#include "app/startup/directory_check.h"
#include "app/startup/saved_defaults.h"
#include "app/upgrade/flconv.h"
#include "app/upgrade/table_files.h"
#include "platform/dbf/table.h"
#include "platform/vars/memory_file.h"

namespace zur::commands {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOwnTables[] = {"ATISYSFL", "RPINFO", "RPOPTN", "ATIMAST"};

// What a wrong call looks like; empty when the options can make an installation.
std::string WrongCall(const InitOptions& o) {
  if (o.dir.empty()) return "zur init: the database directory is missing";
  if (o.participant_id.empty() || o.participant_id.size() > 6)
    return "zur init: --participant takes the CCASS participant ID (up to 6 characters)";
  if (o.site.size() > 15) return "zur init: --site takes a site code of up to 15 characters";
  if (o.sender_bic.size() > 8) return "zur init: --sender-bic takes up to 8 characters";
  return {};
}

}  // namespace

int InitCommand(const InitOptions& options, std::ostream& out, std::ostream& err) {
  if (const std::string wrong = WrongCall(options); !wrong.empty()) {
    err << wrong << "\n";
    return 2;
  }
  const fs::path dir = options.dir;
  std::error_code ec;
  if (fs::exists(dir, ec) && !fs::is_directory(dir, ec)) {
    err << "ERROR: " << dir.string() << " is not a directory\n";
    return 1;
  }
  if (upgrade::FileExists(upgrade::FindFile(dir / "ATISYSFL.DBF"))) {
    err << "ERROR: " << dir.string()
        << " already holds a settings table (ATISYSFL.DBF); nothing was changed\n";
    return 1;
  }
  fs::create_directories(dir, ec);
  if (ec) {
    err << "ERROR: cannot make the directory " << dir.string() << ": " << ec.message() << "\n";
    return 1;
  }

  upgrade::StreamConsole console(out, err);
  for (const char* name : kOwnTables) {
    const upgrade::UpgradeResult made = upgrade::Flconv((dir / name).string(), console);
    if (made.status != upgrade::UpgradeStatus::kConverted &&
        made.status != upgrade::UpgradeStatus::kUpToDate) {
      err << "ERROR: cannot make " << (dir / name).string() << ".DBF\n";
      return 1;
    }
  }
  try {
    auto settings = dbf::Table::Open(dir / "ATISYSFL.DBF", dbf::Share::kExclusive);
    settings->Append();
    settings->Replace("PARTID", Value(options.participant_id));
    if (!options.site.empty()) settings->Replace("USERKEY", Value(options.site));
    if (!options.sender_bic.empty()) settings->Replace("SENDBIC", Value(options.sender_bic));
    settings->Replace("XPSCRDEN", Value(100));
    settings->Flush();
  } catch (const dbf::Error& e) {
    err << "ERROR: " << e.what() << "\n";
    return 1;
  }

  VarStore vars;
  startup::CompleteSavedPreferences(vars);
  const fs::path saved = dir / std::string(startup::kSavedVarsName);
  if (const MemoryFileResult r = SaveMemoryFile(saved.string(), vars); !r.ok()) {
    err << "ERROR: " << r.error << "\n";
    return 1;
  }

  out << "A new database directory stands in " << dir.string() << ".\n"
      << "Open zur there (cd " << dir.string()
      << " && zur) and fill in the system setup screen (1. SYSTEM SETUP);\n"
      << "the OBX data directory, the report file and the upload file names are asked for on "
         "the start-checking screen (2. START CHECKING).\n";
  return 0;
}

}  // namespace zur::commands
