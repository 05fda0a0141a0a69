#include "print/select/printer_dialogs.h"

#include "app/startup/directory_check.h"
#include "lib/text/trim_pad.h"
#include "platform/vars/memory_file.h"
#include "screens/screen_header.h"

namespace zur::print {

std::string VarText(const VarStore& vars, std::string_view name) {
  return std::string(text::RTrim(vars.Get(name).StrOr()));
}

std::string SaveVariables(const PrinterDialogs& dialogs) {
  VarStore saved = dialogs.vars;
  saved.Release("SAVE_MSG");
  const MemoryFileResult result =
      SaveMemoryFile((dialogs.data_dir / startup::kSavedVarsName).string(), saved);
  return result.ok() ? std::string() : "ERROR: " + result.error;
}

void ShowPrinterChange(const PrinterDialogs& dialogs) {
  if (dialogs.vars.Get("SHOW_PRT").IsTrue()) screens::RefreshHeaderPrinters(dialogs.vars);
}

}  // namespace zur::print
