#include "xml/element_text.h"

namespace zur::xml {

std::string_view TrimmedText(std::string_view content) {
  constexpr std::string_view kSpace = " \t\r\n";
  const size_t first = content.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return content.substr(first, content.find_last_not_of(kSpace) - first + 1);
}

}  // namespace zur::xml
