#include "print/device/text_printer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/write_all.h"

namespace zur::print {
namespace {

// A FIFO with nobody reading it would block the open for ever: opened non-blocking, it fails
// at once instead (and the output falls back to a file). Writes block as usual afterwards.
int OpenWithoutWaiting(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) return -1;
  const int status = ::fcntl(fd, F_GETFL);
  if (status >= 0) ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
  return fd;
}

}  // namespace

TextPrinter::~TextPrinter() {
  Close();
}

bool TextPrinter::Open(std::string_view name, bool append, const PortPaths& ports) {
  Close();
  SetPosition(0, 0);  // a new target starts at the top of a page
  target_ = std::string(name);
  write_failed_ = false;
  if (IsNullName(name)) {
    path_ = "/dev/null";
  } else if (IsPortName(name)) {
    path_ = ports.PathFor(name);
    if (path_.empty()) return false;
    fd_ = OpenWithoutWaiting(path_, O_WRONLY | O_NOCTTY);
    return fd_ >= 0;
  } else {
    path_ = std::string(name);
    while (!path_.empty() && path_.back() == ' ') path_.pop_back();
    if (path_.empty()) return false;
  }
  const int mode = append ? O_APPEND : O_TRUNC;
  fd_ = OpenWithoutWaiting(path_, O_WRONLY | O_CREAT | mode);
  return fd_ >= 0;
}

bool TextPrinter::Close() {
  Flush();
  if (fd_ >= 0 && ::close(fd_) != 0) write_failed_ = true;
  fd_ = -1;
  return !write_failed_;
}

void TextPrinter::Write(std::string_view bytes) {
  if (fd_ < 0) return;
  buffer_.append(bytes);
  if (buffer_.size() >= 64 * 1024) Flush();
}

void TextPrinter::Flush() {
  if (fd_ >= 0 && !files::WriteAll(fd_, buffer_)) write_failed_ = true;
  buffer_.clear();
}

}  // namespace zur::print
