#pragma once
// A scratch file with given contents, removed at the end of the test.

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace zur::text::testing {

class TempFile {
 public:
  explicit TempFile(std::string_view contents) {
    char name[] = "/tmp/zur_text_XXXXXX";
    int fd = ::mkstemp(name);
    if (fd < 0) std::abort();
    path_ = name;
    if (::write(fd, contents.data(), contents.size()) != static_cast<ssize_t>(contents.size()))
      std::abort();
    ::close(fd);
  }
  ~TempFile() { ::unlink(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace zur::text::testing
