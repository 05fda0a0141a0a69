#pragma once
// A file written under a temporary name beside its real name and renamed into place when it is
// complete, so that nothing incomplete is ever found under the real name.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

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
  // Writes what is gathered, flushes the temporary file to disk and closes it.
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
  std::string WriteGathered();

  std::filesystem::path path_;
  std::filesystem::path temp_path_;
  WriteBytesFn write_bytes_;
  int fd_ = -1;
  std::string gathered_;  // written, not yet handed to the system
  bool published_ = false;
};

}  // namespace zur::upload
