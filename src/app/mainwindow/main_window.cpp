#include "app/mainwindow/main_window.h"

#include <memory>
#include <vector>

#include "app/mainwindow/button_menu_view.h"
#include "app/mainwindow/command_shell.h"
#include "app/mainwindow/context_help.h"
#include "app/mainwindow/print_screen.h"
#include "app/mainwindow/program_end.h"
#include "app/menu/button_menu.h"
#include "app/startup/settings_write.h"
#include "app/startup/startup.h"
#include "app/upgrade/table_files.h"
#include "platform/term/inkey_codes.h"
#include "platform/term/message_box.h"
#include "platform/vars/memory_file.h"
#include "screens/screen_header.h"
#include "xml/ati_config.h"
#include "xml/menu_file.h"

namespace zur::mainwindow {
namespace {

namespace inkey = term::inkey;

Date DateOf(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v != nullptr && v->IsDate() ? v->date() : Date::Today();
}

std::string TextOf(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v != nullptr && v->IsChar() ? v->str() : std::string();
}

}  // namespace

MainWindow::MainWindow(term::Screen& screen, VarStore& vars, dbf::WorkAreas& areas,
                       expr::FunctionTable& functions, std::filesystem::path data_dir,
                       MainWindowScreens screens)
    : screen_(screen),
      vars_(vars),
      areas_(areas),
      functions_(functions),
      data_dir_(std::move(data_dir)),
      screens_(std::move(screens)),
      bar_(screen_, routines_, [this](std::string_view name) {
        term::MessageBox(screen_, "ERROR: \"" + std::string(name) + "\" is no routine of ZUR !",
                         "ZUR");
      }) {
  routines_.Register("AppQuit", [this](const auto&) { Quit(); });
  routines_.Register("SeleWinPrinter", [this](const std::optional<std::string>& kind) {
    if (screens_.windows_printer) screens_.windows_printer(kind);
  });
  const auto call = [](const std::function<void()>& screen) {
    return [&screen](const std::optional<std::string>&) {
      if (screen) screen();
    };
  };
  routines_.Register("SELPTRW", call(screens_.printer_selection));
  routines_.Register("SETPRINTW", call(screens_.printer_name));
  routines_.Register("DOT", call(screens_.developer_console));
  // The program's other routines (OVERLAY, SETFLAG ...) by the name their expressions use,
  // with the argument as a text.
  routines_.SetFallback([this](std::string_view name, const std::optional<std::string>& argument) {
    const expr::Function* routine = functions_.Find(name);
    if (routine == nullptr) return false;
    std::vector<Value> args;
    if (argument) args.emplace_back(*argument);
    expr::Context ctx;
    ctx.vars = &vars_;
    ctx.fields = &areas_;
    ctx.functions = &functions_;
    std::string error;
    (*routine)(args, ctx, error);
    if (!error.empty()) term::MessageBox(screen_, "ERROR: " + error, "ZUR");
    return true;
  });
}

void MainWindow::InstallHotKeys() {
  term::HotKeys& keys = screen_.hot_keys();
  keys.Set(inkey::kF1, [this] { ShowHelp(vars_, data_dir_); });
  keys.Set(inkey::kShiftF10, [this] { RunCommandShell(screen_); });
  const auto printers = [this] {
    if (screens_.printer_selection) screens_.printer_selection();
  };
  keys.Set(inkey::kAltP, printers);
  keys.Set(inkey::kCtrlF10, printers);
  const auto print_screen = [this] { PrintScreen(screen_, vars_, data_dir_); };
  keys.Set(inkey::kAltL, print_screen);
  keys.Set(inkey::kAltO, print_screen);
  keys.Set(inkey::kShiftF7, print_screen);
  keys.Set(inkey::kAltF8, [this] {
    if (screens_.developer_console) screens_.developer_console();
  });
}

void MainWindow::Run() {
  screens::ScreenHeader header(screen_);
  for (;;) {
    screen_.console().ClearAll();
    screen_.console().SetCursor(0, 0);
    startup::SetProgramTitle(vars_);
    vars_.Set("MSG", "** MAIN  MENU **");
    if (screen_.menu_bar().empty()) {
      xml::MenuFile menus = xml::ReadMenuFile(
          upgrade::FindFile(data_dir_ / xml::kMenuFileName).string(), DateOf(vars_, "TRAN_DATE"));
      if (!menus.warning.empty()) term::MessageBox(screen_, menus.warning, "ZUR");
      bar_.Build(std::move(menus.features), [this](std::string_view f) { return FlagAllows(f); });
    }
    screen_.menu_bar().SetEnabled(true);
    vars_.Set("Stat_Msg", menu::StatusLine(TextOf(vars_, "exeModiDate")));
    const std::string choice = RunButtonMenu(screen_, vars_, header, menu::MainMenuDefinition(),
                                             menu::kMainMenuDefaultChoice);
    vars_.Set("MAIN", choice);
    header.Clear();
    if (choice.empty() || choice == "0") {
      screen_.console().ClearRows(23, 24);
      screen_.console().SetCursor(23, 0);
      Quit();
    }
    screen_.menu_bar().SetEnabled(false);
    if (Dispatch(choice)) return;
  }
}

bool MainWindow::Dispatch(const std::string& choice) {
  if (choice == "1") {
    SystemSetup();
  } else if (choice == "2") {
    if (screens_.start_checking && screens_.start_checking()) return true;
  } else if (choice == "3") {
    if (screens_.segregated_accounts) {
      // ZUR.XBS cannot hold the installation settings object: it is kept aside.
      const Value config = vars_.Get(xml::kConfigVariable);
      screens_.segregated_accounts();
      // The maintenance adds the back office's settings to the variables: the saved ones
      // come back in their place.
      RestoreMemoryFile((data_dir_ / "ZUR.XBS").string(), vars_, RestoreMode::kReplace);
      if (config.IsObject()) vars_.Set(xml::kConfigVariable, config);
    } else {
      term::MessageBox(screen_, "SETUP SEGREGATED A/C is not available in this version.", "ZUR");
    }
  } else if (choice == "S") {
    if (screens_.printer_selection) screens_.printer_selection();
  }
  return false;
}

void MainWindow::SystemSetup() {
  const Value* density = vars_.Find("nXPSCRDEN");
  const double before = density != nullptr && density->IsNum() ? density->num() : 0;
  if (!screens_.system_setup || !screens_.system_setup()) return;
  const startup::SettingsWriteResult written = startup::WriteSettingsBack(vars_, areas_, before);
  if (!written.ok()) term::MessageBox(screen_, written.error, "ZUR");
  if (written.density_changed) {
    term::MessageBox(screen_, startup::kDensityChangedText, startup::kDensityChangedTitle);
    Quit();
  }
}

bool MainWindow::FlagAllows(std::string_view flag) {
  expr::Context ctx;
  ctx.vars = &vars_;
  ctx.fields = &areas_;
  ctx.functions = &functions_;
  Value out;
  expr::Error error;
  if (!expr::EvaluateText(flag, ctx, out, error)) return false;
  return out.IsTrue();
}

void MainWindow::Quit() {
  throw ProgramEnd{0};
}

}  // namespace zur::mainwindow
