#pragma once
// The printer dialogs and the developer console of the program on screen, as the main window
// opens them from its menus and hot keys.

#include <filesystem>

#include "app/mainwindow/main_window.h"

namespace zur::mainwindow {

// Fills printer_selection (SELPTRW), windows_printer (SELEWINPRINTER), printer_name
// (SETPRINTW) and developer_console (DOT; its QUIT ends the program with ProgramEnd). What is
// given must outlive the screens.
void AddToolScreens(MainWindowScreens& screens, term::Screen& screen, VarStore& vars,
                    dbf::WorkAreas& areas, const expr::FunctionTable& functions,
                    const std::filesystem::path& data_dir);

}  // namespace zur::mainwindow
