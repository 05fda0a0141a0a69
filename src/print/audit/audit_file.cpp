#include "print/audit/audit_file.h"

#include <algorithm>

#include "lib/compat/directories.h"
#include "lib/compat/unique_file.h"
#include "lib/text/setting_match.h"

namespace zur::print {
namespace {

std::string Trim(std::string text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Join(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

[[noreturn]] void Fail(const std::string& dir) {
  throw AuditError("Error: OBX have not permit to write a file to AUDIT Directory !!! (" + dir +
                   ")");
}

}  // namespace

AuditSettings AuditSettingsFromVars(const VarStore& vars, const std::string& current_dir,
                                    bool windowed) {
  AuditSettings settings;
  const Value* dir = vars.Find("AUDIT_DIR");
  if (dir && dir->IsChar()) settings.audit_dir = dir->str();
  const Value* site = vars.Find("USER_KEY");
  settings.site = site && site->IsChar() ? site->str() : std::string("*UNKNOWN*");
  settings.current_dir = current_dir;
  settings.windowed = windowed;
  return settings;
}

std::string AuditDirectory(const AuditSettings& settings) {
  std::string dir;
  if (settings.audit_dir && !text::SettingIs(settings.site, "GUNITA"))
    dir = Trim(*settings.audit_dir);
  std::replace(dir.begin(), dir.end(), '\\', '/');
  if (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir.empty()) dir = Join(settings.current_dir, "SBAUDIT");
  return dir;
}

std::string AuditRpt(const AuditSettings& settings) {
  const std::string dir = AuditDirectory(settings);
  if (!compat::DirExists(dir) && !compat::MakeDir(dir)) Fail(dir);
  const std::string file = compat::CreateUniqueFile(dir, settings.windowed ? "RPT" : "");
  if (file.empty()) Fail(dir);
  return file;
}

std::string AuditRpt(const AuditSettings& settings, TextPrinter& printer, const PortPaths& ports) {
  const std::string file = AuditRpt(settings);
  if (!printer.Open(file, false, ports)) Fail(AuditDirectory(settings));
  return file;
}

}  // namespace zur::print
