#include "app/upgrade/table_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include <fmt/format.h>

#include "platform/dbf/file_locks.h"
#include "platform/dbf/file_util.h"
#include "platform/dbf/table.h"
#include "platform/vars/file_io.h"

namespace zur::upgrade {
namespace fs = std::filesystem;
namespace {

[[noreturn]] void Fail(const fs::path& file, std::string_view what, int err) {
  throw dbf::Error(dbf::ErrorKind::kIo,
                   fmt::format("{}: {} failed: {}", file.string(), what, std::strerror(err)));
}

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

}  // namespace

void CopyFileSynced(const fs::path& from, const fs::path& final_to) {
  fs::path to = final_to;
  to += ".part";
  int in = OpenRegularFile(from.string(), O_RDONLY);
  if (in < 0) Fail(from, "open", errno);
  int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    int e = errno;
    ::close(in);
    Fail(to, "create", e);
  }
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int e = errno;
      ::close(in);
      ::close(out);
      Fail(from, "read", e);
    }
    if (n == 0) break;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = ::write(out, buf + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) {
        int e = errno;
        ::close(in);
        ::close(out);
        Fail(to, "write", e);
      }
      done += w;
    }
  }
  ::close(in);
  if (::fsync(out) != 0) {
    int e = errno;
    ::close(out);
    Fail(to, "sync", e);
  }
  if (::close(out) != 0) Fail(to, "close", errno);
  if (::rename(to.c_str(), final_to.c_str()) != 0) Fail(to, "rename", errno);
}

fs::path FindFile(const fs::path& path) {
  return dbf::ResolveCaseInsensitive(path);
}

bool FileExists(const fs::path& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         SameIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

void RemoveFile(const fs::path& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) Fail(path, "delete", errno);
}

void MoveOver(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) Fail(from, "rename to " + to.string(), errno);
  // rename() leaves both names in place when they are links to one file.
  if (FileExists(from)) RemoveFile(from);
}

void LinkOrCopy(const fs::path& from, const fs::path& to) {
  RemoveFile(to);
  if (::link(from.c_str(), to.c_str()) == 0) return;
  const int e = errno;
  if (e != EPERM && e != EXDEV && e != ENOTSUP && e != EOPNOTSUPP && e != EMLINK)
    Fail(from, "link to " + to.string(), e);
  CopyFileSynced(from, to);
}

void SyncDirectory(const fs::path& dir) {
  const fs::path d = dir.empty() ? fs::path(".") : dir;
  int fd = ::open(d.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Fail(d, "open", errno);
  const int rc = ::fsync(fd);
  const int e = errno;
  ::close(fd);
  if (rc != 0 && e != EINVAL) Fail(d, "sync", e);
}

TableHold::Result TableHold::Take(const fs::path& path) {
  Release();
  std::string kind;
  const int fd = OpenRegularFile(path.string(), O_RDWR, 0, &kind);
  if (fd < 0) {
    const int e = errno;
    if (e == ENOENT) return Result::kMissing;
    if (!kind.empty())
      throw dbf::Error(dbf::ErrorKind::kIo,
                       fmt::format("{}: not a regular file ({})", path.string(), kind));
    Fail(path, "open", e);
  }
  bool granted = false;
  try {
    granted = dbf::LockByte(fd, dbf::kOpenLockOffset, dbf::LockMode::kWrite);
  } catch (const std::system_error& e) {
    ::close(fd);
    throw dbf::Error(dbf::ErrorKind::kIo,
                     fmt::format("{}: cannot lock: {}", path.string(), e.what()));
  }
  if (!granted) {
    ::close(fd);
    return Result::kInUse;
  }
  fd_ = fd;
  return Result::kHeld;
}

void TableHold::Release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace zur::upgrade
