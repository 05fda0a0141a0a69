#include "run/reports/report_delivery.h"

#include <fmt/format.h>

#include <optional>
#include <utility>

#include "print/audit/audit_file.h"
#include "print/device/printer_state.h"
#include "print/device/printer_target.h"
#include "print/device/text_printer.h"
#include "print/system/system_print.h"
#include "run/reports/kept_copy.h"

namespace zur::reports {
namespace fs = std::filesystem;
namespace {

// The program always runs in a window of its own, so a "WINDOW_PRINTER" on a port prints
// through the system printer.
constexpr bool kWindowed = true;

// Passes printed output on to the printer, and to the kept copy of the report when one is
// being made.
class CopyingDevice : public print::PrinterDevice {
 public:
  explicit CopyingDevice(print::PrinterDevice& out) : out_(out) {}
  KeptCopy& copy() { return copy_; }

 protected:
  void Write(std::string_view bytes) override {
    out_.Raw(bytes);
    if (copy_.started()) copy_.Append(bytes);
  }

 private:
  print::PrinterDevice& out_;
  KeptCopy copy_;
};

print::PrinterKind KindOf(const VarStore& vars, const print::PrinterState& state) {
  print::PrinterKind kind;
  kind.cur_ptr = state.cur_ptr;
  kind.site = std::string(vars.Get("USER_KEY").StrOr());
  kind.windows_printing = print::IsWinPtr(state);
  const Value* width = vars.Find("PTR_WIDTH");
  if (width && width->IsNum() && width->num() >= 1 && width->num() <= 1000)
    kind.ptr_width = static_cast<int>(width->num());
  return kind;
}

class Delivery {
 public:
  Delivery(VarStore& vars, run::Operator& op, const DeliveryOptions& options,
           std::chrono::system_clock::time_point print_time)
      : vars_(vars),
        op_(op),
        options_(options),
        print_time_(print_time),
        state_(print::PrinterStateFromVars(vars, kWindowed)),
        system_(print::IsWinPtr(state_)),
        audit_(print::AuditSettingsFromVars(vars, options.working_dir.string(), kWindowed)),
        device_(printer_) {}

  print::PrinterDevice& device() { return device_; }
  print::PrinterKind kind() const { return KindOf(vars_, state_); }
  bool all_printed() const { return all_printed_; }
  bool all_written() const { return all_written_; }

  // Points output at the configured port or file (system printing opens a file per report).
  void Start() {
    if (system_) return;
    const bool append = !print::IsPortName(state_.print_name);
    const print::PtrCheckResult checked =
        print::PtrWithChk(printer_, state_, state_.print_name, append, audit_.current_dir);
    print::StorePrinterState(state_, vars_);
    if (checked.redirected) op_.MessageLineAndWait(checked.message);
  }

  void Begin(std::string_view title, std::string_view job) {
    op_.ProgressLine(fmt::format("Printing \"{}\" ...", title));
    vars_.Set("MAIN_STR", std::string(job));
    if (!options_.keep_reports.empty())
      device_.copy().Start(options_.keep_reports / (std::string(job) + ".TXT"));
    if (!system_) return;
    vars_.Set("WIN_TEXT", "");
    report_file_ = print::AuditRpt(audit_, printer_, state_.ports);
    vars_.Set("WIN_TEXT", report_file_);
    device_.SetPosition(0, 0);
  }

