#pragma once
// F1: the help page of the screen on show, opened in the desktop's browser (xdg-open) without
// waiting for it. Without a page, or without a browser, nothing happens.

#include <filesystem>
#include <string>

#include "platform/vars/var_store.h"

namespace zur::mainwindow {

// The page for MSG and MAIN in `dir`/ATIHELP, when there is one.
std::filesystem::path HelpPageFor(const VarStore& vars, const std::filesystem::path& dir);

// Opens that page; `opener` is the program that shows it.
void ShowHelp(const VarStore& vars, const std::filesystem::path& dir,
              const std::string& opener = "xdg-open");

}  // namespace zur::mainwindow
