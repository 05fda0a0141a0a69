#include "platform/pdf/report_file.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/pdf/page_layout.h"

namespace zur::pdf {
namespace {

constexpr size_t kBufferBytes = 256 * 1024;

}  // namespace

ReportFile::ReportFile(const std::filesystem::path& path) : path_(path), buffer_(kBufferBytes) {
  auto fail = [&](const char* why) {
    error_ = fmt::format("cannot read report {}: {}", path.string(), why);
  };
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
    fail(std::strerror(errno));
  } else if (!S_ISREG(st.st_mode)) {
    fail("not a file");
  } else {
    size_ = static_cast<uint64_t>(st.st_size);
  }
}

ReportFile::~ReportFile() {
  if (fd_ >= 0) ::close(fd_);
}

void ReportFile::Rewind() {
  read_ = 0;
  start_ = end_ = 0;
}

bool ReportFile::Fill() {
  if (start_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
    end_ -= start_;
    start_ = 0;
  }
  while (end_ < buffer_.size() && read_ < size_) {
    const ssize_t n =
        ::pread(fd_, buffer_.data() + end_, buffer_.size() - end_, static_cast<off_t>(read_));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = fmt::format("cannot read report {}: {}", path_.string(),
                           n < 0 ? std::strerror(errno) : "it is shorter than it was");
      return false;
    }
    end_ += static_cast<size_t>(n);
    read_ += static_cast<uint64_t>(n);
  }
  return true;
}

bool ReportFile::Next(std::string_view& line, bool& last) {
  if (!error_.empty()) return false;
  size_t used = 0;
  for (;;) {
    const bool at_end = read_ >= size_;
    const std::string_view rest(buffer_.data() + start_, end_ - start_);
    if (NextLine(rest, at_end, line, used)) break;
    if (at_end || !Fill()) return false;
  }
  start_ += used;
  last = start_ == end_ && read_ >= size_;
  return true;
}

}  // namespace zur::pdf
