#pragma once
// FATICODEVALID: the check of a CCASS stock account typed on the system setup screen. The
// account may not be "01" or "00" in the account format in force (eight digits once the
// CCASS/3 accounts apply, else two characters) and holds only digits and blanks; an account of
// blanks only passes. A refused account is named in a message box titled "ZUR".

#include <string>
#include <string_view>

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"

namespace zur::screens {

// The message for a refused account; empty when it passes.
std::string AccountProblem(std::string_view typed, bool eight_digit_accounts);

// The check with its message box; true when the account passes.
bool AccountValid(term::Screen& screen, const VarStore& vars, std::string_view typed);

}  // namespace zur::screens
