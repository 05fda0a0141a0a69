#pragma once
// A file written under a temporary name beside its real name and renamed into place when it is
// complete, so that nothing incomplete is ever found under the real name.
//
// The temporary name is "<real name>.tmp-<pid>-<n>". While a run has it, its descriptor holds
// a lock on it, and SIGINT, SIGTERM and SIGHUP remove it before the process ends (signals that
// were ignored when the first file was created stay ignored). What a killed run leaves is
// removed by the next run (RemoveStaleTempFiles), never a live run's.

#include <signal.h>
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zur::upload {

// Writes bytes to a file descriptor as write(2) does; tests put a failing one in its place.
using WriteBytesFn = std::function<ssize_t(int fd, const void* data, size_t size)>;

class StagedFile {
 public:
  explicit StagedFile(std::filesystem::path path, WriteBytesFn write_bytes = {});
  ~StagedFile();  // removes the temporary file unless it was published
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Each step returns "" on success, else "<file>: <reason>".
  // Removes a file of the real name, then creates the temporary file beside it.
  std::string Create();
  // Writes all of `bytes`; anything less is a failure. The bytes are gathered and written in
  // blocks: a failure may show at a later call, at the latest when the file is sealed.
  std::string Write(std::string_view bytes);
  // Writes what is gathered and flushes the temporary file to disk (it stays open, and
  // locked, until it is published).
  std::string Seal();
  // Renames the sealed temporary file to the real name.
  std::string Publish();
  // Gives the file up: removes the temporary file and any file of the real name (an older
  // file of that name, or this one once published).
  void Discard();

  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& temp_path() const { return temp_path_; }  // empty before Create

 private:
  std::string Failure(const std::filesystem::path& file, int error_number) const;
  void CloseQuietly();
  void Forget();  // the temporary file is no longer this process's to remove on a signal
  std::string WriteGathered();

  std::filesystem::path path_;
  std::filesystem::path temp_path_;
  WriteBytesFn write_bytes_;
  int fd_ = -1;
  int signal_slot_ = -1;
  bool sealed_ = false;
  std::string gathered_;  // written, not yet handed to the system
  bool published_ = false;
};

// Makes renames in `dir` last through a power failure; file systems that cannot flush a
// directory are left as they are.
void FlushDirectory(const std::filesystem::path& dir);

// Removes what runs that no longer exist left beside `path`: files named
// "<name of path>.tmp-<pid>-<n>" (the name in any letter case) whose process is gone and whose
// lock nobody holds. A live run's file is kept, whether the run is on this computer (its
// process exists) or on another one sharing the folder (it holds the lock). Returns the files
// removed.
std::vector<std::filesystem::path> RemoveStaleTempFiles(const std::filesystem::path& path);

// Holds SIGINT, SIGTERM and SIGHUP back for as long as it lives, so that the steps between
// run to their end; a signal that came meanwhile is taken when it ends.
class SignalsHeldBack {
 public:
  SignalsHeldBack();
  ~SignalsHeldBack();
  SignalsHeldBack(const SignalsHeldBack&) = delete;
  SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

 private:
  sigset_t saved_;  // the thread's signal mask before
};

}  // namespace zur::upload
