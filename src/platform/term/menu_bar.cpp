#include "platform/term/menu_bar.h"

#include "platform/term/screen.h"

namespace zur::term {
namespace {

constexpr int kFirstTitleColumn = 1;
constexpr int kTitleGap = 2;  // a blank either side of a title

bool HoldsMenu(const Menu& menu, const EventTarget* target) {
  if (&menu == target) return true;
  for (const MenuItem& item : menu.items())
    if (item.submenu && HoldsMenu(*item.submenu, target)) return true;
  return false;
}

}  // namespace

int Menu::AddItem(std::string caption, bool enabled) {
  items_.push_back(MenuItem{std::move(caption), enabled, false, nullptr});
  return static_cast<int>(items_.size());
}

int Menu::AddSeparator() {
  items_.push_back(MenuItem{"", false, true, nullptr});
  return static_cast<int>(items_.size());
}

Menu* Menu::AddSubmenu(std::string caption, bool enabled) {
  auto submenu = std::make_unique<Menu>(caption);
  Menu* raw = submenu.get();
  items_.push_back(MenuItem{std::move(caption), enabled, false, std::move(submenu)});
  return raw;
}

void Menu::SetEnabled(int number, bool enabled) {
  if (number >= 1 && number <= static_cast<int>(items_.size()))
    items_[static_cast<size_t>(number - 1)].enabled = enabled;
}

void Menu::HandleEvent(Screen&, const Event& event) {
  if (event.code == event::kMenuSelected && on_select)
    on_select(static_cast<int>(event.mp1), *this);
}

Menu* MenuBar::AddMenu(std::string title) {
  menus_.push_back(std::make_unique<Menu>(std::move(title)));
  return menus_.back().get();
}

bool MenuBar::Holds(const EventTarget* target) const {
  for (const auto& menu : menus_)
    if (HoldsMenu(*menu, target)) return true;
  return false;
}

int MenuBar::TitleColumn(size_t index) const {
  int col = kFirstTitleColumn;
  for (size_t i = 0; i < index && i < menus_.size(); ++i)
    col += static_cast<int>(menus_[i]->title().size()) + kTitleGap;
  return col;
}

int MenuBar::TitleAt(int col) const {
  for (size_t i = 0; i < menus_.size(); ++i) {
    const int start = TitleColumn(i) - 1;
    const int end = start + static_cast<int>(menus_[i]->title().size()) + kTitleGap;
    if (col >= start && col < end) return static_cast<int>(i);
  }
  return -1;
}

void MenuBar::Draw(CellGrid& picture, const Theme& theme, int highlighted) const {
  const Attr bar = enabled_ ? theme.menu_bar : theme.menu_bar_disabled;
  picture.Fill(Rect{0, 0, 1, picture.columns()}, bar);
  for (size_t i = 0; i < menus_.size(); ++i) {
    const bool lit = static_cast<int>(i) == highlighted;
    const std::string text = " " + menus_[i]->title() + " ";
    picture.Put(0, TitleColumn(i) - 1, text, lit ? theme.menu_highlight : bar);
  }
}

}  // namespace zur::term
