#pragma once
// The check of the upload file names before anything is written or removed. The writer
// replaces what stands under an upload name, so a name that is another file of the run would
// destroy it: the settings table, a memory file, the CCASS report, a back-office table.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "run/driver/run_files.h"

namespace zur::driver {

// A file the run reads or keeps, and what it is ("the settings table").
struct KeptFile {
  std::filesystem::path path;
  std::string what;
};

// Every file the run reads or keeps: the settings table, the memory files, the CCASS report,
// the back-office tables (the finance and client directories' too) with their memo files and
// the mapping file, the program's own tables, their index files and its other files.
std::vector<KeptFile> FilesTheRunKeeps(const RunFiles& files,
                                       const std::filesystem::path& data_dir);

// Refuses upload names that name one of `kept`, or one file for both: the same file by device
// and inode where it exists, else the same normalised absolute path in any letter case (a
// shared folder may ignore case), whatever the spelling or the links on the way. A name with
// the extension of a table, an index or a memory file is refused too. `sti` may be empty
// (no STI file). Returns the "ERROR: ..." message, or nothing when the names are sound.
std::optional<std::string> CheckUploadNames(const std::filesystem::path& zur,
                                            const std::filesystem::path& sti,
                                            const std::vector<KeptFile>& kept);

}  // namespace zur::driver
