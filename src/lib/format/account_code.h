#pragma once
// CCASS stock account codes and the switch of the 8-digit account format.

#include <string>
#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::format {

// The 8-digit account format is in force: CAS3_0705 is a non-blank date on or before GEN_DATE.
bool Ccass0705(const VarStore& vars);
// The same with CAS3_0705 strictly before GEN_DATE.
bool Ccass0705R(const VarStore& vars);

// Account code as the run compares and uploads it: in the 8-digit format the trimmed text
// padded on the left with "0" to 8 (a longer code is kept whole); otherwise the trimmed text
// padded or cut on the right to 2 characters.
std::string FmtAcNum(std::string_view account, bool eight_digit_format);

}  // namespace zur::format
