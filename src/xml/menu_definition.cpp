#include "xml/menu_definition.h"

#include "xml/element_text.h"

namespace zur::xml {

bool MenuEntry::HasCondition() const {
  return !TrimmedText(flag).empty();
}

RoutineCall RoutineOf(std::string_view program) {
  const std::string_view text = TrimmedText(program);
  const size_t blank = text.find_first_of(" \t\r\n");
  if (blank == std::string_view::npos) return {std::string(text), std::nullopt};
  return {std::string(text.substr(0, blank)), std::string(text.substr(blank + 1))};
}

}  // namespace zur::xml
