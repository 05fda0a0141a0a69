#include "print/select/printer_dialogs.h"

#include <algorithm>

#include "app/startup/directory_check.h"
#include "lib/text/trim_pad.h"
#include "platform/term/message_box.h"
#include "platform/vars/memory_file.h"
#include "print/device/printer_target.h"
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

std::filesystem::path InDataDir(const PrinterDialogs& dialogs, std::string_view name) {
  std::string native(name);
  std::replace(native.begin(), native.end(), '\\', '/');
  const std::filesystem::path path = native;
  return path.is_absolute() ? path : dialogs.data_dir / path;
}

void CheckPort(const PrinterDialogs& dialogs, const std::string& port) {
  PrinterState state = PrinterStateFromVars(dialogs.vars, true);
  TextPrinter printer;
  try {
    const PtrCheckResult checked =
        PtrWithChk(printer, state, port, false, dialogs.data_dir.string());
    printer.Close();
    StorePrinterState(state, dialogs.vars);
    if (checked.redirected) term::MessageBox(dialogs.screen, checked.message, "ZUR");
  } catch (const PrinterError& e) {
    term::MessageBox(dialogs.screen, e.what(), "ZUR");
  }
}

void ShowPrinterChange(const PrinterDialogs& dialogs) {
  if (dialogs.vars.Get("SHOW_PRT").IsTrue()) screens::RefreshHeaderPrinters(dialogs.vars);
}

}  // namespace zur::print
