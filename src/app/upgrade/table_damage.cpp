#include "app/upgrade/table_damage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <system_error>

#include <fmt/format.h>

#include "app/upgrade/table_files.h"
#include "platform/vars/file_io.h"

namespace zur::upgrade {
namespace fs = std::filesystem;
namespace {

constexpr int kMaxAsideNames = 99;

}  // namespace

std::string UncountedRecords(const dbf::Table& table) {
  const int fd = OpenRegularFile(table.path().string(), O_RDONLY);
  if (fd < 0) return "";
  struct stat st {};
  const bool sized = ::fstat(fd, &st) == 0;
  const uint64_t size = sized ? static_cast<uint64_t>(st.st_size) : 0;
  const uint64_t counted =
      table.header_length() + uint64_t{table.RecCount()} * table.record_length();
  const uint64_t length = table.record_length();
  uint64_t whole = 0;
  // A record past the count begins with its deletion flag; an end-of-file byte or padding
  // after the counted records is no record.
  for (uint64_t at = counted; length > 0 && at + length <= size; at += length) {
    char flag = 0;
    if (::pread(fd, &flag, 1, static_cast<off_t>(at)) != 1 || (flag != ' ' && flag != '*')) break;
    ++whole;
  }
  ::close(fd);
  if (whole == 0) return "";
  return fmt::format(
      "{}: the header counts {} records but the file holds {}: the table is not converted, so "
      "that no record is lost. Please have the table repaired",
      table.path().string(), table.RecCount(), table.RecCount() + whole);
}

std::string TableDamage(const fs::path& path) {
  if (!FileExists(path)) return "";
  try {
    const auto table = dbf::Table::Open(path, dbf::Share::kShared, dbf::Access::kReadOnly);
    return UncountedRecords(*table);
  } catch (const dbf::Error& e) {
    if (e.kind() == dbf::ErrorKind::kDamaged) return e.what();
    return "";
  }
}

fs::path SetTableAside(const fs::path& table) {
  const fs::path dir = table.parent_path();
  const std::string stem = table.stem().string();
  const bool lower = table.extension() == ".dbf";
  const fs::path memo = FindFile(fs::path(table).replace_extension(lower ? ".dbt" : ".DBT"));
  for (int n = 1; n <= kMaxAsideNames; ++n) {
    const std::string aside = stem + "_ZURBAD" + (n == 1 ? "" : std::to_string(n));
    const fs::path aside_table = dir / (aside + (lower ? ".dbf" : ".DBF"));
    const fs::path aside_memo = dir / (aside + (lower ? ".dbt" : ".DBT"));
    if (FileExists(FindFile(aside_table)) || FileExists(FindFile(aside_memo))) continue;
    // The memo file first: while the table keeps its name, the pair is still whole there.
    if (FileExists(memo)) MoveOver(memo, aside_memo);
    MoveOver(table, aside_table);
    SyncDirectory(dir);
    return aside_table;
  }
  throw dbf::Error(dbf::ErrorKind::kIo,
                   fmt::format("{}: cannot be set aside: {}_ZURBAD to {}_ZURBAD{} are all taken",
                               table.string(), stem, stem, kMaxAsideNames));
}

}  // namespace zur::upgrade
