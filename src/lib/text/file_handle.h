#pragma once
// Line reading on low-level file handles (an int from open(2); a failed open gives -1).
// Used by the printing of report files, which reads a report line by line from a handle.

#include <cstdint>
#include <string>
#include <string_view>

namespace zur::text {

// Current byte offset of the handle, or -1 for a bad handle.
int64_t FilePos(int fd);
// Length of the file in bytes, or -1 for a bad handle; the position is left where it was.
int64_t FileSize(int fd);
// True when the position is at the end of the file (also for a bad handle).
bool FileEof(int fd);

// Reads up to `lines` lines from the current position. Each line ends after `delim`, which is
// kept; a line longer than `line_length` comes back in pieces of `line_length` bytes, each
// counted as a line; the last line of the file comes back without a delimiter when it has
// none. The lines are returned joined, and the handle stands after the last byte returned.
// At end of file (or on a bad handle or a read error) the result is empty or stops short.
std::string FReadLn(int fd, int64_t lines = 1, int64_t line_length = 80,
                    std::string_view delim = "\r\n");

}  // namespace zur::text
