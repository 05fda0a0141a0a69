#include "lib/compat/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/vars/file_io.h"

namespace zur::compat {
namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int Close() {
    int rc = fd_ >= 0 ? ::close(fd_) : 0;
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

std::string Why(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const char* p, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

}  // namespace

bool CopyFileAtomic(const std::string& source, const std::string& target, std::string& error) {
  std::string kind;  // a FIFO or a device is not even opened
  Fd in(OpenRegularFile(source, O_RDONLY, 0, &kind));
  if (!kind.empty()) {
    error = "Cannot copy " + source + ": not a regular file (" + kind + ")";
    return false;
  }
  if (in.get() < 0) {
    error = Why("Cannot open", source);
    return false;
  }
  struct stat st;
  if (::fstat(in.get(), &st) != 0) {
    error = Why("Cannot read", source);
    return false;
  }
  std::string temp = target + ".tmpXXXXXX";
  Fd out(::mkostemp(temp.data(), O_CLOEXEC));
  if (out.get() < 0) {
    error = Why("Cannot create a file beside", target);
    return false;
  }
  char buf[65536];
  for (;;) {
    ssize_t got = ::read(in.get(), buf, sizeof buf);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = Why("Cannot read", source);
      ::unlink(temp.c_str());
      return false;
    }
    if (got == 0) break;
    if (!WriteAll(out.get(), buf, static_cast<size_t>(got))) {
      error = Why("Cannot write", temp);
      ::unlink(temp.c_str());
      return false;
    }
  }
  ::fchmod(out.get(), st.st_mode & 0777);
  if (::fsync(out.get()) != 0 || out.Close() != 0 || ::rename(temp.c_str(), target.c_str()) != 0) {
    error = Why("Cannot replace", target);
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace zur::compat
