#include "app/mainwindow/menu_bar_builder.h"

#include "app/menu/menu_press.h"

namespace zur::mainwindow {

void MenuBarBuilder::Build(std::vector<xml::MenuFeature> features, const FlagTest& allowed) {
  term::MenuBar& bar = screen_.menu_bar();
  if (!bar.empty()) return;
  features_ = std::move(features);
  for (const xml::MenuFeature& feature : features_) {
    term::Menu* menu = bar.AddMenu(feature.title);
    AddEntries(*menu, feature.items, allowed);
  }
}

// The entries of a menu point at the definition they were built from, which stays in
// `features_` for the life of the bar; the entry's number (from 1, separators counted) is its
// position there.
void MenuBarBuilder::AddEntries(term::Menu& menu, const std::vector<xml::MenuEntry>& entries,
                                const FlagTest& allowed) {
  for (const xml::MenuEntry& entry : entries) {
    const bool enabled = !entry.HasCondition() || allowed(entry.flag);
    if (entry.IsSeparator()) {
      menu.AddSeparator();
    } else if (entry.IsSubmenu()) {
      AddEntries(*menu.AddSubmenu(entry.caption, enabled), entry.items, allowed);
    } else {
      menu.AddItem(entry.caption, enabled);
    }
  }
  const std::vector<xml::MenuEntry>* source = &entries;
  menu.on_select = [this, source](int number, term::Menu&) {
    if (number >= 1 && static_cast<size_t>(number) <= source->size())
      Do((*source)[static_cast<size_t>(number - 1)]);
  };
}

void MenuBarBuilder::Do(const xml::MenuEntry& entry) {
  if (!entry.press.empty()) screen_.keyboard().Fill(menu::PressKeys(entry.press));
  const xml::RoutineCall call = xml::RoutineOf(entry.program);
  if (call.name.empty()) return;
  if (!routines_.Call(call.name, call.argument)) unknown_(call.name);
}

}  // namespace zur::mainwindow
