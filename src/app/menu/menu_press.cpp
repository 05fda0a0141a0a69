#include "app/menu/menu_press.h"

namespace zur::menu {
namespace {

constexpr char kEnter = 13;
constexpr char kEsc = 27;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::string PressKeys(std::string_view press_text) {
  std::string keys(press_text);
  for (char& c : keys) {
    if (c == ',') c = kEnter;
    if (c == '.') c = kEsc;
  }
  if (keys.find('{') != std::string::npos) {
    ReplaceAll(keys, std::string{'{', kEnter, '}'}, ",");
    ReplaceAll(keys, std::string{'{', kEsc, '}'}, ".");
  }
  return keys;
}

}  // namespace zur::menu
