#pragma once
// Settings are compared with codes as xBase compares texts without exactness: the setting
// matches when it begins with the code, so the trailing blanks of a padded field do not
// matter and a site code also matches every longer site code that begins with it. Every
// test of a site code, a market variant or a printer type goes through here.

#include <initializer_list>
#include <string_view>

namespace zur::text {

inline bool SettingIs(std::string_view setting, std::string_view code) {
  return setting.starts_with(code);
}

inline bool SettingIn(std::string_view setting, std::initializer_list<std::string_view> codes) {
  for (std::string_view code : codes) {
    if (SettingIs(setting, code)) return true;
  }
  return false;
}

}  // namespace zur::text
