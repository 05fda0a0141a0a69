#pragma once
// What a menu-bar entry types: its press text becomes keys in the keyboard buffer. (Its
// program text is read by xml::RoutineOf.)

#include <string>
#include <string_view>

namespace zur::menu {

// The keys of a press text: "," stands for Enter (13) and "." for Esc (27); a comma or a
// period between braces ("{,}", "{.}") stands for itself.
std::string PressKeys(std::string_view press_text);

}  // namespace zur::menu
