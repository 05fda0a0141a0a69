#pragma once
// A modal list to choose one line from (the printers of the system printer dialog): Up, Down,
// Page Up, Page Down, Home and End move, a letter goes to the next line that begins with it,
// Enter or a click on the lit line chooses, Esc cancels.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/term/screen.h"

namespace zur::print {

struct ChoiceList {
  std::string title;
  std::vector<std::string> lines;  // Big5 text as shown
  size_t initial = 0;              // lit first (the first line when out of range)
};

// The chosen line's index, or nothing for Esc (or an empty list).
std::optional<size_t> ChooseFromList(term::Screen& screen, const ChoiceList& list);

}  // namespace zur::print
