#pragma once
// What a menu-bar entry does: its press text becomes keys typed into the keyboard buffer, and
// its program text names a routine of the program (with at most one argument) to call.

#include <optional>
#include <string>
#include <string_view>

namespace zur::menu {

// The keys of a press text: "," stands for Enter (13) and "." for Esc (27); a comma or a
// period between braces ("{,}", "{.}") stands for itself.
std::string PressKeys(std::string_view press_text);

// A routine named by a program text: "AppQuit" or "SeleWinPrinter PDF" (the name, a blank,
// then its one argument).
struct ProgramCall {
  std::string routine;
  std::optional<std::string> argument;
};
// Nothing when the text is blank.
std::optional<ProgramCall> ParseProgramText(std::string_view program_text);

}  // namespace zur::menu
