#pragma once
// The small option files of the working directory ("ati.conf", "ZUR.INI") are read in windows
// of up to 2048 bytes at a running offset: the line is the text before the first CR LF of the
// window (the whole window when it holds none) and the offset moves past it and its CR LF.

#include <string>
#include <vector>

namespace zur::startup {

inline constexpr size_t kOptionLineWindow = 2048;

struct OptionLines {
  std::vector<std::string> lines;  // as read, not trimmed
  std::string error;               // names the file; empty when the whole file was read
  bool ok() const { return error.empty(); }
};

// The lines of the file at `path`. A file that cannot be opened or read gives an error.
OptionLines ReadOptionLines(const std::string& path);

}  // namespace zur::startup
