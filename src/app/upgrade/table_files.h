#pragma once
// File operations of the structure upgrade and the version-byte repair: case-insensitive
// lookup of back-office names, renames that survive a crash, backups by hard link, and
// directory syncs. Failures throw dbf::Error(kIo) naming the file.

#include <filesystem>
#include <string_view>

namespace zur::upgrade {

// `path` when it exists; otherwise the entry of its directory whose name matches it ignoring
// letter case; otherwise `path` unchanged.
std::filesystem::path FindFile(const std::filesystem::path& path);

bool FileExists(const std::filesystem::path& path);

// True when `text` ends with `suffix`, ignoring ASCII letter case.
bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix);

// Removes the file when it exists.
void RemoveFile(const std::filesystem::path& path);

// Renames `from` over `to`. When both already name the same file (hard links), `from` is
// removed, so that afterwards only `to` remains.
void MoveOver(const std::filesystem::path& from, const std::filesystem::path& to);

// Copies `from` to `to` (written under a scratch name, synced and renamed, so `to` never
// names a partial copy).
void CopyFileSynced(const std::filesystem::path& from, const std::filesystem::path& to);

// Makes `to` a second name of `from` (hard link); where the file system refuses links, a
// synced copy. An existing `to` is replaced.
void LinkOrCopy(const std::filesystem::path& from, const std::filesystem::path& to);

// Flushes a directory's entries (renames, creations, removals) to disk.
void SyncDirectory(const std::filesystem::path& dir);

// A table file held the way an exclusive open holds it (the table engine's sharing lock),
// without reading it, so that a damaged table or a scratch table can be held too. While it is
// held, no other open of the file, in this process or another, gets in.
class TableHold {
 public:
  enum class Result { kHeld, kInUse, kMissing };

  TableHold() = default;
  ~TableHold() { Release(); }
  TableHold(const TableHold&) = delete;
  TableHold& operator=(const TableHold&) = delete;

  // Holds `path` (releasing what was held before). kInUse when another open holds the file;
  // kMissing when there is no such file. Throws dbf::Error(kIo) when it cannot be opened.
  Result Take(const std::filesystem::path& path);
  void Release();
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace zur::upgrade
