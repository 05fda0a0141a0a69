#pragma once
// Field emitters of the upload files: each appends one field to the upload line being built.

#include <string>
#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::format {

// The character set of text fields in the CCASS/3 layout.
struct TextFieldCharset {
  bool restricted = false;  // IS_CCASS3
  std::string allowed;      // CAS3_CHAR

  static TextFieldCharset FromVars(const VarStore& vars);
};

// Text field ending at column `end_column`: the value (with characters outside the allowed set
// blanked when restricted) is appended, then the line is padded with blanks or cut so that it
// is exactly `end_column` characters long.
void AppendTextField(std::string& line, std::string_view value, int end_column,
                     const TextFieldCharset& charset);

// Numeric field of `width` characters: the whole number with leading zeros; of a longer number
// its last `width` digits. A negative number keeps its sign in front of the zeros.
void AppendNumberField(std::string& line, double value, int width);

}  // namespace zur::format
