#include "run/driver/check_command.h"

#include <iostream>

#include "app/startup/startup.h"
#include "app/upgrade/upgrade_console.h"
#include "lib/compat/program_exit.h"
#include "lib/format/format_functions.h"
#include "platform/dbf/work_areas.h"
#include "platform/expr/expression.h"

namespace zur::driver {

int ExitStatus(const RunOutcome& outcome) {
  if (!outcome.ok()) return kCheckStopped;
  if (!outcome.reports_written) return kCheckReportNotWritten;
  return outcome.reports_printed ? kCheckDone : kCheckReportsKept;
}

int CheckCommand(const CheckCommandOptions& options, run::Operator& op) {
  VarStore vars;
  expr::FunctionTable functions;
  format::RegisterFormatFunctions(functions, vars);
  dbf::WorkAreas areas;
  areas.SetEnvironment(&functions, &vars);

  upgrade::StreamConsole console(std::cerr, std::cerr);
  startup::StartupOptions start;
  start.working_dir = options.working_dir;
  start.exe_path = options.exe_path;
  start.today = options.today;
  start.console = &console;
  start.change_directory = options.change_directory;
  start.message_box = [&op](std::string_view text) { op.MessageBox("ZUR", text); };
  const startup::StartupResult started = startup::Startup(start, vars, areas);
  // The printer's own file in the audit folder goes with the program, however it ends.
  struct RemovePrinterFile {
    VarStore& vars;
    ~RemovePrinterFile() { compat::ExitXbSend(vars, nullptr); }
  } remove_printer_file{vars};
  if (!started.ok()) return kCheckStopped;

  startup::SetProgramTitle(vars);
  const std::string refused = ApplyStartScreen(options.screen, vars);
  if (!refused.empty()) {
    op.MessageBox("ZUR", refused);
    areas.CloseAll();
    return kCheckStopped;
  }
  if (options.pdf) vars.Set("PRINT_PDF", true);
  reports::DeliveryOptions delivery;
  delivery.keep_reports = options.keep_reports;
  delivery.print_time = options.print_time;
  const RunOutcome outcome =
      RunChecking(started.data_dir, vars, areas, op, delivery, options.upload_steps);
  areas.CloseAll();
  return ExitStatus(outcome);
}

}  // namespace zur::driver
