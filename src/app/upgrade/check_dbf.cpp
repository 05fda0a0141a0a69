#include "app/upgrade/check_dbf.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "app/upgrade/table_files.h"
#include "platform/vars/file_io.h"

namespace zur::upgrade {
namespace {

constexpr off_t kHeaderPrefix = 32;

uint8_t WantedVersion(uint8_t current, bool mark) {
  if (current < 128) return mark ? 1 : 3;
  return mark ? 129 : 131;
}

}  // namespace

bool CheckDbf(std::string_view name, bool mark) {
  std::string file(name);
  if (!EndsWithIgnoreCase(file, ".DBF")) file += ".dbf";
  const auto path = FindFile(file);
  const int fd = OpenRegularFile(path.string(), O_RDWR);  // a FIFO or a device is not opened
  if (fd < 0) return false;
  bool rewritten = false;
  struct stat st;
  uint8_t byte = 0;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= kHeaderPrefix &&
      ::pread(fd, &byte, 1, 0) == 1) {
    const uint8_t wanted = WantedVersion(byte, mark);
    if (wanted != byte && ::pwrite(fd, &wanted, 1, 0) == 1) rewritten = ::fsync(fd) == 0;
  }
  ::close(fd);
  return rewritten;
}

}  // namespace zur::upgrade
