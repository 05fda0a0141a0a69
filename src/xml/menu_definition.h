#pragma once
// The pull-down menus of the main window's menu bar, as "pmenu.dat" defines them: plain data
// for the menu bar to be built from.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zur::xml {

// One entry of a pull-down menu or of a submenu.
struct MenuEntry {
  std::string caption;  // menuItemTitle; "SEPARATOR" makes a separator line
  std::string press;    // menuPress: keys typed into the keyboard buffer when chosen
  std::string program;  // menuPgm: a routine name, optionally a blank and one argument
  std::string flag;     // menuFlag: an expression; when not blank and false, disabled
  std::string submenu;  // menuSubmenu: "Y" makes the entry a submenu of `items`
  // A submenu's entries; a second-level submenu's entries have no submenu of their own.
  std::vector<MenuEntry> items;

  // Captions and the submenu flag compare as settings do: the text begins with the code.
  bool IsSeparator() const { return std::string_view(caption).starts_with("SEPARATOR"); }
  bool IsSubmenu() const { return std::string_view(submenu).starts_with("Y"); }
  // Whether an expression decides if the entry is enabled (the flag is not blank).
  bool HasCondition() const;
};

// One pull-down menu of the bar.
struct MenuFeature {
  std::string title;  // menuTitle
  std::vector<MenuEntry> items;
};

// The routine a program text names: the text before its first blank, with the rest as the
// one argument ("SeleWinPrinter PDF"); no argument without a blank. Blanks, tabs and line
// breaks around the text do not count; a blank text names no routine (empty name).
struct RoutineCall {
  std::string name;
  std::optional<std::string> argument;
};
RoutineCall RoutineOf(std::string_view program);

}  // namespace zur::xml
