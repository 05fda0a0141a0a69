#pragma once
// Removal of a table's stale index file.

#include <string_view>

namespace zur::upgrade {

inline constexpr std::string_view kIndexExtension = ".NSX";

// Deletes `name` + ".NSX" (found ignoring letter case) when it exists. Returns true when a
// file was deleted.
bool DelNsx(std::string_view name);

}  // namespace zur::upgrade
