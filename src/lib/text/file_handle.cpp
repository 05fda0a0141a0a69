#include "lib/text/file_handle.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace zur::text {
namespace {

// read(2) until `n` bytes arrived, end of file or an error; returns the bytes read.
int64_t ReadFully(int fd, char* buf, int64_t n) {
  int64_t got = 0;
  while (got < n) {
    ssize_t r = ::read(fd, buf + got, static_cast<size_t>(n - got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += r;
  }
  return got;
}

}  // namespace

int64_t FilePos(int fd) {
  return static_cast<int64_t>(::lseek(fd, 0, SEEK_CUR));
}

int64_t FileSize(int fd) {
  off_t here = ::lseek(fd, 0, SEEK_CUR);
  if (here < 0) return -1;
  off_t end = ::lseek(fd, 0, SEEK_END);
  ::lseek(fd, here, SEEK_SET);
  return static_cast<int64_t>(end);
}

bool FileEof(int fd) {
  return FilePos(fd) == FileSize(fd);
}

std::string FReadLn(int fd, int64_t lines, int64_t line_length, std::string_view delim) {
  std::string result;
  int64_t cur_pos = FilePos(fd);
  int64_t file_size = FileSize(fd);
  if (cur_pos < 0 || file_size < 0 || line_length <= 0) return result;
  int64_t to_read = std::min(line_length, file_size - cur_pos);
  if (to_read < 0) to_read = 0;
  std::vector<char> buffer;
  for (int64_t counter = 1; counter <= lines && to_read != 0; ++counter) {
    buffer.resize(static_cast<size_t>(to_read));
    int64_t got = ReadFully(fd, buffer.data(), to_read);
    // Nothing more can arrive (the file shrank, or a read error): stop rather than spin.
    if (got <= 0) break;
    if (got < to_read) to_read = 0;
    std::string_view window(buffer.data(), static_cast<size_t>(got));
    size_t eol = delim.empty() ? std::string_view::npos : window.find(delim);
    if (eol == std::string_view::npos) {
      result.append(window);
      cur_pos += got;
    } else {
      size_t take = eol + delim.size();
      result.append(window.substr(0, take));
      cur_pos += static_cast<int64_t>(take);
      ::lseek(fd, cur_pos, SEEK_SET);
    }
    if (file_size - cur_pos < line_length) to_read = std::max<int64_t>(file_size - cur_pos, 0);
  }
  return result;
}

}  // namespace zur::text
