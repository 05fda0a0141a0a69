#include "lib/text/text_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "lib/text/line_window.h"

namespace zur::text {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

TextLines ReadTextLines(const std::string& path) {
  TextLines out;
  // The type is tested first, so that a device is not even opened; non-blocking, so that a
  // pipe put in its place meanwhile cannot hang the program.
  struct stat before;
  if (::stat(path.c_str(), &before) == 0 && !S_ISREG(before.st_mode)) {
    out.error = "Cannot read " + path + ": not a regular file";
    return out;
  }
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    out.error = "Cannot open " + path + ": " + std::strerror(errno);
    return out;
  }
  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    out.error = "Cannot read " + path + ": not a regular file";
    return out;
  }
  char window[kTextLineWindow];
  off_t offset = 0;
  for (;;) {
    ssize_t got = ::pread(fd.get(), window, sizeof window, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      out.error = "Cannot read " + path + ": " + std::strerror(errno);
      return out;
    }
    if (got == 0) break;
    std::string_view view(window, static_cast<size_t>(got));
    size_t end = LineEndPos(view);
    if (end == 0) {
      out.lines.emplace_back(view);
      offset += got;
    } else {
      out.lines.emplace_back(view.substr(0, end - 1));
      offset += static_cast<off_t>(end + 1);
    }
  }
  return out;
}

}  // namespace zur::text
