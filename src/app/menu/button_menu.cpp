#include "app/menu/button_menu.h"

#include <charconv>

#include "lib/compat/list_split.h"
#include "lib/text/trim_pad.h"

namespace zur::menu {
namespace {

// Field `i` (0-based) of a comma-separated line, trimmed; empty when missing.
std::string Field(const std::vector<std::string>& fields, size_t i) {
  return i < fields.size() ? std::string(text::AllTrim(fields[i])) : std::string();
}

// A number field that is present and not empty; otherwise `fallback`.
int Number(const std::vector<std::string>& fields, size_t i, int fallback) {
  const std::string f = Field(fields, i);
  int n = 0;
  const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), n);
  return f.empty() || ec != std::errc() || end != f.data() + f.size() ? fallback : n;
}

}  // namespace

ButtonMenu ParseButtonMenu(const std::vector<std::string>& lines, int area_width, int area_height) {
  ButtonMenu menu;
  if (lines.empty()) return menu;
  menu.name = std::string(text::AllTrim(lines[0]));
  if (lines.size() > 1 && !text::IsBlank(lines[1])) {
    const std::vector<std::string> f = compat::ListAsArray(lines[1], ",");
    menu.allow_esc = Field(f, 0) == "1";
    menu.step = Number(f, 1, menu.step);
    menu.width = Number(f, 2, menu.width);
    menu.height = Number(f, 3, menu.height);
    menu.picture = Field(f, 4);
  }
  int x = (area_width - menu.width) / 2;
  int y = area_height - 130;
  for (size_t i = 4; i < lines.size() && !lines[i].empty(); ++i) {
    const std::vector<std::string> f = compat::ListAsArray(lines[i], ",");
    MenuButton b;
    b.caption = f.empty() ? std::string() : f[0];
    b.key = Field(f, 1);
    y -= menu.step;
    x = Number(f, 2, x);
    y = Number(f, 3, y);
    b.x = x;
    b.y = y;
    b.width = Number(f, 4, menu.width);
    b.height = Number(f, 5, menu.height);
    menu.buttons.push_back(std::move(b));
  }
  return menu;
}

const std::vector<std::string>& MainMenuDefinition() {
  static const std::vector<std::string> lines = {"** MAIN  MENU **",
                                                 "1,45,330,27,CoBg.gif",
                                                 "",
                                                 "",
                                                 "0. EXIT ,0,290,320,180",
                                                 "1. SYSTEM SETUP,1,230,260",
                                                 "2. START CHECKING,2",
                                                 "3. SETUP SEGREGATED A/C,3",
                                                 "S. Windows Printer Setup,S"};
  return lines;
}

std::string StatusLine(std::string_view modified_date) {
  return "Last Modified on " + std::string(modified_date) + ", and is able to match with CCASS/3.";
}

std::string ChoiceOfKey(const ButtonMenu& menu, int key) {
  if (key <= 0 || key > 255) return {};
  char c = static_cast<char>(key);
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (const MenuButton& b : menu.buttons) {
    if (b.key.size() == 1 && b.key[0] == c) return b.key;
  }
  return {};
}

}  // namespace zur::menu
