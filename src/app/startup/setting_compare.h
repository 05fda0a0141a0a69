#pragma once
// Reading settings from the variables and comparing them with codes.

#include <string_view>

#include "lib/text/setting_match.h"
#include "platform/vars/var_store.h"

namespace zur::startup {

using text::SettingIs;

// The text of a character variable; "" when it is undefined or of another type.
inline std::string_view TextOf(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v != nullptr ? v->StrOr() : std::string_view{};
}

}  // namespace zur::startup
