#pragma once
// The main window's loop: the button menu and the menu bar, the hot keys, and the dispatch of
// a choice to its screen. It ends when the operator quits (ProgramEnd is thrown by the Exit
// entry and by a changed screen density) or when a confirmed start-checking screen hands over
// to the checking run.

#include <filesystem>
#include <functional>
#include <string>

#include "app/mainwindow/menu_bar_builder.h"
#include "app/mainwindow/routine_table.h"
#include "platform/dbf/work_areas.h"
#include "platform/expr/expression.h"
#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::mainwindow {

// What the choices open. A screen returns true when the operator confirmed it.
struct MainWindowScreens {
  std::function<bool()> system_setup;                                    // "1"
  std::function<bool()> start_checking;                                  // "2"
  std::function<void()> segregated_accounts;                             // "3"
  std::function<void()> printer_selection;                               // "S", Alt+P, Ctrl+F10
  std::function<void(std::optional<std::string> kind)> windows_printer;  // SeleWinPrinter
  std::function<void()> printer_name;                                    // SETPRINTW
  std::function<void()> developer_console;                               // Alt+F8
};

class MainWindow {
 public:
  MainWindow(term::Screen& screen, VarStore& vars, dbf::WorkAreas& areas,
             expr::FunctionTable& functions, std::filesystem::path data_dir,
             MainWindowScreens screens);

  // The main loop. Returns when a confirmed start-checking screen asks for the run; throws
  // ProgramEnd when the operator quits.
  void Run();

  // Installs the hot keys of every screen (help, shell, printer selection, print screen,
  // developer console).
  void InstallHotKeys();

  const RoutineTable& routines() const { return routines_; }

 private:
  bool Dispatch(const std::string& choice);
  void SystemSetup();
  bool FlagAllows(std::string_view flag);
  [[noreturn]] void Quit();

  term::Screen& screen_;
  VarStore& vars_;
  dbf::WorkAreas& areas_;
  expr::FunctionTable& functions_;
  std::filesystem::path data_dir_;
  MainWindowScreens screens_;
  RoutineTable routines_;
  MenuBarBuilder bar_;
};

}  // namespace zur::mainwindow