  void End(std::string_view title, std::string_view /*job*/) {
    if (device_.copy().started()) KeepCopy();
    if (!system_) return;
    const bool written = printer_.Close();
    print::RestPtr(printer_, state_, [this] { return print::AuditRpt(audit_); });
    print::StorePrinterState(state_, vars_);
    if (!written) {
      NotWritten(title);
      return;
    }
    bool drawn = false;  // an empty report draws no page
    const print::SystemPrintResult printed =
        print::SystemPrint(report_file_, print::SystemPrintSettingsFromVars(vars_),
                           options_.working_dir, print_time_, [&](int done, int total) {
                             drawn = true;
                             op_.Percent(done * 100 / total);
                           });
    if (drawn) op_.PercentDone();
    switch (printed.status) {
      case print::SystemPrintStatus::kPrinted:
        if (!printed.pdf.empty())
          op_.ProgressLine(
              fmt::format("\"{}\" is in the PDF file {}", title, printed.pdf.string()));
        Remove();
        break;
      case print::SystemPrintStatus::kEmpty:
      case print::SystemPrintStatus::kDelivered:
        Remove();
        break;
      case print::SystemPrintStatus::kViewerOpen:
        break;  // the viewer reads the file after this: it stays in the audit folder
      case print::SystemPrintStatus::kFailed:
        Warn(title, printed.error);
        break;
    }
  }

  void Finish() {
    if (!system_) print::EndOfPrt(printer_, state_);
    if (!printer_.Close() && !system_) {
      all_printed_ = false;
      all_written_ = false;
      op_.BlinkingWarning(fmt::format(
          "WARNING: Printed output to \"{}\" was not written completely", state_.print_name));
    }
  }

 private:
  void KeepCopy() {
    const std::string error = device_.copy().Finish();
    if (!error.empty())
      op_.BlinkingWarning("WARNING: The copy of the report is not kept: " + error);
  }

  void Remove() {
    std::error_code ec;
    fs::remove(report_file_, ec);
  }

  // An incomplete report file is worth nothing and is not kept: the message says so.
  void NotWritten(std::string_view title) {
    all_printed_ = false;
    all_written_ = false;
    std::error_code ec;
    const bool removed = fs::remove(report_file_, ec) || !fs::exists(report_file_, ec);
    op_.MessageBox(
        "ZUR",
        fmt::format("ERROR: \"{}\" could not be written (disk full?) and is not "
                    "printed: {} {}. Please make room and run the checking again.",
                    title, report_file_,
                    removed ? "is incomplete and was removed" : "is incomplete, do not use it"));
  }

  // The message names the kept file once: most reasons name it already.
  void Warn(std::string_view title, std::string_view why) {
    all_printed_ = false;
    const bool named = why.find(report_file_) != std::string_view::npos;
    op_.BlinkingWarning(fmt::format("WARNING: \"{}\" is not printed and is kept: {}{}", title, why,
                                    named ? "" : " (" + report_file_ + ")"));
  }

  VarStore& vars_;
  run::Operator& op_;
  const DeliveryOptions& options_;
  std::chrono::system_clock::time_point print_time_;
  print::PrinterState state_;
  bool system_;
  print::AuditSettings audit_;
  print::TextPrinter printer_;
  CopyingDevice device_;
  std::string report_file_;
  bool all_printed_ = true;
  bool all_written_ = true;
};

}  // namespace

bool DeliverCheckingReports(dbf::Table& atimast, VarStore& vars, run::Operator& op,
                            const DeliveryOptions& options, bool* all_written,
                            holdings::HoldingsIndex* index) {
  const auto print_time = options.print_time.value_or(std::chrono::system_clock::now());
  Delivery delivery(vars, op, options, print_time);
  struct WrittenOut {
    const Delivery& delivery;
    bool* out;
    ~WrittenOut() {
      if (out) *out = delivery.all_written();
    }
  } written_out{delivery, all_written};
  try {
    delivery.Start();
    ReportHooks hooks{
        [&](std::string_view title, std::string_view job) { delivery.Begin(title, job); },
        [&](std::string_view title, std::string_view job) { delivery.End(title, job); }};
    const ReportRecords records = index ? ReportRecords(*index) : ReportRecords(atimast);
    PrintCheckingReports(records, vars, delivery.device(), delivery.kind(),
                         ReportClock::At(print_time), hooks);
  } catch (const print::AuditError& e) {
    op.MessageBox("ZUR", e.what());
    return false;
  } catch (const print::PrinterError& e) {
    op.MessageBox("ZUR", e.what());
    return false;
  }
  delivery.Finish();
  return delivery.all_printed();
}

}  // namespace zur::reports
