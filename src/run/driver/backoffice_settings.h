#pragma once
// The back office's saved settings ("SB.XBS"): added to the run's memory variables, with the
// company name and the passwords turned back from the back office's scrambled form.

#include <string>
#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::driver {

// The back office's scrambling of a text: every character up to the last non-blank is turned
// over (blank and code 160 stay; codes up to 127 gain 128, higher codes lose 128); trailing
// blanks stay. Applying it twice gives the text back.
std::string Encode(std::string_view text);

// Turns CO_NAME, MGN_NAME and PSWD_1..PSWD_4 over in place (those that are texts).
void TurnOverBackOfficeTexts(VarStore& vars);

// Loads `path` into the memory variables (same names overwritten) keeping the program's own
// printer and colour state, unscrambles the texts when the company name is held scrambled,
// puts MSG_EXT and STKNO_LEN back. Returns the error (naming the file) or "".
std::string LoadBackOfficeSettings(const std::string& path, VarStore& vars);

}  // namespace zur::driver
