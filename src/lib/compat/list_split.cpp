#include "lib/compat/list_split.h"

namespace zur::compat {

std::vector<std::string> ListAsArray(std::string_view list, std::string_view delim) {
  std::vector<std::string> pieces;
  if (delim.empty()) return {std::string(list)};
  for (;;) {
    size_t at = list.find(delim);
    pieces.emplace_back(list.substr(0, at));
    if (at == std::string_view::npos) return pieces;
    list.remove_prefix(at + delim.size());
  }
}

}  // namespace zur::compat
