#include "run/upload/staged_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace zur::upload {
namespace {

constexpr int kMaxTempAttempts = 1000;
constexpr size_t kGatherBytes = 64 * 1024;  // written to the system a block at a time

// Makes a rename in `dir` last through a power failure; file systems that cannot flush a
// directory are left as they are.
void FlushDirectory(const std::filesystem::path& dir) {
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

StagedFile::StagedFile(std::filesystem::path path, WriteBytesFn write_bytes)
    : path_(std::move(path)), write_bytes_(std::move(write_bytes)) {
  if (!write_bytes_)
    write_bytes_ = [](int fd, const void* data, size_t size) { return ::write(fd, data, size); };
}

StagedFile::~StagedFile() {
  CloseQuietly();
  if (!published_ && !temp_path_.empty()) ::unlink(temp_path_.c_str());
}

std::string StagedFile::Failure(const std::filesystem::path& file, int error_number) const {
  return file.string() + ": " + std::strerror(error_number);
}

void StagedFile::CloseQuietly() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::string StagedFile::Create() {
  if (path_.empty()) return "(no file name): " + std::string(std::strerror(ENOENT));
  if (::unlink(path_.c_str()) != 0 && errno != ENOENT) return Failure(path_, errno);
  const std::string base = path_.string() + ".tmp-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
    std::filesystem::path candidate = base + std::to_string(attempt);
    fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      temp_path_ = std::move(candidate);
      return "";
    }
    if (errno != EEXIST) return Failure(candidate, errno);
  }
  return Failure(base + "*", EEXIST);
}

std::string StagedFile::Write(std::string_view bytes) {
  if (fd_ < 0) return Failure(path_, EBADF);
  gathered_.append(bytes);
  return gathered_.size() >= kGatherBytes ? WriteGathered() : "";
}

std::string StagedFile::WriteGathered() {
  std::string_view bytes = gathered_;
  while (!bytes.empty()) {
    errno = 0;
    ssize_t written = write_bytes_(fd_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return Failure(temp_path_, errno != 0 ? errno : EIO);
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  gathered_.clear();
  return "";
}

std::string StagedFile::Seal() {
  if (fd_ < 0) return Failure(path_, EBADF);
  if (std::string error = WriteGathered(); !error.empty()) {
    CloseQuietly();
    return error;
  }
  if (::fsync(fd_) != 0) {
    int error_number = errno;
    CloseQuietly();
    return Failure(temp_path_, error_number);
  }
  int result = ::close(fd_);
  fd_ = -1;
  return result == 0 ? "" : Failure(temp_path_, errno);
}

std::string StagedFile::Publish() {
  if (fd_ >= 0 || temp_path_.empty()) return Failure(path_, EBADF);
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) return Failure(path_, errno);
  published_ = true;
  FlushDirectory(path_.parent_path());
  return "";
}

void StagedFile::Discard() {
  CloseQuietly();
  if (!published_ && !temp_path_.empty()) ::unlink(temp_path_.c_str());
  temp_path_.clear();
  if (!path_.empty()) ::unlink(path_.c_str());
  published_ = false;
}

}  // namespace zur::upload
