#include "app/mainwindow/command_shell.h"

#include <filesystem>

#include "lib/compat/shell.h"

namespace zur::mainwindow {

void RunCommandShell(term::Screen& screen) {
  term::Console& console = screen.console();
  const term::ScreenImage saved = console.Save();
  console.ClearRows(23, 23);
  console.Say(23, 0, "Start NEW DOS in progress, Please wait...");
  screen.Refresh();
  std::error_code ec;
  const std::filesystem::path dir = std::filesystem::current_path(ec);
  screen.Suspend();
  // The prompt of the old shells, in the words a POSIX shell shows: where you are, and how
  // to come back.
  const compat::ShellResult shell = compat::RunShell("", "Type EXIT to return...\n\\w> ");
  screen.Resume();
  if (!dir.empty() && std::filesystem::current_path(ec) != dir)
    std::filesystem::current_path(dir, ec);
  console.Restore(saved);
  if (!shell.started) {
    console.ClearRows(23, 23);
    console.Say(23, 0, "Error: " + shell.error);
  }
  screen.Refresh();
}

}  // namespace zur::mainwindow
