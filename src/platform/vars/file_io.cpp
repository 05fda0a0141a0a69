#include "platform/vars/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/files/write_all.h"

namespace zur {
namespace {

std::string Failure(const std::string& path, const char* what, int code) {
  std::string msg = path + ": " + what;
  if (code != 0) msg += std::string(": ") + std::strerror(code);
  return msg;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string FileKindText(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

int OpenRegularFile(const std::string& path, int flags, mode_t mode, std::string* kind) {
  auto refuse = [&](mode_t found) {
    if (kind) *kind = FileKindText(found);
    errno = S_ISDIR(found) ? EISDIR : EINVAL;
    return -1;
  };
  struct stat before {};
  if (::stat(path.c_str(), &before) == 0) {
    if (!S_ISREG(before.st_mode)) return refuse(before.st_mode);
  } else if (errno != ENOENT || (flags & O_CREAT) == 0) {
    return -1;
  }
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, mode);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int code = errno;
    ::close(fd);
    errno = code;
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return refuse(st.st_mode);
  }
  const int status = ::fcntl(fd, F_GETFL);
  if (status >= 0 && (flags & O_NONBLOCK) == 0) ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
  return fd;
}

FileBytes ReadFileBytes(const std::string& path, size_t maxBytes) {
  FileBytes out;
  // `code` is the errno to report; the reason text is added only for a failed system call.
  auto fail = [&](const char* what, int code, bool systemCall = true) {
    out.bytes.clear();
    out.errorCode = code;
    out.error = Failure(path, what, systemCall ? code : 0);
    return out;
  };
  // A FIFO or a device in place of the file is refused instead of waited on.
  std::string kind;
  const int fd = OpenRegularFile(path, O_RDONLY, 0, &kind);
  if (fd < 0 && !kind.empty()) {
    const int code = errno;
    return fail(("not a regular file (" + kind + ")").c_str(), code, false);
  }
  if (fd < 0) return fail("cannot open file", errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int code = errno;
    ::close(fd);
    return fail("cannot read file", code);
  }
  if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
    ::close(fd);
    return fail("file too large", EFBIG, false);
  }
  out.bytes.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int code = errno;
      ::close(fd);
      return fail("cannot read file", code);
    }
    if (n == 0) break;
    if (out.bytes.size() + static_cast<size_t>(n) > maxBytes) {  // grew while being read
      ::close(fd);
      return fail("file too large", EFBIG, false);
    }
    out.bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return out;
}

std::string WriteFileAtomically(const std::string& path, const std::string& bytes,
                                const std::function<bool()>& beforeRename) {
  static std::atomic<unsigned> serial{0};  // two writers in one process get two names
  const std::string tmp =
      path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
  mode_t mode = 0644;
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) return Failure(path, "is a directory", 0);
    mode = old.st_mode & 07777;  // the new file keeps the old one's permissions
  }
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, mode);
  if (fd < 0) return Failure(path, "cannot create file", errno);
  auto abandon = [&](const char* what, int code) {
    ::close(fd);
    ::unlink(tmp.c_str());
    return Failure(path, what, code);
  };
  if (::fchmod(fd, mode) != 0) return abandon("cannot set permissions", errno);
  if (!files::WriteAll(fd, bytes)) return abandon("cannot write file", errno);
  if (::fsync(fd) != 0) return abandon("cannot flush file", errno);
  if (beforeRename && !beforeRename()) return abandon("write abandoned", 0);
  if (::close(fd) != 0) {
    const int code = errno;
    ::unlink(tmp.c_str());
    return Failure(path, "cannot write file", code);
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    const int code = errno;
    ::unlink(tmp.c_str());
    return Failure(path, "cannot replace file", code);
  }
  // Make the rename itself durable; a failure here leaves a complete file either way.
  const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return "";
}

}  // namespace zur
