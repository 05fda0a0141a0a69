// A small program on the text grid: a form with entry fields, buttons and a check box, the
// menu bar, message boxes, the file dialog and the shell key. Esc or File > Quit ends it.
// With ZUR_TERM_DEMO_PIDFILE set it writes its process id there (for the terminal test).

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/term/check_box.h"
#include "platform/term/curses_backend.h"
#include "platform/term/entry_field.h"
#include "platform/term/file_dialog.h"
#include "platform/term/inkey_codes.h"
#include "platform/term/message_box.h"
#include "platform/term/push_button.h"
#include "platform/term/screen.h"
#include "platform/term/static_text.h"

namespace term = zur::term;

namespace {

void RunShell(term::Screen& screen) {
  term::ScreenImage saved = screen.console().Save();
  screen.Suspend();
  std::fputs("Type EXIT to return...\n", stdout);
  std::fflush(stdout);
  const char* shell = std::getenv("SHELL");
  const pid_t pid = fork();
  if (pid == 0) {
    execl(shell != nullptr ? shell : "/bin/sh", "sh", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  if (pid > 0) waitpid(pid, &status, 0);
  screen.Resume();
  screen.console().Restore(saved);
}

int Run() {
  term::CursesBackend backend;
  term::Screen screen(backend);
  term::Console& con = screen.console();
  con.SetColour("W/N,N/W");
  con.Say(0, 2, "ZUR text grid demo");
  con.Say(0, 60, "Esc quits", term::Attr{term::Colour::kYellow});
  con.Line(1, 0, 79, {});

  screen.Add<term::StaticText>(4, 5, "Name       :", term::LabelAttr("NIL", "GRA_CLR_BLUE"));
  auto* name = screen.Add<term::EntryField>(4, 19, 20, 40);
  name->SetPlaceholder("NAME");
  name->SetUpperCase(true);
  screen.Add<term::StaticText>(6, 5, "Density    :");
  auto* density = screen.Add<term::EntryField>(6, 19, 3, 3);
  density->SetPlaceholder("DENSITY");
  density->SetNumber(100, "999");
  auto* pdf = screen.Add<term::CheckBox>(8, 19, "Print to PDF");
  auto* ok = screen.Add<term::PushButton>(term::Rect{11, 19, 1, 10}, "OK");
  auto* print = screen.Add<term::PushButton>(term::Rect{11, 31, 1, 12}, "Print");
  print->SetEnabled(false);
  auto* quit = screen.Add<term::PushButton>(term::Rect{11, 45, 1, 10}, "Quit");

  bool done = false;
  const auto status = [&](const std::string& text) {
    con.ClearRows(22, 22);
    con.Say(22, 0, text);
  };
  ok->on_activate = [&] {
    term::MessageBox(screen, "Name: " + name->text() + "\nDensity: " + density->text() +
                                 (pdf->checked() ? "\nto PDF" : ""));
  };
  quit->on_activate = [&] { done = true; };
  pdf->on_selected = [&](bool on) { status(on ? "PDF on" : "PDF off"); };

  term::Menu* file = screen.menu_bar().AddMenu("File");
  file->AddItem("Open...");
  file->AddSeparator();
  file->AddItem("Quit");
  file->on_select = [&](int item, term::Menu&) {
    if (item == 1) {
      auto chosen =
          term::OpenFileDialog(screen, {"Select a file", "", {{"*", "*.*"}, {"TXT", "*.TXT"}}});
      status(chosen ? "Chosen: " + *chosen : "No file chosen");
    }
    if (item == 3) done = true;
  };
  term::Menu* options = screen.menu_bar().AddMenu("Options");
  term::Menu* colours = options->AddSubmenu("Colours");
  colours->AddItem("Blue");
  term::Menu* reds = colours->AddSubmenu("Reds");
  reds->AddItem("Dark red");
  options->AddItem("Printer", false);
  const auto chose = [&](int item, term::Menu& menu) {
    status("Menu " + menu.title() + " item " + std::to_string(item));
  };
  colours->on_select = chose;
  reds->on_select = chose;

  screen.hot_keys().Set(term::inkey::kShiftF10, [&] { RunShell(screen); });

  // Tab and Shift+Tab move between the tab stops; Enter on a field goes on like Tab.
  for (term::Widget* w : {static_cast<term::Widget*>(name), static_cast<term::Widget*>(density)}) {
    w->on_key = [&screen, w](int code) {
      if (code != term::event::kTab && code != term::event::kEnter &&
          code != term::event::kShiftTab)
        return false;
      screen.SetFocus(screen.NextTabStop(w, code == term::event::kShiftTab));
      return true;
    };
  }
  for (term::Widget* w : {static_cast<term::Widget*>(pdf), static_cast<term::Widget*>(ok),
                          static_cast<term::Widget*>(quit)}) {
    w->on_key = [&screen, w](int code) {
      if (code != term::event::kTab && code != term::event::kShiftTab) return false;
      screen.SetFocus(screen.NextTabStop(w, code == term::event::kShiftTab));
      return true;
    };
  }
  screen.SetFocus(name);
  status("Ready");
  while (!done) {
    const term::Event e = screen.NextEvent();
    if (e.code == term::event::kEsc) break;
    screen.Dispatch(e);
  }
  return 0;
}

}  // namespace

int main() {
  if (const char* pid_file = std::getenv("ZUR_TERM_DEMO_PIDFILE"))
    std::ofstream(pid_file) << getpid() << "\n";
  try {
    return Run();
  } catch (const term::QuitRequested&) {
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "term_demo: %s\n", e.what());
    return 1;
  }
}
