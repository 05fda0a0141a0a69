#pragma once
// The menu bar of the main window, built once from the menus of "pmenu.dat": separators,
// submenus two levels deep, entries disabled when their flag expression is false. Choosing an
// entry types its press text into the keyboard buffer and calls the routine its program text
// names.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/mainwindow/routine_table.h"
#include "platform/term/screen.h"
#include "xml/menu_definition.h"

namespace zur::mainwindow {

// Whether a flag expression allows its entry (false also when it cannot be evaluated).
using FlagTest = std::function<bool(std::string_view flag)>;
// Tells the operator that a program text names no routine of the program.
using UnknownRoutine = std::function<void(std::string_view name)>;

class MenuBarBuilder {
 public:
  MenuBarBuilder(term::Screen& screen, const RoutineTable& routines, UnknownRoutine unknown)
      : screen_(screen), routines_(routines), unknown_(std::move(unknown)) {}

  // Builds the bar from `features` (kept for the selections) unless it has menus already.
  void Build(std::vector<xml::MenuFeature> features, const FlagTest& allowed);

  // MENUDOING: the press text's keys into the keyboard buffer, then the program's routine.
  void Do(const xml::MenuEntry& entry);

 private:
  void AddEntries(term::Menu& menu, const std::vector<xml::MenuEntry>& entries,
                  const FlagTest& allowed);

  term::Screen& screen_;
  const RoutineTable& routines_;
  UnknownRoutine unknown_;
  std::vector<xml::MenuFeature> features_;
};

}  // namespace zur::mainwindow
