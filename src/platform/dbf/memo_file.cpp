#include "platform/dbf/memo_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <fmt/format.h>

#include "platform/dbf/file_util.h"
#include "platform/dbf/table.h"

namespace zur::dbf {
namespace {

constexpr uint64_t kBlock = 512;
constexpr char kEnd = 0x1A;

}  // namespace

std::filesystem::path MemoPathOf(const std::filesystem::path& table) {
  std::filesystem::path p = table;
  p.replace_extension(".DBT");
  p = ResolveCaseInsensitive(p);
  std::error_code ec;
  return std::filesystem::exists(p, ec) ? p : std::filesystem::path();
}

uint32_t MemoBlock(std::string_view field, const std::string& file) {
  uint64_t n = 0;
  bool digits = false;
  for (char c : field) {
    if (c == ' ' && !digits) continue;
    if (c < '0' || c > '9' || n > 0xFFFFFFFFull / 10)
      throw Error(ErrorKind::kDamaged,
                  fmt::format("{}: memo field holds \"{}\", not a block number", file, field));
    n = n * 10 + static_cast<uint64_t>(c - '0');
    digits = true;
  }
  return static_cast<uint32_t>(n);
}

MemoFile::MemoFile(const std::filesystem::path& path, bool writable) : file_(path.string()) {
  fd_ = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
  if (fd_ < 0)
    throw Error(errno == ENOENT ? ErrorKind::kNotFound : ErrorKind::kIo,
                fmt::format("{}: cannot open memo file: {}", file_, std::strerror(errno)));
}

MemoFile::~MemoFile() {
  if (fd_ < 0) return;
  fdatasync(fd_);
  ::close(fd_);
}

std::string MemoFile::Read(uint32_t block) {
  std::string text;
  char buf[kBlock];
  for (uint64_t at = uint64_t{block} * kBlock;; at += kBlock) {
    size_t got = ReadAt(fd_, buf, sizeof buf, at, file_);
    const char* end = static_cast<const char*>(std::memchr(buf, kEnd, got));
    if (end != nullptr) return text.append(buf, static_cast<size_t>(end - buf));
    if (got < sizeof buf)
      throw Error(ErrorKind::kDamaged,
                  fmt::format("{}: memo at block {} has no end", file_, block));
    text.append(buf, got);
  }
}

uint32_t MemoFile::Append(std::string_view text) {
  uint8_t head[4];
  if (ReadAt(fd_, head, sizeof head, 0, file_) != sizeof head)
    throw Error(ErrorKind::kDamaged, fmt::format("{}: memo file header is cut short", file_));
  uint32_t next = uint32_t{head[0]} | uint32_t{head[1]} << 8 | uint32_t{head[2]} << 16 |
                  uint32_t{head[3]} << 24;
  struct stat st {};
  if (fstat(fd_, &st) != 0)
    throw Error(ErrorKind::kIo, fmt::format("{}: cannot read its size", file_));
  // Never write over blocks already in the file, whatever the header says.
  const uint64_t used = (static_cast<uint64_t>(st.st_size) + kBlock - 1) / kBlock;
  if (next == 0 || next < used) next = static_cast<uint32_t>(std::max<uint64_t>(used, 1));
  std::string bytes(text);
  bytes.append(2, kEnd);
  bytes.resize((bytes.size() + kBlock - 1) / kBlock * kBlock, '\0');
  const uint64_t blocks = bytes.size() / kBlock;
  if (uint64_t{next} + blocks > 0xFFFFFFFFull)
    throw Error(ErrorKind::kValue, fmt::format("{}: memo file is full", file_));
  WriteAt(fd_, bytes.data(), bytes.size(), uint64_t{next} * kBlock, file_);
  const uint32_t after = static_cast<uint32_t>(next + blocks);
  for (int i = 0; i < 4; ++i) head[i] = static_cast<uint8_t>(after >> (8 * i));
  WriteAt(fd_, head, sizeof head, 0, file_);
  return next;
}

}  // namespace zur::dbf
