#include "app/mainwindow/interactive_program.h"

#include <filesystem>

#include "app/mainwindow/main_window.h"
#include "app/mainwindow/program_end.h"
#include "app/mainwindow/screen_console.h"
#include "app/mainwindow/tool_screens.h"
#include "app/startup/startup.h"
#include "lib/compat/compat_functions.h"
#include "lib/compat/program_exit.h"
#include "lib/compat_screen/input_box_key.h"
#include "lib/compat_screen/screen_routines.h"
#include "lib/format/format_functions.h"
#include "platform/dbf/work_areas.h"
#include "platform/term/curses_backend.h"
#include "platform/term/message_box.h"
#include "platform/term/screen.h"
#include "run/driver/checking_run.h"
#include "run/upload/upload_writer.h"
#include "screens/directory_setup.h"
#include "screens/screen_operator.h"
#include "screens/start_checking.h"
#include "screens/system_setup.h"
#include "segac/segregated_accounts.h"

namespace zur::mainwindow {
namespace {

// The program once the terminal is ours: start-up, the main window, the run.
int RunOnScreen(term::Screen& screen, const InteractiveOptions& options) {
  VarStore vars;
  expr::FunctionTable functions;
  format::RegisterFormatFunctions(functions, vars);
  compat::RegisterCompatFunctions(functions, vars);
  compat_screen::RegisterScreenRoutines(functions, screen, vars);
  dbf::WorkAreas areas;
  areas.SetEnvironment(&functions, &vars);
  // The printer's own file in the audit folder goes with the program, however it ends.
  struct RemovePrinterFile {
    VarStore& vars;
    ~RemovePrinterFile() { compat::ExitXbSend(vars, nullptr); }
  } remove_printer_file{vars};

  ScreenConsole console(screen);
  startup::StartupOptions start;
  start.exe_path = options.exe_path;
  start.console = &console;
  start.message_box = [&screen](std::string_view text) { term::MessageBox(screen, text, "ZUR"); };
  start.directory_setup = screens::DirectorySetupOn(screen);
  start.network_ready = [&screen] { return compat_screen::NetworkReady(screen); };
  const startup::StartupResult started = startup::Startup(start, vars, areas);
  if (!started.ok()) return 1;
  // A run killed while it put its upload files in place may have left one without the other:
  // it goes before the operator could upload it.
  for (const std::string& warning :
       upload::RecoverInterruptedPublish(started.data_dir / upload::kPublishMarker))
    term::MessageBox(screen, warning, "ZUR");

  MainWindowScreens screens;
  screens.system_setup = [&] { return screens::SystemSetup(screen, vars); };
  screens.start_checking = [&] { return screens::StartChecking(screen, vars); };
  AddToolScreens(screens, screen, vars, areas, functions, started.data_dir);
  screens.segregated_accounts = segac::ScreenOn(screen, vars, areas, console, started.data_dir);
  MainWindow window(screen, vars, areas, functions, started.data_dir, std::move(screens));
  window.InstallHotKeys();
  try {
    window.Run();
  } catch (const ProgramEnd& end) {
    areas.CloseAll();
    return end.status;
  }

  // The confirmed start-checking screen hands over to the run; the program ends after it.
  screen.console().ClearAll();
  screen.console().SetCursor(0, 0);
  screens::ScreenOperator op(screen);
  driver::RunOutcome outcome;
  try {
    outcome = driver::RunChecking(started.data_dir, vars, areas, op);
  } catch (const ProgramEnd& end) {  // QUIT in the developer console while the run waited
    areas.CloseAll();
    return end.status;
  }
  areas.CloseAll();
  // The closing lines stay until the operator has read them (a run that stopped has shown
  // its message and waited already).
  if (outcome.ok()) op.MessageLineAndWait("");
  return outcome.ok() ? 0 : 1;
}

}  // namespace

int RunInteractive(const InteractiveOptions& options) {
  term::CursesBackend backend;
  term::Screen screen(backend);
  try {
    return RunOnScreen(screen, options);
  } catch (const term::QuitRequested&) {
    return 0;
  }
}

}  // namespace zur::mainwindow
