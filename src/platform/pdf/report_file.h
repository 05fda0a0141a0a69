#pragma once
// A report text file read line by line as the printer reads it (NextLine), through a buffer of
// a fixed size: the report is never held whole.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zur::pdf {

class ReportFile {
 public:
  // Opens `path`; error() says why when it cannot be read.
  explicit ReportFile(const std::filesystem::path& path);
  ~ReportFile();
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  const std::string& error() const { return error_; }
  uint64_t size() const { return size_; }

  // Reads the next line; `last` tells whether it ends the report. The line stays valid until
  // the next call. False at the end, or when a read fails (error() then says why).
  bool Next(std::string_view& line, bool& last);
  // Back to the first line.
  void Rewind();

 private:
  bool Fill();  // more of the file after what is buffered; false on a read error

  std::filesystem::path path_;
  int fd_ = -1;
  uint64_t size_ = 0;
  uint64_t read_ = 0;  // bytes of the file read into the buffer so far
  std::vector<char> buffer_;
  size_t start_ = 0;  // the unread text is buffer_[start_, end_)
  size_t end_ = 0;
  std::string error_;
};

}  // namespace zur::pdf
