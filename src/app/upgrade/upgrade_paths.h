#pragma once
// The files that the structure upgrade of one table works with.
//
//   NAME.DBF / NAME.DBT       the table and its memo file (found ignoring letter case)
//   NAME_ZURNEW.DBF / .DBT    the new table while it is built; complete and synced before it
//                             replaces the table
//   NAME_ZURSWAP.TXT          present only while a table with a memo file is being swapped:
//                             holds the name of the backup pair below
//   backup pair               while a memo table is swapped, the old table and memo file keep
//                             a second name: NAME + "O" for names shorter than 8 characters,
//                             else the first 7 characters plus a letter ("A", moving on while
//                             a file of exactly that name exists), with .DBF / .DBT
//   NAME.BAK                  backup left by an interrupted upgrade of an older version;
//                             restored when the table itself is missing
//
// A table name that is a symbolic link stands for the file it points to: the files above are
// those of the link's target.
//
// The "_ZUR..." names have stems longer than 8 characters, so they cannot be the name of a
// back-office file.

#include <filesystem>
#include <string>
#include <string_view>

namespace zur::upgrade {

struct UpgradePaths {
  std::filesystem::path dir;  // empty for the working directory
  std::string base;           // the file name without extension
  std::filesystem::path table, memo, bak;
  std::filesystem::path new_table, new_memo;
  std::filesystem::path swap_marker;

  static UpgradePaths For(std::string_view name);

  // The path of `file_name` in the table's directory.
  std::filesystem::path InDir(const std::string& file_name) const;
  // The stem of the backup pair of a memo table, by the naming rule above.
  std::string BackupStem() const;
};

}  // namespace zur::upgrade
