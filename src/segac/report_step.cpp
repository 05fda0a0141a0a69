// After Exit: the question whether to print the client segregated account report, its order,
// and the report on the printer of the printer state.
#include <chrono>

#include "platform/term/light_bar_menu.h"
#include "platform/term/message_box.h"
#include "print/audit/audit_file.h"
#include "print/device/printer_target.h"
#include "print/job/print_job.h"
#include "run/reports/print_checking_reports.h"
#include "segac/dialogue.h"
#include "segac/prompts.h"
#include "segac/segac_report.h"

namespace zur::segac {

void Dialogue::OfferReport() {
  term::Console& console = screen_.console();
  console.ClearRows(20, term::kGridRows - 1);
  const std::string_view question = "TO PRINT \"CLIENT SEGREGATED A/C REPORT (Y/N)";
  console.Say(22, 0, question);
  console.SetCursor(22, static_cast<int>(question.size()) + 1);
  if (AskYn(screen_, vars_, false) != 'Y') return;
  const int order = term::LightBarMenu(screen_,
                                       {{15, 14, " 1. REPORT by CLIENT A/C NO sequence ", ""},
                                        {16, 14, " 2. REPORT by SEGREGATED A/C sequence ", ""}},
                                       1);
  if (order == 0) return;
  clients_->SetOrder(order);
  clients_->GoTop();
  vars_.Set("WIDTH", 80);
  vars_.Set("MSG", std::string(kReportTitle));
  SayWait(screen_);
  PrintReport();
}

void Dialogue::PrintReport() {
  print::PrintJobResult printed;
  int pages = 0;
  try {
    print::PrintJob job(vars_, data_dir_);
    const auto now = std::chrono::system_clock::now();
    pages = PrintSegacReport(*clients_, fields_, job.device(),
                             reports::ContextFromVars(vars_, reports::ReportClock::At(now)));
    vars_.Set("P", pages);
    printed = job.Finish(now);
  } catch (const print::AuditError& e) {
    printed.error = e.what();
  } catch (const print::PrinterError& e) {
    printed.error = e.what();
  }
  if (!printed.ok()) {
    ShowInBox("ERROR: \"" + std::string(kReportTitle) + "\" is not printed: " + printed.error);
  } else if (!printed.notice.empty()) {
    SayMsg(printed.notice);
  } else if (pages == 0) {
    SayMsg("NO RECORD FOUND !");  // no client (under the filter) has a segregated account
  } else if (!printed.pdf.empty()) {
    ShowInBox("\"" + std::string(kReportTitle) + "\" is in the PDF file " + printed.pdf.string());
  }
}

}  // namespace zur::segac
