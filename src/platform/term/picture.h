#pragma once
// Pictures of entries: the display of a number through a template of 9s ("9", "999",
// "9999.99"), and the templates and functions of the console's GET entries ("@!" upper case,
// "@K" clear on the first typed key, "@S40" a 40-column window; template characters 9 # A N X
// ! L Y, other template characters shown as they are and skipped by the cursor).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zur::term {

// The number right-aligned in the template's width with its decimals; asterisks when it does
// not fit.
std::string Transform(double value, std::string_view picture);

struct Picture {
  bool upper_all = false;
  bool clear_on_first_key = false;
  int window = 0;    // columns shown; 0 for the whole entry
  std::string mask;  // the template; empty: any character anywhere

  static Picture Parse(std::string_view text);
  // True when position `pos` holds a template character that is shown, not typed over.
  bool IsLiteral(size_t pos) const;
  // The byte as typed at `pos` (upper-cased where the picture says), or nothing when the
  // template refuses it.
  std::optional<char> Accept(size_t pos, char c) const;
};

}  // namespace zur::term
