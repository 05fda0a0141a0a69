#pragma once
// `zur` on a terminal: the start-up on screen, the main window, and the checking run when the
// start-checking screen is confirmed, after which the program ends.

#include <string>

namespace zur::mainwindow {

struct InteractiveOptions {
  std::string exe_path;
};

// The exit status: 0 when the operator quit or the run generated its upload files, 1 when a
// message ended the program.
int RunInteractive(const InteractiveOptions& options);

}  // namespace zur::mainwindow
