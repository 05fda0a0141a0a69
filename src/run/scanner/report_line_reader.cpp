#include "run/scanner/report_line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/vars/file_io.h"

namespace zur::scanner {
namespace {

// Offsets beyond this cannot be read (the system takes a signed 64-bit offset); a line there
// is past any end of file.
constexpr uint64_t kLastReadable = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) / 2;

OpenError MakeOpenError(const std::string& path, std::string cause) {
  return OpenError{"OBX", "ERROR: CANNOT OPEN FILE " + path, std::move(cause)};
}

}  // namespace

std::unique_ptr<ReportLineReader> ReportLineReader::Open(const std::string& path, OpenError* error,
                                                         size_t window, size_t buffer) {
  // A pipe or a device given by mistake is not even opened, so nothing can wait for a writer.
  std::string kind;
  int fd = OpenRegularFile(path, O_RDONLY, 0, &kind);
  if (fd < 0) {
    if (error)
      *error = MakeOpenError(
          path, kind.empty() ? std::strerror(errno) : "not a regular file (" + kind + ")");
    return nullptr;
  }
  window = std::max<size_t>(window, 1);
  buffer = std::max(buffer, window);
  return std::unique_ptr<ReportLineReader>(new ReportLineReader(fd, path, window, buffer));
}

ReportLineReader::ReportLineReader(int fd, std::string path, size_t window, size_t buffer)
    : fd_(fd), path_(std::move(path)), window_(window), buf_(buffer) {}

ReportLineReader::~ReportLineReader() {
  ::close(fd_);
}

bool ReportLineReader::Fill() {
  while (len_ < buf_.size()) {
    ssize_t got =
        ::pread(fd_, buf_.data() + len_, buf_.size() - len_, static_cast<off_t>(base_ + len_));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error_ = "ERROR: CANNOT READ FILE " + path_ + ": " + std::strerror(errno);
      return false;
    }
    if (got == 0) {
      at_end_ = true;
      break;
    }
    len_ += static_cast<size_t>(got);
  }
  return true;
}

size_t ReportLineReader::LoadWindow() {
  if (pos_ > kLastReadable) return 0;
  uint64_t end = base_ + len_;
  if (pos_ >= base_ && pos_ <= end && (end - pos_ >= window_ || at_end_))
    return static_cast<size_t>(std::min<uint64_t>(window_, end - pos_));
  // Keep the bytes from the window's start that are already here, read the rest after them.
  if (pos_ >= base_ && pos_ <= end) {
    size_t keep = static_cast<size_t>(end - pos_);
    std::memmove(buf_.data(), buf_.data() + (pos_ - base_), keep);
    len_ = keep;
  } else {
    len_ = 0;
  }
  base_ = pos_;
  at_end_ = false;
  ff_ = crlf_ = Found{};
  if (!Fill()) return 0;
  return std::min(window_, len_);
}

uint64_t ReportLineReader::NextFormFeed(uint64_t from) {
  if (ff_.from <= from && from <= ff_.at) return ff_.at;
  const char* start = buf_.data() + (from - base_);
  const char* hit = static_cast<const char*>(std::memchr(start, '\f', base_ + len_ - from));
  ff_ = Found{from, hit ? from + static_cast<uint64_t>(hit - start) : base_ + len_};
  return ff_.at;
}

uint64_t ReportLineReader::NextCrLf(uint64_t from) {
  if (crlf_.from <= from && from <= crlf_.at) return crlf_.at;
  const char* data = buf_.data();
  size_t i = static_cast<size_t>(from - base_);
  size_t found = len_;
  while (i + 1 < len_) {
    const char* cr = static_cast<const char*>(std::memchr(data + i, '\r', len_ - 1 - i));
    if (!cr) break;
    i = static_cast<size_t>(cr - data);
    if (data[i + 1] == '\n') {
      found = i;
      break;
    }
    ++i;
  }
  crlf_ = Found{from, base_ + found};
  return crlf_.at;
}

bool ReportLineReader::Next(LineEndRule rule, ReportLine& line) {
  if (!error_.empty()) return false;
  size_t wlen = LoadWindow();
  if (wlen == 0) return false;
  const uint64_t wend = pos_ + wlen;
  uint64_t ff = NextFormFeed(pos_);
  bool has_ff = ff < wend;
  uint64_t end = wend;  // the terminator's offset; wend when the window holds none
  if (has_ff) end = ff;
  if (!has_ff || rule == LineEndRule::kEarliest) {
    uint64_t crlf = NextCrLf(pos_);
    if (crlf + 2 <= wend && crlf < end) end = crlf;
  }
  line.offset = pos_;
  line.window_len = wlen;
  line.line_len = end < wend ? static_cast<size_t>(end - pos_) + 1 : 0;
  line.text =
      std::string_view(buf_.data() + (pos_ - base_), line.line_len ? line.line_len - 1 : wlen);
  line.next = pos_ + line.line_len + 1;
  pos_ = line.next;
  return true;
}

}  // namespace zur::scanner
