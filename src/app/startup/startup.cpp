#include "app/startup/startup.h"

#include <cstdlib>
#include <iostream>
#include <system_error>

#include "app/startup/colour_file.h"
#include "app/startup/crlf_lines.h"
#include "app/startup/directory_check.h"
#include "app/startup/layout_date.h"
#include "app/startup/saved_defaults.h"
#include "app/startup/setting_compare.h"
#include "app/startup/settings_record.h"
#include "app/startup/window_metrics.h"
#include "app/upgrade/delete_index.h"
#include "app/upgrade/flconv.h"
#include "app/upgrade/table_damage.h"
#include "app/upgrade/table_files.h"
#include "lib/compat/directories.h"
#include "lib/text/trim_pad.h"
#include "platform/vars/memory_file.h"
#include "platform/vars/whole_number.h"
#include "print/audit/audit_file.h"
#include "xml/ati_config.h"
#include "xml/element_text.h"

namespace zur::startup {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kCcass3Characters =
    " /+-?:(),'.0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kColourFile = "ati.conf";
constexpr std::string_view kStaleIndexTables[] = {"ATIMAST", "PFMAST",   "SMMAST",
                                                  "CLMAST",  "MGNUNSTL", "HOLIDAY"};
constexpr std::string_view kFileNameVars[] = {"STK_FNAME", "SYS_FNAME", "MSG_FNAME", "PF_FNAME",
                                              "SM_FNAME",  "MU_FNAME",  "CL_FNAME"};
constexpr std::string_view kSitesOnPort2[] = {"PARARE", "DIRAPE", "ZUFIKA", "FEMOZO"};

// Thrown by a step that ends the program; its message has been shown.
struct Stop {
  std::string message;
};

class StartupRun {
 public:
  StartupRun(const StartupOptions& opts, VarStore& vars, dbf::WorkAreas& areas)
      : opts_(opts), vars_(vars), areas_(areas), console_(ConsoleFor(opts)) {}

  StartupResult Run() {
    try {
      CheckDirectories();
      RestoreSavedVariables();
      StartPrinting();
      OpenSettings();
      SetProgramVariables();
      ChoosePrinter();
      SetDates();
      PrepareWorkTables();
      SetScreenVariables();
      SaveVariables();
      areas_.Select(kSettingsAlias);
    } catch (const Stop& stop) {
      areas_.CloseAll();
      result_.message = stop.message;
    } catch (const std::exception& e) {
      // A file operation that the steps do not expect to fail (removing a stale index ...).
      areas_.CloseAll();
      result_.message = std::string("ERROR: ") + e.what();
      console_.Error(result_.message);
      console_.WaitKey(upgrade::kPressAnyKey);
    }
    return std::move(result_);
  }

 private:
  static upgrade::UpgradeConsole& ConsoleFor(const StartupOptions& opts) {
    static upgrade::StreamConsole standard(std::cout, std::cerr);
    return opts.console != nullptr ? *opts.console : standard;
  }

  fs::path InData(std::string_view name) const { return result_.data_dir / name; }

  // Ends the start-up: the message on the console, then the key wait.
  [[noreturn]] void Fail(std::string message) {
    console_.Error(message);
    console_.WaitKey(upgrade::kPressAnyKey);
    throw Stop{std::move(message)};
  }

  // Ends the start-up with a message box titled "ZUR" (an error line without one).
  [[noreturn]] void FailInBox(const std::string& message) {
    if (opts_.message_box) {
      opts_.message_box(message);
    } else {
      console_.Error(message);
    }
    throw Stop{message};
  }

  void CheckDirectories() {
    vars_.Set("MU_FLAG", opts_.network_ready ? opts_.network_ready() : true);
    DirectoryCheck check;
    check.current_dir =
        fs::absolute(opts_.working_dir.empty() ? fs::current_path() : opts_.working_dir);
    check.exe_path = opts_.exe_path;
    check.ini_name = opts_.ini_name;
    check.setup = opts_.directory_setup;
    const DirectoryCheckResult dirs = startup::CheckDirectories(check);
    if (!dirs.ok()) FailInBox(dirs.error);
    result_.data_dir = dirs.data_dir;
    if (!dirs.library_dir.empty()) AddToPath(dirs.library_dir);
    if (opts_.change_directory && dirs.data_dir != fs::current_path() &&
        !compat::ChangeDir(dirs.data_dir.string())) {
      Fail("ERROR: Cannot change to the database directory " + dirs.data_dir.string());
    }
  }

  // Programs started from here find the library directory.
  static void AddToPath(const std::string& dir) {
    const char* old = std::getenv("PATH");
    std::string path = old != nullptr ? old : "";
    if ((':' + path + ':').find(':' + dir + ':') != std::string::npos) return;
    if (!path.empty() && !path.ends_with(':')) path += ':';
    path += dir;
    ::setenv("PATH", path.c_str(), 1);
  }

