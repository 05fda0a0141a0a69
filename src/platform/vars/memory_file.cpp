// Saving and restoring memory files on disk.
#include "platform/vars/memory_file.h"

#include "platform/vars/file_io.h"

namespace zur {

MemoryFileResult SaveMemoryFile(const std::string& path, const VarStore& vars,
                                const VarSelection& selection) {
  MemoryFileResult result;
  const std::string text = FormatMemoryFile(vars, selection, &result.count);
  if (text.size() > kMaxMemoryFileBytes) {
    result.error = path + ": too much data for a memory file";
    result.count = 0;
    return result;
  }
  result.error = WriteFileAtomically(path, text);
  if (!result.ok()) result.count = 0;
  return result;
}

MemoryFileResult RestoreMemoryFile(const std::string& path, VarStore& vars, RestoreMode mode) {
  MemoryFileResult result;
  const FileBytes file = ReadFileBytes(path, kMaxMemoryFileBytes);
  if (!file.ok()) {
    result.error = file.error;
    return result;
  }
  const MemoryFileParse parsed = ParseMemoryFile(file.bytes, path);
  if (!parsed.ok()) {
    result.error = parsed.error;
    return result;
  }
  ApplyMemoryVariables(parsed.vars, vars, mode);
  result.count = parsed.vars.size();
  return result;
}

}  // namespace zur
