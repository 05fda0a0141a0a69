#pragma once
// Working the menu bar from the keyboard and the mouse: the pull-down of one title opens,
// Up and Down move over the entries that can be chosen, Right and Enter open a submenu, Left
// and Esc close one, Left and Right on a pull-down go to the neighbouring title, a letter
// chooses the entry whose caption begins with it, Enter chooses, F10 closes everything.

#include <optional>

#include "platform/term/widget.h"

namespace zur::term {

class Screen;

// Runs the bar from title `start_menu` with its pull-down open; the chosen entry as a
// kMenuSelected event, or nothing when the operator closed the menus.
std::optional<Event> RunMenuBar(Screen& screen, int start_menu);

}  // namespace zur::term