  void RestoreSavedVariables() {
    vars_.Set("MSG_EXT", ".XBS");
    vars_.Set("CUR_PTR", "WINDOW_PRINTER");
    const fs::path saved = InData(kSavedVarsName);
    std::error_code ec;
    // An empty file (a fresh installation's placeholder) holds no variables.
    if (fs::exists(saved, ec) && fs::file_size(saved, ec) != 0) {
      const MemoryFileResult restored =
          RestoreMemoryFile(saved.string(), vars_, RestoreMode::kAdditive);
      if (!restored.ok()) Fail("ERROR: " + restored.error);
    }
    vars_.Set("SAVE_MSG", false);
    if (CompleteSavedPreferences(vars_)) SaveVariables();
  }

  void SaveVariables() {
    vars_.Release("SAVE_MSG");
    const MemoryFileResult saved = SaveMemoryFile(InData(kSavedVarsName).string(), vars_);
    if (!saved.ok()) Fail("ERROR: " + saved.error);
  }

  void StartPrinting() {
    const std::string_view default_printer = TextOf(vars_, "DEF_CUR_PTR");
    if (!text::IsBlank(default_printer)) vars_.Set("CUR_PTR", std::string(default_printer));
    vars_.Set("PRT_SERVER", "N");
    vars_.Set("WinPtPort", "");
    vars_.Set("WinPtPort",
              opts_.start_audit_trail ? opts_.start_audit_trail(vars_) : StartAuditTrail());
  }

  // The printer's own file in the audit folder: printed output goes there until a report
  // chooses another target. A folder that cannot be written ends the program.
  std::string StartAuditTrail() {
    try {
      return print::AuditRpt(print::AuditSettingsFromVars(vars_, result_.data_dir.string(), true));
    } catch (const print::AuditError& e) {
      FailInBox(e.what());
    }
  }

  // Brings a table to this version's structure; a failure ends the program.
  void Upgrade(std::string_view name) {
    upgrade::UpgradeOptions options;
    // A width no stock number field can have (a NaN, a huge number) is not taken.
    options.stkno_len = IntegerIn(vars_.Get("STKNO_LEN").NumOr(upgrade::kDefaultStknoLen), 1, 254)
                            .value_or(upgrade::kDefaultStknoLen);
    const upgrade::UpgradeResult r = upgrade::Flconv(InData(name).string(), console_, options);
    if (r.status == upgrade::UpgradeStatus::kQuit) throw Stop{r.message};
    if (r.status == upgrade::UpgradeStatus::kFailed) {
      console_.WaitKey(upgrade::kPressAnyKey);
      throw Stop{r.message};
    }
  }

  bool TableExists(std::string_view name) const {
    return upgrade::FileExists(upgrade::FindFile(InData(std::string(name) + ".DBF")));
  }

  dbf::Table& OpenSettingsExclusive() {
    const fs::path path = upgrade::FindFile(InData(std::string(kSettingsTable) + ".DBF"));
    try {
      return areas_.Use(path, kSettingsAlias, dbf::Share::kExclusive);
    } catch (const dbf::Error& e) {
      if (e.kind() == dbf::ErrorKind::kInUse) Fail(std::string(kInUseMessage));
      Fail(std::string("ERROR: ") + e.what());
    }
  }

  void OpenSettings() {
    if (TableExists(kSettingsTable)) {
      Upgrade(kSettingsTable);
      areas_.CloseAll();
    }
    areas_.Select(0);
    dbf::Table* sys = &OpenSettingsExclusive();
    if (SettingsNeedUpgrade(*sys)) {
      areas_.Close(kSettingsAlias);
      Upgrade(kSettingsTable);
      areas_.CloseAll();
      areas_.Select(0);
      sys = &OpenSettingsExclusive();
    }
    if (sys->RecCount() == 0) Fail(std::string(kNoRecordMessage));
    sys->GoTop();
    LoadSettings(*sys, vars_, opts_.colour_display);
  }

  void SetProgramVariables() {
    vars_.Set("WIN_GUI", true);
    vars_.Set("CUR_PATH", result_.data_dir.string());
    vars_.Set("exePgm", opts_.exe_path);
    vars_.Set("exeModiDate", kProgramDate);
    for (std::string_view name : kFileNameVars) vars_.Set(name, "");
    vars_.Set("OK", true);
  }

