#pragma once
// Pointing the printer device at the configured target: with a readiness check and a fallback
// file in the audit folder, back to the configured target after a report, and the end of a
// print job on a network printer.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "print/device/printer_state.h"
#include "print/device/text_printer.h"

namespace zur::print {

// No file could be written for printed output: the run cannot go on.
class PrinterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PtrCheckResult {
  bool redirected = false;  // the port was not ready: output goes to a fallback file
  std::string message;      // what to tell the operator when redirected
};

// Points `printer` at `name` (appending when `append`). When that fails: with system printing
// a port "LPT..." is tried once more as the file "LPT_1" in the current directory; otherwise
// (or when that fails too) output goes to a new unique file in "SBAUDIT" under `current_dir`
// (".PRN" in windowed mode). `state.print_name` takes whichever name output went to.
// Throws PrinterError when not even the fallback file can be made.
PtrCheckResult PtrWithChk(TextPrinter& printer, PrinterState& state, std::string_view name,
                          bool append, std::string_view current_dir);

// Points output back at the configured target: with system printing the audit file
// `state.win_pt_port` (made by `make_audit_file` when empty), overwritten; otherwise
// PRINT_NAME ("LPT1" when empty): a port overwritten, a file appended to. False when the
// target cannot be opened.
bool RestPtr(TextPrinter& printer, PrinterState& state,
             const std::function<std::string()>& make_audit_file);

// Ends a print job: on a network port (PRT_SERVER "Y", no system printing) the target is
// switched to the null device and back, which closes the job at the print server.
void EndOfPrt(TextPrinter& printer, const PrinterState& state);

}  // namespace zur::print
