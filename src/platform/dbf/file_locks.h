#pragma once
// Open-file-description byte-range locks. They belong to one open of a file (not to the
// process), so two opens conflict even inside one process, and they interoperate across
// processes and over network shares.

#include <cstdint>

namespace zur::dbf {

// Byte at which every open of a table holds its sharing lock: read mode for shared opens,
// write mode for exclusive ones.
inline constexpr int64_t kOpenLockOffset = 999'999'999;
// Record n is locked at kRecordLockBase + n; the base byte itself serialises appends.
inline constexpr int64_t kRecordLockBase = 1'000'000'000;

enum class LockMode { kRead, kWrite };

// Tries to lock one byte at `offset`; false when another open holds a conflicting lock.
// `wait` blocks until the lock is granted. Other failures throw std::system_error.
bool LockByte(int fd, int64_t offset, LockMode mode, bool wait = false);
void UnlockByte(int fd, int64_t offset);
// True when some other open would refuse a lock of `mode` at `offset`.
bool ByteLockedByOther(int fd, int64_t offset, LockMode mode);

}  // namespace zur::dbf
