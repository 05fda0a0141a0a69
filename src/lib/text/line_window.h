#pragma once
// Lines cut from a fixed-size read window: the report readers and the mapping-file reader read
// a window of bytes at an offset, take the line up to its terminator (a form feed or a CR LF
// pair) and move the offset past it.

#include <cstddef>
#include <string_view>

namespace zur::text {

enum class LineEndRule {
  kEarliest,       // the earlier of the first form feed and the first CR LF pair
  kFormFeedFirst,  // the first form feed; only when there is none, the first CR LF pair
};

// 1-based position of the line's terminator in the window, 0 when it holds none. The line is
// the bytes before it; the next line starts at that position + 1 (a CR LF pair is consumed
// whole, a form feed together with the byte after it).
size_t LineEndPos(std::string_view window, LineEndRule rule = LineEndRule::kEarliest);

}  // namespace zur::text
