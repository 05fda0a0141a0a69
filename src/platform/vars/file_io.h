#pragma once
// Whole-file reading with a size limit, and atomic replacement of a file.

#include <cstddef>
#include <functional>
#include <string>

namespace zur {

struct FileBytes {
  std::string bytes;
  int errorCode = 0;  // errno of the failure, 0 on success
  std::string error;  // "<file>: <reason>", empty on success
  bool ok() const { return error.empty(); }
};

// Reads a regular file of at most maxBytes bytes.
FileBytes ReadFileBytes(const std::string& path, size_t maxBytes);

// Replaces `path` with `bytes`: writes "<path>.tmp-<pid>-<n>" beside it, flushes it to disk and
// renames it over the old file, so that a reader sees the old or the new file, never a part.
// `beforeRename`, when given, runs once the new file is complete; returning false abandons the
// write as if the writer had died there (the old file stays, the new one is removed).
// Returns "" on success, else "<file>: <reason>".
std::string WriteFileAtomically(const std::string& path, const std::string& bytes,
                                const std::function<bool()>& beforeRename = {});

}  // namespace zur
