#pragma once
// One printed document on its way to paper, as the printer state of the memory variables
// says. With system printing (a "WINDOW_PRINTER" on a port) the text goes to a new file in the
// audit folder, which is then printed on the system printer, written as a PDF (flag PRINT_PDF)
// or handed to the report viewer, and removed once printed; otherwise it goes to PRINT_NAME,
// a port that is not ready falling back to a file in the audit folder.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/vars/var_store.h"
#include "print/device/printer_state.h"
#include "print/device/text_printer.h"

namespace zur::print {

struct PrintJobResult {
  std::string error;          // what went wrong (a kept report file is named); "" when printed
  std::string notice;         // for the operator: the port was not ready, output went to a file
  std::filesystem::path pdf;  // the PDF the PDF printer wrote
  bool ok() const { return error.empty(); }
};

class PrintJob {
 public:
  // Points printed output at the target; PRINT_NAME and WinPtPort follow what the target
  // routines chose. `working_dir` holds the audit folder, "LPT_n" files and the PDF folder.
  // Throws AuditError or PrinterError when not even a file in the audit folder can be made.
  PrintJob(VarStore& vars, std::filesystem::path working_dir);
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  PrinterDevice& device() { return printer_; }
  bool system_printing() const { return system_; }

  // Ends the document and, with system printing, prints the report file (`created` dates the
  // PDF; `progress` hears of each page drawn). A report file that could not be written whole
  // is removed; one that could not be printed is kept in the audit folder.
  PrintJobResult Finish(
      std::chrono::system_clock::time_point created = std::chrono::system_clock::now(),
      const std::function<void(int done, int total)>& progress = {});

 private:
  VarStore& vars_;
  std::filesystem::path working_dir_;
  PrinterState state_;
  bool system_;
  TextPrinter printer_;
  std::string report_file_;  // with system printing
  std::string notice_;
};

}  // namespace zur::print
