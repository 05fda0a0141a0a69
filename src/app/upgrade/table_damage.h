#pragma once
// Tables that cannot be taken as they are: damaged ones, and ones whose header counts fewer
// records than the file holds (records past the count are invisible to every reader, and a
// copy of the table would drop them for good).

#include <filesystem>
#include <string>

#include "platform/dbf/table.h"

namespace zur::upgrade {

// "<file>: the header counts N records but the file holds M ..." when whole records lie past
// the count of `table`'s header (records, not a trailing end-of-file byte or padding), else "".
std::string UncountedRecords(const dbf::Table& table);

// Why the table at `path` cannot be used as it is: it does not open as a table (the table
// engine's message, naming the file) or it has uncounted records. "" when it is sound, and
// also when it is missing or another open holds it exclusively (nothing can be judged then).
std::string TableDamage(const std::filesystem::path& path);

// Renames a damaged table (and its memo file) to NAME_ZURBAD.DBF/.DBT, or NAME_ZURBAD2 ... when
// that name is taken, so that a fresh one can be made. Returns the new name of the table.
// Throws dbf::Error(kIo).
std::filesystem::path SetTableAside(const std::filesystem::path& table);

}  // namespace zur::upgrade
