#pragma once
// The menu bar on the row above the grid: pull-down menus whose entries are selectable items,
// separators or submenus (two levels of submenus below a pull-down are usual; any depth
// works). Entries are numbered from 1 in the order they were added, separators included.
// A chosen entry reaches the program as a kMenuSelected event aimed at the menu that holds
// it, whose HandleEvent calls the menu's on_select.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/term/cell_grid.h"
#include "platform/term/theme.h"
#include "platform/term/widget.h"

namespace zur::term {

class Menu;

struct MenuItem {
  std::string caption;
  bool enabled = true;
  bool separator = false;
  std::unique_ptr<Menu> submenu;

  bool Selectable() const { return enabled && !separator; }
};

class Menu : public EventTarget {
 public:
  explicit Menu(std::string title) : title_(std::move(title)) {}

  const std::string& title() const { return title_; }
  // Each returns the new entry's number.
  int AddItem(std::string caption, bool enabled = true);
  int AddSeparator();
  // The entry opens `submenu`, whose title is its caption.
  Menu* AddSubmenu(std::string caption, bool enabled = true);
  // Enables or disables entry `number` (from 1); other numbers are ignored.
  void SetEnabled(int number, bool enabled);
  const std::vector<MenuItem>& items() const { return items_; }
  size_t size() const { return items_.size(); }

  // Called with the number of the chosen entry and the menu.
  std::function<void(int number, Menu& menu)> on_select;
  void HandleEvent(Screen& screen, const Event& event) override;

 private:
  std::string title_;
  std::vector<MenuItem> items_;
};

class MenuBar {
 public:
  Menu* AddMenu(std::string title);
  const std::vector<std::unique_ptr<Menu>>& menus() const { return menus_; }
  bool empty() const { return menus_.empty(); }
  void Clear() { menus_.clear(); }
  bool enabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }
  // True when `target` is one of the bar's menus or submenus.
  bool Holds(const EventTarget* target) const;

  // The column of title `index` on the bar, and the title under a column (-1 for none).
  int TitleColumn(size_t index) const;
  int TitleAt(int col) const;
  // Draws the bar on row 0 of `picture`, title `highlighted` (-1 for none) lit.
  void Draw(CellGrid& picture, const Theme& theme, int highlighted = -1) const;

 private:
  std::vector<std::unique_ptr<Menu>> menus_;
  bool enabled_ = true;
};

}  // namespace zur::term
