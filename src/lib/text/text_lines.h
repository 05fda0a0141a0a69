#pragma once
// Reading a whole text file into its lines (the stock code mapping file and the like).

#include <string>
#include <vector>

namespace zur::text {

struct TextLines {
  std::vector<std::string> lines;
  std::string error;  // empty on success; otherwise names the file and the cause
  bool ok() const { return error.empty(); }
};

// The file's lines. The file is read in windows of up to 1024 bytes at a running offset; a
// line ends at the earlier of the first form feed or CR LF pair in its window (a CR LF pair
// is consumed whole, a form feed with the byte after it); a window without a terminator is
// one line of its own and the next window follows it directly. A file that cannot be opened
// or read gives the lines read so far and an error.
TextLines ReadTextLines(const std::string& path);

inline constexpr size_t kTextLineWindow = 1024;

}  // namespace zur::text
