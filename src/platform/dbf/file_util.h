#pragma once
// File helpers of the table engine: case-insensitive lookup, whole reads and writes, and
// replacing a file atomically.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace zur::dbf {

// `path` when it exists; otherwise the one entry of its directory whose name matches it
// case-insensitively; otherwise `path` unchanged.
std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& path);

// pread/pwrite of exactly `size` bytes (retrying short transfers). Read returns the bytes
// actually read (less only at end of file). Both throw Error(kIo) naming `file`.
size_t ReadAt(int fd, void* buf, size_t size, uint64_t offset, const std::string& file);
void WriteAt(int fd, const void* buf, size_t size, uint64_t offset, const std::string& file);

// Writes `bytes` to a file beside `path`, syncs it and renames it over `path`.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace zur::dbf
