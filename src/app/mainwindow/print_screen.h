#pragma once
// The print-screen keys (Alt+L, Alt+O, Shift+F7): the characters of the grid, rows 0 to 24,
// each trimmed on the right, to the current printer; with Windows printing through a report
// file in the audit folder that is printed (as a PDF when PRINT_PDF is set) and deleted.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::mainwindow {

// The grid's 25 rows as text (Big5 bytes as the data holds them), trimmed on the right.
std::vector<std::string> ScreenRows(const term::Screen& screen);

// Prints `rows`; `working_dir` holds the audit and PDF folders. Empty on success, else what
// went wrong (the caller shows it).
std::string PrintScreenRows(const std::vector<std::string>& rows, VarStore& vars,
                            const std::filesystem::path& working_dir);

// PRTSC on the screen shown now.
void PrintScreen(term::Screen& screen, VarStore& vars, const std::filesystem::path& working_dir);

}  // namespace zur::mainwindow
