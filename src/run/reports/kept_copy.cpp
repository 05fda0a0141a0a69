#include "run/reports/kept_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files/write_all.h"

namespace zur::reports {
namespace {

constexpr size_t kBufferBytes = 64 * 1024;

}  // namespace

KeptCopy::~KeptCopy() {
  Abandon();
}

void KeptCopy::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

void KeptCopy::Fail(const char* what, int code) {
  if (error_.empty())
    error_ =
        path_.string() + ": " + what + (code != 0 ? std::string(": ") + std::strerror(code) : "");
  Abandon();
}

void KeptCopy::Start(const std::filesystem::path& path) {
  Abandon();
  path_ = path;
  error_.clear();
  buffer_.clear();
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  temp_ = path.string() + ".tmp-" + std::to_string(::getpid());
  fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd_ < 0) {
    const int code = errno;
    temp_.clear();
    Fail("cannot create file", code);
  }
}

void KeptCopy::Append(std::string_view bytes) {
  if (fd_ < 0) return;
  buffer_.append(bytes);
  if (buffer_.size() >= kBufferBytes) Flush();
}

void KeptCopy::Flush() {
  if (fd_ >= 0 && !files::WriteAll(fd_, buffer_)) Fail("cannot write file", errno);
  buffer_.clear();
}

std::string KeptCopy::Finish() {
  Flush();
  if (fd_ >= 0 && ::fsync(fd_) != 0) Fail("cannot flush file", errno);
  if (fd_ >= 0 && ::close(fd_) != 0) {
    fd_ = -1;
    Fail("cannot write file", errno);
  }
  fd_ = -1;
  if (error_.empty() && ::rename(temp_.c_str(), path_.c_str()) != 0)
    Fail("cannot replace file", errno);
  if (error_.empty()) temp_.clear();
  Abandon();
  std::string error = std::move(error_);
  path_.clear();
  return error;
}

}  // namespace zur::reports
