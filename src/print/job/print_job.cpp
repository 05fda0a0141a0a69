#include "print/job/print_job.h"

#include <system_error>

#include "print/audit/audit_file.h"
#include "print/device/printer_target.h"
#include "print/system/system_print.h"

namespace zur::print {
namespace {

// The program always runs in a window of its own, so a "WINDOW_PRINTER" on a port prints
// through the system printer.
constexpr bool kWindowed = true;

}  // namespace

PrintJob::PrintJob(VarStore& vars, std::filesystem::path working_dir)
    : vars_(vars),
      working_dir_(std::move(working_dir)),
      state_(PrinterStateFromVars(vars, kWindowed)),
      system_(IsWinPtr(state_)) {
  if (system_) {
    const AuditSettings audit = AuditSettingsFromVars(vars_, working_dir_.string(), kWindowed);
    report_file_ = AuditRpt(audit, printer_, state_.ports);
    return;
  }
  const PtrCheckResult checked = PtrWithChk(printer_, state_, state_.print_name,
                                            !IsPortName(state_.print_name), working_dir_.string());
  StorePrinterState(state_, vars_);
  if (checked.redirected) notice_ = checked.message;
}

PrintJobResult PrintJob::Finish(std::chrono::system_clock::time_point created,
                                const std::function<void(int done, int total)>& progress) {
  PrintJobResult result;
  if (!system_) {
    EndOfPrt(printer_, state_);
    if (!printer_.Close())
      result.error = "the printed output was not written completely to " + state_.print_name;
    result.notice = notice_;
    return result;
  }
  const bool written = printer_.Close();
  const AuditSettings audit = AuditSettingsFromVars(vars_, working_dir_.string(), kWindowed);
  RestPtr(printer_, state_, [&] { return AuditRpt(audit); });
  StorePrinterState(state_, vars_);
  std::error_code ec;
  if (!written) {
    // An incomplete report is worth nothing: it is not kept.
    std::filesystem::remove(report_file_, ec);
    result.error = "the report could not be written completely (disk full?) to " + report_file_;
    return result;
  }
  const SystemPrintResult printed = SystemPrint(report_file_, SystemPrintSettingsFromVars(vars_),
                                                working_dir_, created, progress);
  result.pdf = printed.pdf;
  switch (printed.status) {
    case SystemPrintStatus::kFailed:
      result.error = printed.error;  // the report stays in the audit folder
      break;
    case SystemPrintStatus::kViewerOpen:
      break;  // the viewer reads the file after this: it stays where it is
    default:
      std::filesystem::remove(report_file_, ec);
      break;
  }
  return result;
}

}  // namespace zur::print
