#include "run/upload/staged_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>

#include "lib/text/trim_pad.h"

namespace zur::upload {
namespace {

constexpr int kMaxTempAttempts = 1000;
constexpr size_t kGatherBytes = 64 * 1024;  // written to the system a block at a time
constexpr std::string_view kTempMark = ".tmp-";
constexpr std::array<int, 3> kCleanupSignals = {SIGINT, SIGTERM, SIGHUP};

// The lock a run holds on its temporary file for as long as it has it open (open file
// description locks: they work across computers on shared folders as well).
bool LockWholeFile(int fd) {
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = 0;
  fl.l_len = 0;
  while (::fcntl(fd, F_OFD_SETLK, &fl) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

// ---- the temporary files a signal removes: fixed slots that a handler can read safely.

constexpr int kSignalSlots = 8;
constexpr size_t kSlotPathBytes = 4096;

struct SignalSlot {
  std::atomic<bool> in_use{false};  // taken by a StagedFile
  std::atomic<bool> armed{false};   // `path` is complete and names a file to remove
  char path[kSlotPathBytes];
};

SignalSlot g_slots[kSignalSlots];
struct sigaction g_previous[kCleanupSignals.size()];
std::once_flag g_handlers_installed;

void RemoveTempFilesOnSignal(int signal_number) {
  const int saved_errno = errno;
  for (SignalSlot& slot : g_slots)
    if (slot.armed.load()) ::unlink(slot.path);
  // The disposition the signal had before (normally the default: the process ends), then the
  // signal again: it is delivered once this handler returns.
  for (size_t i = 0; i < kCleanupSignals.size(); ++i)
    if (kCleanupSignals[i] == signal_number) ::sigaction(signal_number, &g_previous[i], nullptr);
  ::raise(signal_number);
  errno = saved_errno;
}

void InstallSignalHandlers() {
  for (size_t i = 0; i < kCleanupSignals.size(); ++i) {
    struct sigaction current {};
    if (::sigaction(kCleanupSignals[i], nullptr, &current) != 0) continue;
    // A signal the program was told to ignore (nohup) stays ignored; one with a handler of
    // its own keeps it.
    if (current.sa_handler != SIG_DFL || (current.sa_flags & SA_SIGINFO) != 0) continue;
    struct sigaction ours {};
    ours.sa_handler = RemoveTempFilesOnSignal;
    sigfillset(&ours.sa_mask);
    ours.sa_flags = 0;
    if (::sigaction(kCleanupSignals[i], &ours, &g_previous[i]) != 0) continue;
  }
}

// Arms a slot for `path`; -1 when every slot is taken or the path is too long (the file is
// then left for the next run to remove).
int ArmSignalSlot(const std::string& path) {
  std::call_once(g_handlers_installed, InstallSignalHandlers);
  if (path.size() >= kSlotPathBytes) return -1;
  for (int i = 0; i < kSignalSlots; ++i) {
    bool expected = false;
    if (!g_slots[i].in_use.compare_exchange_strong(expected, true)) continue;
    std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
    g_slots[i].armed.store(true);
    return i;
  }
  return -1;
}

void DisarmSignalSlot(int slot) {
  if (slot < 0) return;
  g_slots[slot].armed.store(false);
  g_slots[slot].in_use.store(false);
}

// The process id of "<base>.tmp-<pid>-<n>", or 0 when `name` is not such a name.
pid_t TempFileOwner(std::string_view name, std::string_view base) {
  if (name.size() <= base.size() + kTempMark.size()) return 0;
  if (text::Upper(name.substr(0, base.size())) != text::Upper(base)) return 0;
  std::string_view rest = name.substr(base.size());
  if (!rest.starts_with(kTempMark)) return 0;
  rest.remove_prefix(kTempMark.size());
  long long pid = 0;
  const auto [after_pid, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
  if (ec != std::errc() || pid <= 0 || after_pid == rest.data() + rest.size() || *after_pid != '-')
    return 0;
  const std::string_view serial(after_pid + 1, rest.data() + rest.size() - (after_pid + 1));
  if (serial.empty() || serial.find_first_not_of("0123456789") != std::string_view::npos) return 0;
  return static_cast<pid_t>(pid);
}

bool ProcessExists(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace

void FlushDirectory(const std::filesystem::path& dir) {
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

StagedFile::StagedFile(std::filesystem::path path, WriteBytesFn write_bytes)
    : path_(std::move(path)), write_bytes_(std::move(write_bytes)) {
  if (!write_bytes_)
    write_bytes_ = [](int fd, const void* data, size_t size) { return ::write(fd, data, size); };
}

StagedFile::~StagedFile() {
  if (!published_ && !temp_path_.empty()) ::unlink(temp_path_.c_str());
  Forget();
  CloseQuietly();
}

std::string StagedFile::Failure(const std::filesystem::path& file, int error_number) const {
  return file.string() + ": " + std::strerror(error_number);
}

void StagedFile::CloseQuietly() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void StagedFile::Forget() {
  DisarmSignalSlot(signal_slot_);
  signal_slot_ = -1;
}

std::string StagedFile::Create() {
  if (path_.empty()) return "(no file name): " + std::string(std::strerror(ENOENT));
  if (::unlink(path_.c_str()) != 0 && errno != ENOENT) return Failure(path_, errno);
  const std::string base =
      path_.string() + std::string(kTempMark) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
    std::filesystem::path candidate = base + std::to_string(attempt);
    // The slot is armed before the file exists, so that no moment is left in which a signal
    // would leave it behind (removing a name that is not there yet does no harm).
    const int slot = ArmSignalSlot(candidate.string());
    fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      temp_path_ = std::move(candidate);
      signal_slot_ = slot;
      if (!LockWholeFile(fd_)) return Failure(temp_path_, errno);
      return "";
    }
    const int error_number = errno;
    DisarmSignalSlot(slot);
    if (error_number != EEXIST) return Failure(candidate, error_number);
  }
  return Failure(base + "*", EEXIST);
}

std::string StagedFile::Write(std::string_view bytes) {
  if (fd_ < 0 || sealed_) return Failure(path_, EBADF);
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
  if (fd_ < 0 || sealed_) return Failure(path_, EBADF);
  if (std::string error = WriteGathered(); !error.empty()) {
    CloseQuietly();
    return error;
  }
  if (::fsync(fd_) != 0) {
    int error_number = errno;
    CloseQuietly();
    return Failure(temp_path_, error_number);
  }
  sealed_ = true;
  return "";
}

std::string StagedFile::Publish() {
  if (fd_ < 0 || !sealed_ || temp_path_.empty()) return Failure(path_, EBADF);
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) return Failure(path_, errno);
  published_ = true;
  Forget();
  // Complete and synced: closing can only give the lock up.
  CloseQuietly();
  FlushDirectory(path_.parent_path());
  return "";
}

void StagedFile::Discard() {
  CloseQuietly();
  if (!published_ && !temp_path_.empty()) ::unlink(temp_path_.c_str());
  Forget();
  temp_path_.clear();
  if (!path_.empty()) ::unlink(path_.c_str());
  published_ = false;
  sealed_ = false;
}

std::vector<std::filesystem::path> RemoveStaleTempFiles(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> removed;
  const std::filesystem::path dir = path.parent_path();
  const std::string base = path.filename().string();
  if (base.empty()) return removed;
  DIR* listing = ::opendir(dir.empty() ? "." : dir.c_str());
  if (listing == nullptr) return removed;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    const pid_t owner = TempFileOwner(name, base);
    if (owner == 0 || owner == ::getpid() || ProcessExists(owner)) continue;
    const std::filesystem::path file = dir / std::string(name);
    struct stat before {};
    if (::lstat(file.c_str(), &before) != 0 || !S_ISREG(before.st_mode)) continue;
    // The lock decides for a run on another computer, whose process cannot be seen here.
    const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && LockWholeFile(fd) &&
        ::unlink(file.c_str()) == 0)
      removed.push_back(file);
    ::close(fd);
  }
  ::closedir(listing);
  if (!removed.empty()) FlushDirectory(dir);
  return removed;
}

SignalsHeldBack::SignalsHeldBack() {
  sigset_t held;
  sigemptyset(&held);
  for (int signal_number : kCleanupSignals) sigaddset(&held, signal_number);
  ::pthread_sigmask(SIG_BLOCK, &held, &saved_);
}

SignalsHeldBack::~SignalsHeldBack() {
  ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

}  // namespace zur::upload
