#pragma once
// A modal box with one entry line: Enter gives the typed text, Esc nothing.

#include <optional>
#include <string>
#include <string_view>

namespace zur::term {

class Screen;

std::optional<std::string> InputBox(Screen& screen, std::string_view title, std::string_view value,
                                    size_t length);

}  // namespace zur::term
