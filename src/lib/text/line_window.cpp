#include "lib/text/line_window.h"

namespace zur::text {

size_t LineEndPos(std::string_view window, LineEndRule rule) {
  size_t ff = window.find('\f');
  size_t crlf = window.find("\r\n");
  size_t pos = std::string_view::npos;
  if (rule == LineEndRule::kFormFeedFirst)
    pos = ff != std::string_view::npos ? ff : crlf;
  else
    pos = ff < crlf ? ff : crlf;
  return pos == std::string_view::npos ? 0 : pos + 1;
}

}  // namespace zur::text
