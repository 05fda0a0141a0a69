#pragma once
// New files with unique names (audit report files, write probes), and file name extensions.

#include <string>
#include <string_view>

namespace zur::compat {

// Creates a new empty file with a unique name in `dir` (trailing blanks dropped; "" is the
// current directory), never replacing an existing file. `extension` ("TXT" or ".TXT") is
// appended when given. Returns the new file's path (`dir` joined with the name), or "" when no
// file could be created.
std::string CreateUniqueFile(std::string_view dir, std::string_view extension = {});

// A unique file without extension, named with a "." at its end (the file the returned path
// names); "" when none could be made.
std::string GetTemp(std::string_view dir);
// A unique file: with an extension its plain path, without one as GetTemp.
std::string FUnique(std::string_view dir, std::string_view extension = {});

// The extension of a file name, from the last "." of its last path component, or "".
std::string FileExt(std::string_view name);

}  // namespace zur::compat
