#pragma once
// The button menu of the main window: its definition lines, as the main loop passes them, and
// the buttons laid out in the window's pixels (x from the left, y up from the bottom edge).

#include <string>
#include <string_view>
#include <vector>

namespace zur::menu {

struct MenuButton {
  std::string caption;  // text, or "ID:" and a bitmap number
  std::string key;      // the choice key
  int x = 0, y = 0, width = 0, height = 0;
};

struct ButtonMenu {
  std::string name;       // becomes MSG (trimmed)
  bool allow_esc = true;  // Esc leaves the menu with no choice
  int step = 50;          // vertical distance between buttons
  int width = 350, height = 30;
  std::string picture;  // background picture file; may be empty
  std::vector<MenuButton> buttons;
};

// Reads the definition: line 1 the name, line 2 the features ("1" allows Esc, step, width,
// height, picture), lines 3 and 4 unused, then a button a line (caption, key, x, y, width,
// height) up to the first empty line. Missing or empty fields keep the defaults; x and y carry
// over, so a button without them sits one step below the one before. The first button starts
// one step below `area_height` - 130 and is centred in `area_width` unless it says otherwise.
ButtonMenu ParseButtonMenu(const std::vector<std::string>& lines, int area_width, int area_height);

// The main menu's definition lines.
const std::vector<std::string>& MainMenuDefinition();
inline constexpr int kMainMenuDefaultChoice = 2;  // "2. START CHECKING" has the focus

// The status line of the main menu: "Last Modified on <date>, and is able to match with CCASS/3."
std::string StatusLine(std::string_view modified_date);

// The choice a key makes on a button menu: its character, a-z folded to upper case, when a
// button carries it; empty otherwise.
std::string ChoiceOfKey(const ButtonMenu& menu, int key);

}  // namespace zur::menu
