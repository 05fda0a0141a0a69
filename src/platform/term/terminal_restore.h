#pragma once
// Gives the terminal back in a usable state when the program is ended from outside or fails:
// on SIGINT, SIGTERM, SIGHUP and SIGQUIT, on the fatal signals (SIGSEGV, SIGBUS, SIGFPE,
// SIGILL, SIGABRT) and on std::terminate the reset text is written to the terminal and its
// saved modes are set again; then the signal takes its former course (the process ends).
// While the terminal is lent to a shell, SIGINT and SIGQUIT (typed in the shell) are ignored.

#include <termios.h>
#include <string>

namespace zur::term {

// `reset` is what leaves the program's terminal modes (alternate screen, hidden cursor,
// colours, mouse reports); `saved` the terminal's modes before the program changed them.
void InstallTerminalRestore(int fd, const termios& saved, const std::string& reset);
void RemoveTerminalRestore();
// Writes the reset text and the saved modes now (a no-op when nothing is installed).
void RestoreTerminalNow();
void SetTerminalLent(bool lent);

}  // namespace zur::term
