#pragma once
// Named flags: a flag is a logical memory variable named by a text. Setting or clearing one
// sets SAVE_MSG so that the saved memory variables file is written again with the flag in it.

#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::compat {

// True when a variable of that (trimmed) name exists, is logical and is true.
bool IsFlagSet(const VarStore& vars, std::string_view name);
// Makes the flag a true logical variable when it is not set; SAVE_MSG := true.
void SetFlag(VarStore& vars, std::string_view name);
// Makes a set flag false; SAVE_MSG := true. Nothing when it is not set.
void ClearFlag(VarStore& vars, std::string_view name);

}  // namespace zur::compat
