#pragma once
// An element's text without the blanks, tabs and line breaks around it, for values whose
// meaning does not depend on how the file was laid out (a printer name, a device path, a
// routine name written on a line of its own).

#include <string_view>

namespace zur::xml {

std::string_view TrimmedText(std::string_view content);

}  // namespace zur::xml
