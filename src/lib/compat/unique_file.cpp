#include "lib/compat/unique_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "lib/text/trim_pad.h"

namespace zur::compat {
namespace {

constexpr int kAttempts = 100;

std::string RandomName() {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 rng{std::random_device{}() ^
                                   (static_cast<uint64_t>(::getpid()) << 32)};
  std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
  std::string name(8, ' ');
  for (char& c : name) c = kChars[pick(rng)];
  return name;
}

}  // namespace

std::string CreateUniqueFile(std::string_view dir, std::string_view extension) {
  std::string prefix(text::RTrim(dir));
  if (!prefix.empty() && prefix.back() != '/') prefix.push_back('/');
  std::string suffix(text::AllTrim(extension));
  if (!suffix.empty() && suffix.front() != '.') suffix.insert(0, ".");
  for (int i = 0; i < kAttempts; ++i) {
    std::string path = prefix + RandomName() + suffix;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return path;
    }
    if (errno != EEXIST) return "";
  }
  return "";
}

std::string GetTemp(std::string_view dir) {
  // The file made is the one the name ending in "." names: "NAME." and "NAME" are two files
  // here, and a caller writes to the name it was given.
  return CreateUniqueFile(dir, ".");
}

std::string FUnique(std::string_view dir, std::string_view extension) {
  if (text::IsBlank(extension)) return GetTemp(dir);
  return CreateUniqueFile(dir, extension);
}

std::string FileExt(std::string_view name) {
  size_t slash = name.rfind('/');
  std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
  size_t dot = base.rfind('.');
  return dot == std::string_view::npos ? "" : std::string(base.substr(dot));
}

}  // namespace zur::compat
