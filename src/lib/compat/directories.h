#pragma once
// The current directory and directory tests. Directory names come from padded screen fields
// and settings, so trailing blanks are dropped, as the platform the names were written for did.

#include <string>
#include <string_view>

namespace zur::compat {

// The current directory as an absolute path; "" when it cannot be read.
std::string CurPath();
// Changes the current directory; true on success.
bool ChangeDir(std::string_view dir);
// Creates the directory; true on success.
bool MakeDir(std::string_view dir);
// True when `dir` (trimmed, one trailing separator removed) is a directory that could be made
// the current one. The current directory is never changed.
bool DirExists(std::string_view dir);

}  // namespace zur::compat
