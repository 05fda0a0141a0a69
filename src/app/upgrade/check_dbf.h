#pragma once
// CHECKDBF: puts back the plain dBASE version byte of a table that another program has
// marked (for example while it had the file open), so that it opens as an ordinary table.

#include <string_view>

namespace zur::upgrade {

// Opens `name` (".dbf" appended unless it ends in ".DBF" in any letter case; found ignoring
// letter case) for raw read-write and rewrites its first byte: below 128 -> 3 (1 with `mark`),
// 128 and above -> 131 (129 with `mark`), when it differs. A file that cannot be opened, or is
// too short to hold a table header, is left alone. Returns true when the byte was rewritten.
bool CheckDbf(std::string_view name, bool mark);

}  // namespace zur::upgrade
