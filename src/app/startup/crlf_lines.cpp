#include "app/startup/crlf_lines.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/vars/file_io.h"

namespace zur::startup {

OptionLines ReadOptionLines(const std::string& path) {
  OptionLines out;
  // A FIFO or a device in the file's place is not opened: it could block the start-up.
  std::string kind;
  const int fd = OpenRegularFile(path, O_RDONLY, 0, &kind);
  std::FILE* file = fd >= 0 ? ::fdopen(fd, "rb") : nullptr;
  if (file == nullptr) {
    out.error = path + ": cannot be opened: " + (kind.empty() ? std::strerror(errno) : kind);
    if (fd >= 0) ::close(fd);
    return out;
  }
  std::string window(kOptionLineWindow, '\0');
  for (;;) {
    const size_t n = std::fread(window.data(), 1, window.size(), file);
    if (n == 0) {
      if (std::ferror(file)) out.error = path + ": cannot be read";
      break;
    }
    const std::string_view bytes(window.data(), n);
    const size_t end = bytes.find("\r\n");
    // The window always gives up at least one byte, so the offset always moves on.
    const std::string_view line = end == std::string_view::npos ? bytes : bytes.substr(0, end);
    const size_t consumed = end == std::string_view::npos ? n : end + 2;
    out.lines.emplace_back(line);
    if (consumed < n &&
        std::fseek(file, static_cast<long>(consumed) - static_cast<long>(n), SEEK_CUR) != 0) {
      out.error = path + ": cannot be read";
      break;
    }
  }
  std::fclose(file);
  return out;
}

}  // namespace zur::startup
