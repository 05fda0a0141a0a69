#pragma once
// The button menu of the main window on the text grid: the header with the status line, a
// column of push buttons, and the choice of one of them by its key, Enter or a click.

#include <string>
#include <vector>

#include "app/menu/button_menu.h"
#include "platform/term/screen.h"
#include "platform/vars/var_store.h"
#include "screens/screen_header.h"

namespace zur::mainwindow {

// Shows the menu defined by `lines` and returns the chosen key (one character), or the empty
// text for Esc (when the menu allows it). The button whose key is `default_choice` (else the
// one at that position) has the focus first. An empty definition says "no Menu define !!! "
// in a message box. MSG becomes the menu's name; the header is left drawn for the caller to
// remove.
std::string RunButtonMenu(term::Screen& screen, VarStore& vars, screens::ScreenHeader& header,
                          const std::vector<std::string>& lines, int default_choice = 1);

}  // namespace zur::mainwindow
