#pragma once
// Settings are compared with codes as xBase compares texts without exactness: the setting
// matches when it begins with the code, so the trailing blanks of a padded field do not
// matter and a site code also matches every longer site code that begins with it.

#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::startup {

inline bool SettingIs(std::string_view setting, std::string_view code) {
  return setting.starts_with(code);
}

// The text of a character variable; "" when it is undefined or of another type.
inline std::string_view TextOf(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v != nullptr ? v->StrOr() : std::string_view{};
}

}  // namespace zur::startup
