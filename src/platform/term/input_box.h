#pragma once
// A modal box with one entry line: Enter gives the typed text, Esc nothing.

#include <optional>
#include <string>
#include <string_view>

namespace zur::term {

class Screen;

std::optional<std::string> InputBox(Screen& screen, std::string_view title, std::string_view value,
                                    size_t length);
// The same box placed with its top left corner at (row, col) of the terminal, kept inside it;
// `columns` is the width of its entry line.
std::optional<std::string> InputBoxAt(Screen& screen, std::string_view title,
                                      std::string_view value, size_t length, int row, int col,
                                      int columns);

}  // namespace zur::term
