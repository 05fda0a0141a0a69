#pragma once
// DOT, the developer console (Alt+F8): over a cleared window, a command line after "Command: "
// and the commands' lines below it, scrolling, until EXIT or RETURN (or Esc) gives the screen
// back as it was. QUIT ends the program.

#include <functional>

#include "lib/console/dot_session.h"
#include "platform/term/screen.h"

namespace zur::console {

struct DotConsoleOptions {
  expr::FieldSource* fields = nullptr;
  const expr::FunctionTable* functions = nullptr;
  std::function<void()> close_tables;
  std::function<void()> quit;  // ends the program (does not return)
};

void DeveloperConsole(term::Screen& screen, VarStore& vars, const DotConsoleOptions& options);

}  // namespace zur::console
