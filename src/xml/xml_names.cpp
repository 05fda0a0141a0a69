#include "xml/xml_names.h"

namespace zur::xml {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameText(std::string_view a, std::string_view b, bool case_sensitive) {
  if (a.size() != b.size()) return false;
  if (case_sensitive) return a == b;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string_view RemoveNamespace(std::string_view name) {
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string ReplaceNamespace(std::string_view name, std::string_view prefix) {
  std::string out(prefix);
  out += ':';
  out += RemoveNamespace(name);
  return out;
}

bool PathMatches(std::string_view registered, std::string_view path, bool case_sensitive) {
  if (!registered.starts_with("//")) return SameText(registered, path, case_sensitive);
  const std::string_view tail = registered.substr(1);
  return path.size() >= tail.size() &&
         SameText(path.substr(path.size() - tail.size()), tail, case_sensitive);
}

}  // namespace zur::xml
