#pragma once
// Writing a whole buffer to a file handle.

#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace zur::files {

// Writes all of `bytes` to `fd`, going on after short writes and interruptions. False when a
// write fails, with errno telling why (0 when the system took nothing).
inline bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = 0;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace zur::files
