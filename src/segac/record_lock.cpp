#include "segac/record_lock.h"

#include "segac/prompts.h"

namespace zur::segac {

bool RecLock(term::Screen& screen, VarStore& vars, dbf::Table& table) {
  term::Console& console = screen.console();
  vars.Set("OK", false);
  bool held = false;
  bool shown = false;
  while (!(held = table.LockCurrent())) {
    shown = true;
    console.ClearRows(22, 23);
    console.Say(22, 0, kRecordInUse);
    console.Bell();
    if (AskLetter(screen, vars, 23, kRetryPrompt, 'R') != "R") break;
  }
  if (shown) console.ClearRows(22, 23);
  vars.Set("OK", held);
  return held;
}

void RelELock(dbf::Table& table) {
  struct Release {
    dbf::Table& table;
    ~Release() { table.UnlockAll(); }
  } release{table};
  table.Flush();
}

}  // namespace zur::segac
