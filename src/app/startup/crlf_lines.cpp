#include "app/startup/crlf_lines.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace zur::startup {

OptionLines ReadOptionLines(const std::string& path) {
  OptionLines out;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    out.error = path + ": cannot be opened: " + std::strerror(errno);
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
