#include "app/upgrade/upgrade_paths.h"

#include "app/upgrade/table_files.h"

namespace zur::upgrade {
namespace fs = std::filesystem;

UpgradePaths UpgradePaths::For(std::string_view name) {
  UpgradePaths p;
  const fs::path given{std::string(name)};
  p.dir = given.parent_path();
  p.base = given.filename().string();
  p.table = FindFile(p.InDir(p.base + ".DBF"));
  // A table reached through a symbolic link is upgraded where it really lies, so the link
  // stays a link.
  std::error_code ec;
  if (fs::is_symlink(p.table, ec)) {
    const fs::path target = fs::canonical(p.table, ec);
    if (!ec) {
      p.dir = target.parent_path();
      p.base = target.stem().string();
      p.table = target;
    }
  }
  // The memo file goes with the table's spelling when the table exists.
  const fs::path memo_guess =
      FileExists(p.table)
          ? fs::path(p.table).replace_extension(p.table.extension() == ".dbf" ? ".dbt" : ".DBT")
          : p.InDir(p.base + ".DBT");
  p.memo = FindFile(memo_guess);
  p.bak = FindFile(p.InDir(p.base + ".BAK"));
  p.new_table = p.InDir(p.base + "_ZURNEW.DBF");
  p.new_memo = p.InDir(p.base + "_ZURNEW.DBT");
  p.swap_marker = p.InDir(p.base + "_ZURSWAP.TXT");
  return p;
}

fs::path UpgradePaths::InDir(const std::string& file_name) const {
  return dir.empty() ? fs::path(file_name) : dir / file_name;
}

std::string UpgradePaths::BackupStem() const {
  if (base.size() < 8) return base + "O";
  const std::string first7 = base.substr(0, 7);
  char letter = 'A';
  while (letter < 'Z' && FileExists(InDir(first7 + letter))) ++letter;
  return first7 + letter;
}

}  // namespace zur::upgrade
