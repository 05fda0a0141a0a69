#include "print/device/printer_target.h"

#include "lib/compat/directories.h"
#include "lib/compat/unique_file.h"

namespace zur::print {

PtrCheckResult PtrWithChk(TextPrinter& printer, PrinterState& state, std::string_view name,
                          bool append, std::string_view current_dir) {
  std::string target(name);
  if (printer.Open(target, append, state.ports)) {
    state.print_name = target;
    return {};
  }
  // The retry file "LPT_1" starts with "LPT" as well; it is tried once only, so that an
  // unwritable current directory cannot keep the run retrying.
  if (IsWinPtr(state) && target.starts_with("LPT")) {
    const std::string retry = "LPT_1";
    if (printer.Open(retry, append, state.ports)) {
      state.print_name = retry;
      return {};
    }
  }
  std::string dir(current_dir);
  dir += dir.empty() || dir.back() == '/' ? "SBAUDIT" : "/SBAUDIT";
  if (!compat::DirExists(dir)) compat::MakeDir(dir);
  const std::string file =
      state.windowed ? compat::FUnique(dir, "PRN") : compat::CreateUniqueFile(dir);
  if (file.empty() || !printer.Open(file, false, state.ports)) {
    throw PrinterError("Error: ZUR have not permit to write a file to AUDIT Directory !!! (" + dir +
                       ")");
  }
  state.print_name = file;
  return {true, "ERROR: Printer Port \"" + target + "\" is NOT ready! Redirect to " + file};
}

bool RestPtr(TextPrinter& printer, PrinterState& state,
             const std::function<std::string()>& make_audit_file) {
  if (IsWinPtr(state)) {
    if (state.win_pt_port.empty() && make_audit_file) state.win_pt_port = make_audit_file();
    return !state.win_pt_port.empty() && printer.Open(state.win_pt_port, false, state.ports);
  }
  if (state.print_name.empty()) state.print_name = "LPT1";
  return printer.Open(state.print_name, !IsPortName(state.print_name), state.ports);
}

void EndOfPrt(TextPrinter& printer, const PrinterState& state) {
  if (IsWinPtr(state) || !IsPortName(state.print_name) || state.prt_server != "Y") return;
  printer.Open("NUL", false, state.ports);
  printer.Open(state.print_name, false, state.ports);
}

}  // namespace zur::print
