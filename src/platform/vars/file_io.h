#pragma once
// Whole-file reading with a size limit, and atomic replacement of a file.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>

namespace zur {

// What a file that is not a regular file is, in words, from its st_mode: "a directory",
// "a FIFO", "a character device", "a block device", "a socket", else "not a regular file".
std::string FileKindText(mode_t mode);

// Opens a file by its name only when it is a regular file, without ever waiting: the type is
// tested before the open, so that a device or a FIFO is not opened at all, and again on the
// descriptor, which is opened non-blocking in case a FIFO took the name in between (the flag
// is cleared afterwards). `flags` as for open(2), O_CLOEXEC added; with O_CREAT a missing file
// is created with `mode`. Returns the descriptor, or -1 with errno set; a file that is not a
// regular one gives EISDIR (a directory) or EINVAL, and `kind`, when given, says what it is.
int OpenRegularFile(const std::string& path, int flags, mode_t mode = 0666,
                    std::string* kind = nullptr);

struct FileBytes {
  std::string bytes;
  int errorCode = 0;  // errno of the failure, 0 on success
  std::string error;  // "<file>: <reason>", empty on success
  bool ok() const { return error.empty(); }
};

// Reads a regular file of at most maxBytes bytes (anything else is refused unopened, see
// OpenRegularFile).
FileBytes ReadFileBytes(const std::string& path, size_t maxBytes);

// Replaces `path` with `bytes`: writes "<path>.tmp-<pid>-<n>" beside it, flushes it to disk and
// renames it over the old file, so that a reader sees the old or the new file, never a part.
// `beforeRename`, when given, runs once the new file is complete; returning false abandons the
// write as if the writer had died there (the old file stays, the new one is removed).
// Returns "" on success, else "<file>: <reason>".
std::string WriteFileAtomically(const std::string& path, const std::string& bytes,
                                const std::function<bool()>& beforeRename = {});

}  // namespace zur
