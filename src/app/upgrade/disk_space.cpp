#include "app/upgrade/disk_space.h"

#include <sys/statvfs.h>

namespace zur::upgrade {
namespace fs = std::filesystem;

std::optional<uint64_t> FreeBytes(const fs::path& dir) {
  struct statvfs st;
  const fs::path d = dir.empty() ? fs::path(".") : dir;
  if (::statvfs(d.c_str(), &st) != 0) return std::nullopt;
  return uint64_t{st.f_bavail} * uint64_t{st.f_frsize};
}

uint64_t SpaceNeeded(uint32_t record_length, uint64_t records, uint32_t header_length) {
  return uint64_t{record_length} * records + header_length + 1;
}

bool DiskFull(const dbf::Table& new_table, uint64_t records, UpgradeConsole& console,
              const FreeSpaceFn& free_space) {
  const fs::path dir = new_table.path().parent_path();
  const std::optional<uint64_t> free = free_space ? free_space(dir) : FreeBytes(dir);
  if (!free) return false;
  if (*free >= SpaceNeeded(new_table.record_length(), records, new_table.header_length()))
    return false;
  console.Bell();
  return true;
}

}  // namespace zur::upgrade
