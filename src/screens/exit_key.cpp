#include "screens/exit_key.h"

#include "platform/term/inkey_codes.h"

namespace zur::screens {

bool ExitKey(const term::Screen& screen, VarStore& vars) {
  const int key = screen.last_key();
  vars.Set("M_LASTKEY", key);
  return key == term::inkey::kEsc || key == term::inkey::kUp || key == term::inkey::kPgUp;
}

}  // namespace zur::screens
