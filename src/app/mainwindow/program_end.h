#pragma once
// Ending the program from wherever the operator asks for it (the Exit entry of the menu bar,
// a changed screen density): thrown, and caught where the program closes its tables.

#include <string>

namespace zur::mainwindow {

struct ProgramEnd {
  int status = 0;
};

}  // namespace zur::mainwindow
