#include "lib/compat/directories.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "lib/text/trim_pad.h"

namespace zur::compat {

std::string CurPath() {
  std::vector<char> buf(4096);
  for (;;) {
    if (::getcwd(buf.data(), buf.size()) != nullptr) return std::string(buf.data());
    if (errno != ERANGE || buf.size() > (1u << 20)) return "";
    buf.resize(buf.size() * 2);
  }
}

bool ChangeDir(std::string_view dir) {
  std::string path(text::RTrim(dir));
  return !path.empty() && ::chdir(path.c_str()) == 0;
}

bool MakeDir(std::string_view dir) {
  std::string path(text::RTrim(dir));
  return !path.empty() && ::mkdir(path.c_str(), 0777) == 0;
}

bool DirExists(std::string_view dir) {
  std::string path(text::AllTrim(dir));
  if (!path.empty() && path.back() == '/') path.pop_back();
  // "dir/." resolves only when dir is a directory we may search, which is exactly when a
  // change into it would succeed; an empty name is the current directory.
  path = path.empty() && dir.find('/') == std::string_view::npos ? "." : path + "/.";
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         ::faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) == 0;
}

}  // namespace zur::compat
