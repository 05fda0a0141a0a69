#pragma once
// The line read done the plain way: one 250-byte read at each line's offset. The buffered
// reader must give exactly the same lines.

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "lib/text/line_window.h"
#include "run/scanner/report_line_reader.h"

namespace zur::scanner::testing {

struct PlainLine {
  std::string text;
  uint64_t offset = 0;
  size_t window_len = 0;
  size_t line_len = 0;
  uint64_t next = 0;
  friend bool operator==(const PlainLine&, const PlainLine&) = default;
};

inline PlainLine ToPlain(const ReportLine& line) {
  return PlainLine{std::string(line.text), line.offset, line.window_len, line.line_len, line.next};
}

class ReferenceLineReader {
 public:
  explicit ReferenceLineReader(const std::string& path, size_t window = kReportWindow)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), window_(window) {}
  ~ReferenceLineReader() {
    if (fd_ >= 0) ::close(fd_);
  }
  ReferenceLineReader(const ReferenceLineReader&) = delete;
  ReferenceLineReader& operator=(const ReferenceLineReader&) = delete;

  void Seek(uint64_t offset) { pos_ = offset; }

  bool Next(LineEndRule rule, PlainLine& line) {
    std::string window(window_, ' ');
    ssize_t got = ::pread(fd_, window.data(), window_, static_cast<off_t>(pos_));
    if (got <= 0) return false;
    window.resize(static_cast<size_t>(got));
    size_t len = text::LineEndPos(window, rule);
    line.text = len == 0 ? window : window.substr(0, len - 1);
    line.offset = pos_;
    line.window_len = window.size();
    line.line_len = len;
    line.next = pos_ + len + 1;
    pos_ = line.next;
    return true;
  }

  // Every line from the current offset to the end, at most `limit`.
  std::vector<PlainLine> All(LineEndRule rule, size_t limit = SIZE_MAX) {
    std::vector<PlainLine> lines;
    PlainLine line;
    while (lines.size() < limit && Next(rule, line)) lines.push_back(line);
    return lines;
  }

 private:
  int fd_;
  size_t window_;
  uint64_t pos_ = 0;
};

inline std::vector<PlainLine> AllLines(ReportLineReader& reader, LineEndRule rule,
                                       size_t limit = SIZE_MAX) {
  std::vector<PlainLine> lines;
  ReportLine line;
  while (lines.size() < limit && reader.Next(rule, line)) lines.push_back(ToPlain(line));
  return lines;
}

}  // namespace zur::scanner::testing
