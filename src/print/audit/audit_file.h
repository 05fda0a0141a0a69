#pragma once
// The audit folder of printed reports: every report is written there as a text file with a
// unique name before it reaches a printer.

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/vars/var_store.h"
#include "print/device/printer_state.h"
#include "print/device/text_printer.h"

namespace zur::print {

// The audit folder cannot be written: the run cannot go on. The message names the folder.
class AuditError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct AuditSettings {
  std::optional<std::string> audit_dir;  // AUDIT_DIR when it is set
  std::string site;                      // USER_KEY
  std::string current_dir;               // the working directory of the run
  bool windowed = false;
};

// The audit settings from AUDIT_DIR (when text) and USER_KEY.
AuditSettings AuditSettingsFromVars(const VarStore& vars, const std::string& current_dir,
                                    bool windowed);

// The audit folder: AUDIT_DIR when set (site "GUNITA" ignores it), else "SBAUDIT" in the
// working directory; "\" becomes "/", blanks and one trailing separator are dropped.
std::string AuditDirectory(const AuditSettings& settings);

// Makes the audit folder when missing and a new empty file with a unique name in it (".RPT"
// in windowed mode), never replacing an existing file. Returns its path. Throws AuditError
// when the file cannot be made.
std::string AuditRpt(const AuditSettings& settings);

// AuditRpt, then points `printer` at the new file. Throws AuditError as AuditRpt does, and
// when the file cannot be opened.
std::string AuditRpt(const AuditSettings& settings, TextPrinter& printer, const PortPaths& ports);

}  // namespace zur::print
