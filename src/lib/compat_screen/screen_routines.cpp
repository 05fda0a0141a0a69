#include "lib/compat_screen/screen_routines.h"

#include <cerrno>
#include <cstring>

#include "lib/compat/routine_args.h"
#include "lib/compat/shell.h"
#include "lib/compat_screen/input_box_key.h"
#include "platform/term/message_box.h"

namespace zur::compat_screen {
namespace {

using Args = std::span<Value>;

expr::Function ShellRoutine(std::string_view name, term::Screen& screen, VarStore& bound) {
  return [name, &screen, &bound](Args args, expr::Context& ctx, std::string& error) -> Value {
    compat::RoutineArgs a(name, args, error);
    std::string_view command;
    if (!a.OptText(0, command, "")) return Value();
    return Value(ShellOnScreen(screen, compat::StoreOf(ctx, bound), command));
  };
}

}  // namespace

bool LogonNotAvailable(term::Screen& screen) {
  term::MessageBox(screen, std::to_string(ENOSYS) + " (" + std::strerror(ENOSYS) + ")",
                   kLogonErrorTitle);
  return false;
}

bool ShellOnScreen(term::Screen& screen, const VarStore& vars, std::string_view command) {
  term::Console& console = screen.console();
  const term::ScreenImage saved = console.Save();
  screen.Refresh();
  screen.Suspend();
  const bool ran = compat::SwpRunCmd(vars, command);
  screen.Resume();
  console.Restore(saved);
  screen.Refresh();
  return ran;
}

void RegisterScreenRoutines(expr::FunctionTable& table, term::Screen& screen, VarStore& vars) {
  table.Register("SHOWINPUTBOX", [&screen](Args, expr::Context&, std::string&) {
    ShowInputBox(screen);
    return Value();
  });
  table.Register("N_READY", [&screen](Args, expr::Context&, std::string&) {
    return Value(NetworkReady(screen));
  });
  const auto logon = [&screen](Args, expr::Context&, std::string&) {
    return Value(LogonNotAvailable(screen));
  };
  table.Register("LOGONUSER", logon);
  table.Register("IMPERSONATELOGGEDONUSER", logon);
  table.Register("SWPRUNCMD", ShellRoutine("SWPRUNCMD", screen, vars));
  table.Register("OVERLAY", ShellRoutine("OVERLAY", screen, vars));
}

}  // namespace zur::compat_screen
