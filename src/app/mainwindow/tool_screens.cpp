#include "app/mainwindow/tool_screens.h"

#include "app/mainwindow/program_end.h"
#include "lib/console/dot_console.h"
#include "print/select/printer_menu.h"
#include "print/select/printer_name.h"
#include "print/select/windows_printer.h"

namespace zur::mainwindow {

void AddToolScreens(MainWindowScreens& screens, term::Screen& screen, VarStore& vars,
                    dbf::WorkAreas& areas, const expr::FunctionTable& functions,
                    const std::filesystem::path& data_dir) {
  const print::PrinterDialogs dialogs{screen, vars, data_dir};
  screens.printer_selection = [dialogs] { print::SelectPrinterType(dialogs); };
  screens.windows_printer = [dialogs](std::optional<std::string> kind) {
    print::SelectSystemPrinter(dialogs, kind);
  };
  screens.printer_name = [dialogs] { print::AskPrinterName(dialogs); };
  console::DotConsoleOptions console;
  console.fields = &areas;
  console.functions = &functions;
  console.close_tables = [&areas] { areas.CloseAll(); };
  console.quit = [] { throw ProgramEnd{0}; };
  screens.developer_console = [&screen, &vars, console] {
    console::DeveloperConsole(screen, vars, console);
  };
}

}  // namespace zur::mainwindow
