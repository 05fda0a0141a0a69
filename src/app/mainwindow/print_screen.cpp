#include "app/mainwindow/print_screen.h"

#include <system_error>

#include "lib/text/trim_pad.h"
#include "platform/term/message_box.h"
#include "print/audit/audit_file.h"
#include "print/device/printer_state.h"
#include "print/device/printer_target.h"
#include "print/device/text_printer.h"
#include "print/system/system_print.h"

namespace zur::mainwindow {
namespace {

constexpr int kPageEndRow = 54;

// Rows at column 0 from `first`, then the end of the page or one blank row.
void PrintRows(print::PrinterDevice& device, const std::vector<std::string>& rows, int first) {
  int row = first;
  for (const std::string& text : rows) device.Say(row++, 0, text);
  if (row >= kPageEndRow) {
    device.Eject();
  } else {
    device.Say(row, 0, " ");
  }
}

}  // namespace

std::vector<std::string> ScreenRows(const term::Screen& screen) {
  std::vector<std::string> rows;
  const term::CellGrid& picture = screen.picture();
  for (int r = 0; r < term::kGridRows; ++r) {
    const int at = r + term::kMenuBarRows;
    rows.emplace_back(at < picture.rows() ? text::RTrim(picture.RowBytes(at)) : std::string());
  }
  return rows;
}

std::string PrintScreenRows(const std::vector<std::string>& rows, VarStore& vars,
                            const std::filesystem::path& working_dir) {
  constexpr bool kWindowed = true;
  print::PrinterState state = print::PrinterStateFromVars(vars, kWindowed);
  print::TextPrinter printer;
  if (!print::IsWinPtr(state)) {
    const print::PtrCheckResult checked =
        print::PtrWithChk(printer, state, state.print_name, !print::IsPortName(state.print_name),
                          working_dir.string());
    print::StorePrinterState(state, vars);
    PrintRows(printer, rows, printer.Row() + 1);
    print::EndOfPrt(printer, state);
    if (!printer.Close()) return "the screen was not printed completely to " + state.print_name;
    return checked.redirected ? checked.message : std::string();
  }
  const print::AuditSettings audit =
      print::AuditSettingsFromVars(vars, working_dir.string(), kWindowed);
  const std::string file = print::AuditRpt(audit, printer, state.ports);
  PrintRows(printer, rows, 1);
  const bool written = printer.Close();
  print::RestPtr(printer, state, [&] { return print::AuditRpt(audit); });
  print::StorePrinterState(state, vars);
  std::string error;
  if (!written) {
    error = "the screen could not be written to " + file;
  } else {
    // To the PDF printer when the flag PRINT_PDF is set.
    const print::SystemPrintResult printed =
        print::SystemPrint(file, print::SystemPrintSettingsFromVars(vars), working_dir);
    if (!printed.ok()) error = printed.error;
    if (printed.status == print::SystemPrintStatus::kViewerOpen) return error;
  }
  std::error_code ec;
  if (error.empty()) std::filesystem::remove(file, ec);
  return error;
}

void PrintScreen(term::Screen& screen, VarStore& vars, const std::filesystem::path& working_dir) {
  screen.Refresh();
  std::string error;
  try {
    error = PrintScreenRows(ScreenRows(screen), vars, working_dir);
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (!error.empty()) term::MessageBox(screen, error, "ZUR");
}

}  // namespace zur::mainwindow
