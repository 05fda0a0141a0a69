#pragma once
// Running commands through the user's command shell.

#include <optional>
#include <string>
#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::compat {

struct ShellResult {
  bool started = false;  // the shell ran (whatever the command's own outcome)
  int exit_status = -1;  // the shell's exit status, or 128 + signal; -1 when not started
  std::string error;     // why the shell could not be started
};

// The user's shell: SHELL when it is set and not empty, else /bin/sh.
std::string UserShell();

// Runs `command` as `<shell> -c command`, or the shell itself, interactively, when the command
// is blank, and waits for it. With `prompt`, the child's environment has PS1 set to it.
// The caller keeps the terminal: it is handed to the shell as it is.
ShellResult RunShell(std::string_view command, const std::optional<std::string>& prompt = {});

// The command shell routine of the menus: PROMPT of the store (a text) becomes PS1. True when
// the shell ran.
bool SwpRunCmd(const VarStore& vars, std::string_view command);
inline bool Overlay(const VarStore& vars, std::string_view command) {
  return SwpRunCmd(vars, command);
}

// The message shown when the shell could not be run.
inline constexpr std::string_view kShellErrorText = "Error in NEW Shell.";
inline std::string ErrMajor() {
  return std::string(kShellErrorText);
}

}  // namespace zur::compat