  void ChoosePrinter() {
    const std::string_view site = TextOf(vars_, "USER_KEY");
    if (SettingIs(site, "MENEMI")) {
      vars_.Set("PRINT_NAME", "LPT3");
    } else {
      for (std::string_view s : kSitesOnPort2) {
        if (SettingIs(site, s)) vars_.Set("PRINT_NAME", "LPT2");
      }
    }
    std::string printer(TextOf(vars_, "PRINT_NAME"));
    if (std::shared_ptr<xml::AtiConfig> config = LoadConfig()) {
      // The layout of the file does not make the name: line breaks around it do not count.
      printer = xml::TrimmedText(config->GetSettingValue("PRINT_NAME", "LPT1"));
      vars_.Set(xml::kConfigVariable, Value(ObjectRef(std::move(config))));
    }
    vars_.Set("gcDefaultPrintName", printer);
    vars_.Set("PRINT_NAME", printer);
  }

  // "ATIConfig.dat" when the database directory has one; a damaged file is named in a
  // warning and counts as far as it could be read.
  std::shared_ptr<xml::AtiConfig> LoadConfig() {
    vars_.Release(xml::kConfigVariable);
    const fs::path file = upgrade::FindFile(InData(xml::kConfigFileName));
    if (!upgrade::FileExists(file)) return nullptr;
    auto config = std::make_shared<xml::AtiConfig>();
    const std::string problem = config->Load(file.string());
    if (!problem.empty()) Warn(problem);
    return config;
  }

  void SetDates() {
    const Date today = opts_.today.value_or(Date::Today());
    vars_.Set("TRAN_DATE", today);
    const LayoutDate layout = ReadLayoutDate(result_.data_dir);
    if (!layout.warning.empty()) Warn(layout.warning);
    vars_.Set("ENHANCED", today >= layout.date);
    vars_.Set("GEN_DATE", today);
    vars_.Set("SHOW_PRT", true);
    vars_.Set("MAIN_STR", "ZUR");
  }

  void PrepareWorkTables() {
    for (std::string_view name : kStaleIndexTables) upgrade::DelNsx(InData(name).string());
    for (std::string_view name : {"RPINFO", "RPOPTN", "ATIMAST"}) SetAsideIfDamaged(name);
    Upgrade("RPINFO");
    Upgrade("RPOPTN");
    if (TableExists("ATIMAST")) EmptyWorkTable();
    Upgrade("ATIMAST");
  }

  // Every run rebuilds the work tables, so a damaged one holds nothing to keep: it is set
  // aside under a new name, with a warning, and the upgrade creates it afresh.
  void SetAsideIfDamaged(std::string_view name) {
    const fs::path path = upgrade::FindFile(InData(std::string(name) + ".DBF"));
    const std::string damage = upgrade::TableDamage(path);
    if (damage.empty()) return;
    const fs::path aside = upgrade::SetTableAside(path);
    Warn(path.filename().string() + " is damaged (" + damage + "); it is set aside as " +
         aside.filename().string() + " and created afresh");
  }

  // The work table of the checking run starts every session empty.
  void EmptyWorkTable() {
    const fs::path path = upgrade::FindFile(InData("ATIMAST.DBF"));
    try {
      auto table = dbf::Table::Open(path, dbf::Share::kExclusive);
      table->Zap();
    } catch (const dbf::Error& e) {
      if (e.kind() == dbf::ErrorKind::kInUse) Fail("ERROR: Cannot exclusively use ATIMAST");
      Fail(std::string("ERROR: ") + e.what());
    }
  }

  void SetScreenVariables() {
    vars_.Set("CAS3_CHAR", kCcass3Characters);
    SetWindowMetrics(vars_);
    vars_.Set("CR_LF", "\r\n");
    vars_.Set("M_STR", std::string(kOptionLineWindow, ' '));
    ScreenColours colours;
    const fs::path file = upgrade::FindFile(InData(kColourFile));
    if (upgrade::FileExists(file)) {
      const OptionLines lines = ReadOptionLines(file.string());
      if (!lines.ok()) Warn(lines.error + "; the default colours are used");
      if (lines.ok()) ApplyColourLines(lines.lines, colours);
    }
    vars_.Set("cXpBgClr1", colours.background1);
    vars_.Set("cXpFgClr1", colours.foreground1);
    vars_.Set("cXpBgClr2", colours.background2);
    vars_.Set("cXpFgClr2", colours.foreground2);
  }

  void Warn(const std::string& text) {
    console_.Line("WARNING: " + text);
    result_.warnings.push_back(text);
  }

  const StartupOptions& opts_;
  VarStore& vars_;
  dbf::WorkAreas& areas_;
  upgrade::UpgradeConsole& console_;
  StartupResult result_;
};

}  // namespace

StartupResult Startup(const StartupOptions& opts, VarStore& vars, dbf::WorkAreas& areas) {
  return StartupRun(opts, vars, areas).Run();
}

void SetProgramTitle(VarStore& vars) {
  vars.Set("IDX_EXT", "+");
  vars.Set("SYSTEM", std::string(kProgramTitle) + "+)");
}

}  // namespace zur::startup
