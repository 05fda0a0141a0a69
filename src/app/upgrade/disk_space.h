#pragma once
// Whether the disk of a new table can hold the records that are about to be copied into it.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/upgrade/upgrade_console.h"
#include "platform/dbf/table.h"

namespace zur::upgrade {

// Free bytes available to this process on the file system of `dir`; nothing when unknown.
using FreeSpaceFn = std::function<std::optional<uint64_t>(const std::filesystem::path& dir)>;

std::optional<uint64_t> FreeBytes(const std::filesystem::path& dir);

// Bytes needed for `records` records of `record_length` bytes after a header of
// `header_length` bytes, plus the end-of-file byte.
uint64_t SpaceNeeded(uint32_t record_length, uint64_t records, uint32_t header_length);

// True (after ringing the bell) when the free space of the new table's directory is less than
// the space `records` records need. Unknown free space counts as enough.
bool DiskFull(const dbf::Table& new_table, uint64_t records, UpgradeConsole& console,
              const FreeSpaceFn& free_space = FreeBytes);

}  // namespace zur::upgrade
