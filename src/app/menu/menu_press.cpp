#include "app/menu/menu_press.h"

namespace zur::menu {
namespace {

constexpr char kEnter = 13;
constexpr char kEsc = 27;

// The key a press-text byte types.
char KeyOf(char c) {
  if (c == ',') return kEnter;
  if (c == '.') return kEsc;
  return c;
}

}  // namespace

std::string PressKeys(std::string_view press_text) {
  std::string keys;
  keys.reserve(press_text.size());
  for (size_t i = 0; i < press_text.size(); ++i) {
    // "{" key "}" where the key is Enter or Esc stands for the comma or the period itself.
    if (press_text[i] == '{' && i + 2 < press_text.size() && press_text[i + 2] == '}') {
      const char key = KeyOf(press_text[i + 1]);
      if (key == kEnter || key == kEsc) {
        keys += key == kEnter ? ',' : '.';
        i += 2;
        continue;
      }
    }
    keys += KeyOf(press_text[i]);
  }
  return keys;
}

}  // namespace zur::menu
