#include "platform/dbf/file_util.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <fmt/format.h>

#include "platform/dbf/table.h"

namespace zur::dbf {
namespace fs = std::filesystem;
namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

[[noreturn]] void IoError(const std::string& file, std::string_view what, int err) {
  throw Error(ErrorKind::kIo, fmt::format("{}: {} failed: {}", file, what, std::strerror(err)));
}

}  // namespace

fs::path ResolveCaseInsensitive(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string want = path.filename().string();
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    if (SameIgnoringCase(entry.path().filename().string(), want))
      return path.has_parent_path() ? dir / entry.path().filename() : entry.path().filename();
  }
  return path;
}

size_t ReadAt(int fd, void* buf, size_t size, uint64_t offset, const std::string& file) {
  size_t done = 0;
  while (done < size) {
    ssize_t n =
        pread(fd, static_cast<char*>(buf) + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      IoError(file, "read", errno);
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

void WriteAt(int fd, const void* buf, size_t size, uint64_t offset, const std::string& file) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = pwrite(fd, static_cast<const char*>(buf) + done, size - done,
                       static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      IoError(file, "write", errno);
    }
    done += static_cast<size_t>(n);
  }
}

void WriteFileAtomically(const fs::path& path, std::span<const uint8_t> bytes) {
  const std::string name = path.string();
  fs::path tmp = path;
  tmp += fmt::format(".tmp{}", getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) IoError(tmp.string(), "create", errno);
  try {
    WriteAt(fd, bytes.data(), bytes.size(), 0, tmp.string());
    if (fsync(fd) != 0) IoError(tmp.string(), "sync", errno);
  } catch (...) {
    ::close(fd);
    ::unlink(tmp.c_str());
    throw;
  }
  ::close(fd);
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    IoError(name, "rename", err);
  }
  fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    fsync(dfd);
    ::close(dfd);
  }
}

}  // namespace zur::dbf
