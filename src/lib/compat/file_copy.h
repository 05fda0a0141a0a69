#pragma once
// Copying one file onto another, replacing the target atomically.

#include <string>

namespace zur::compat {

// Copies `source` to `target`: written beside the target, flushed to disk and renamed over it,
// so that the target is either the old file or the complete copy. On failure returns false and
// fills `error` with a message naming the file concerned.
bool CopyFileAtomic(const std::string& source, const std::string& target, std::string& error);

}  // namespace zur::compat
