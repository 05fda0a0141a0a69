#pragma once
// What the printer dialogs work on: the screen, the memory variables that hold the printer
// state, and the database directory (the saved variables "ZUR.XBS", the audit folder of a
// port that is not ready, and the folder relative printer files and PDF folders start from).

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::print {

struct PrinterDialogs {
  term::Screen& screen;
  VarStore& vars;
  std::filesystem::path data_dir;
};

// Said when the folder of a printer file or of the PDF printer cannot be made.
inline constexpr std::string_view kInvalidDirectory =
    "ERROR: Invalid directory name ! cannot proceed !";

// A memory variable's text, trailing blanks dropped; "" when it is not a text.
std::string VarText(const VarStore& vars, std::string_view name);

// Saves every memory variable (but SAVE_MSG, which only says a save is due) to "ZUR.XBS" of
// the database directory. Empty on success, else the message to show.
std::string SaveVariables(const PrinterDialogs& dialogs);

// A file or folder name as typed (either separator), relative to the database directory.
std::filesystem::path InDataDir(const PrinterDialogs& dialogs, std::string_view name);

// PTRWITHCHK: printer output pointed at the port `port` to see that it is ready; one that is
// not is replaced by a new file in the audit folder, PRINT_NAME names what output went to, and
// the operator is told.
void CheckPort(const PrinterDialogs& dialogs, const std::string& port);

// The printer field of the headers drawn now, when SHOW_PRT allows it, after a change of the
// printer state.
void ShowPrinterChange(const PrinterDialogs& dialogs);

}  // namespace zur::print
