#pragma once
// The CCASS report text file, read as the report readers read it: a window of up to 250
// bytes at the current offset, the line cut at the window's terminator (a form feed or a
// CR LF pair), and the offset moved past it. Each line gives exactly what a 250-byte read at
// its offset would give, but the bytes come through a large buffer, so reading a line costs
// no system call.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lib/text/line_window.h"

namespace zur::scanner {

using text::LineEndRule;

inline constexpr size_t kReportWindow = 250;
inline constexpr size_t kReportBuffer = 64 * 1024;

// The open failure shown to the operator in a message box.
struct OpenError {
  std::string title;    // "OBX"
  std::string message;  // "ERROR: CANNOT OPEN FILE " + the file name
  std::string cause;    // what the system said, for the log
};

struct ReportLine {
  std::string_view text;  // the line without its terminator; valid until the next read
  uint64_t offset = 0;    // where the line's window starts
  size_t window_len = 0;  // bytes in the window (fewer than the window size only at the end)
  size_t line_len = 0;    // 1-based position of the terminator in the window; 0 when none
  uint64_t next = 0;      // offset of the next line: offset + line_len + 1
};

class ReportLineReader {
 public:
  // Opens `path` read-only. Anything but a readable regular file (a directory, a pipe, a
  // device) is refused, so that no read can block. Null with `error` filled on failure.
  static std::unique_ptr<ReportLineReader> Open(const std::string& path, OpenError* error,
                                                size_t window = kReportWindow,
                                                size_t buffer = kReportBuffer);
  ~ReportLineReader();
  ReportLineReader(const ReportLineReader&) = delete;
  ReportLineReader& operator=(const ReportLineReader&) = delete;

  const std::string& path() const { return path_; }
  size_t window() const { return window_; }

  // Offset of the next line. Seeking past the end is allowed: the next read then ends.
  uint64_t position() const { return pos_; }
  void Seek(uint64_t offset) { pos_ = offset; }

  // Reads the line at the current offset and moves past it. The line ends at the first form
  // feed or CR LF pair of the window as `rule` says; a CR LF pair is consumed whole, a form
  // feed together with the byte after it; a window without a terminator is the whole line
  // and the next line starts one byte further on. False at the end of the file (an empty
  // window) or when the file cannot be read (then error() tells why).
  bool Next(LineEndRule rule, ReportLine& line);

  // Empty unless a read failed; then it names the file and the cause.
  const std::string& error() const { return error_; }

 private:
  ReportLineReader(int fd, std::string path, size_t window, size_t buffer);

  // Makes the window at `pos_` available in the buffer; returns its length (0 at the end).
  size_t LoadWindow();
  bool Fill();  // reads after the buffered bytes until the buffer is full or the file ends
  // Absolute offset of the first form feed / CR LF pair at or after `from` in the buffered
  // bytes, or the end of the buffered bytes when none. Remembered, so that overlapping windows
  // do not search the same bytes again.
  uint64_t NextFormFeed(uint64_t from);
  uint64_t NextCrLf(uint64_t from);

  int fd_;
  std::string path_;
  size_t window_;
  std::vector<char> buf_;
  uint64_t base_ = 0;    // file offset of buf_[0]
  size_t len_ = 0;       // bytes buffered
  bool at_end_ = false;  // the buffered bytes reach the end of the file
  uint64_t pos_ = 0;
  std::string error_;

  struct Found {
    uint64_t from = 1;  // searched from here (from > at: nothing remembered)
    uint64_t at = 0;    // to the first match or the end of the buffered bytes
  };
  Found ff_, crlf_;
};

}  // namespace zur::scanner
