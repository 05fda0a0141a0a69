#include "platform/dbf/file_locks.h"

#include <fcntl.h>

#include <cerrno>
#include <system_error>

namespace zur::dbf {
namespace {

struct flock Range(int64_t offset, short type) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = offset;
  fl.l_len = 1;
  fl.l_pid = 0;  // required for OFD locks
  return fl;
}

}  // namespace

bool LockByte(int fd, int64_t offset, LockMode mode, bool wait) {
  struct flock fl = Range(offset, mode == LockMode::kRead ? F_RDLCK : F_WRLCK);
  while (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) != 0) {
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EACCES) return false;
    throw std::system_error(errno, std::generic_category(), "byte-range lock");
  }
  return true;
}

void UnlockByte(int fd, int64_t offset) {
  struct flock fl = Range(offset, F_UNLCK);
  while (fcntl(fd, F_OFD_SETLK, &fl) != 0 && errno == EINTR) {
  }
}

bool ByteLockedByOther(int fd, int64_t offset, LockMode mode) {
  struct flock fl = Range(offset, mode == LockMode::kRead ? F_RDLCK : F_WRLCK);
  if (fcntl(fd, F_OFD_GETLK, &fl) != 0)
    throw std::system_error(errno, std::generic_category(), "byte-range lock query");
  return fl.l_type != F_UNLCK;
}

}  // namespace zur::dbf
