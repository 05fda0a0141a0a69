#include "platform/term/too_small.h"

#include <algorithm>
#include <fmt/format.h>
#include <sstream>

namespace zur::term {

std::vector<std::string> TooSmallMessage(const Size& size, int width) {
  const std::string text = fmt::format(
      "This terminal is {} columns by {} rows. ZUR needs at least {} columns by {} rows. "
      "Make the window larger, or press Esc to quit.",
      size.columns, size.rows, kNeededColumns, kNeededRows);
  std::vector<std::string> lines;
  std::istringstream words(text);
  std::string word;
  std::string line;
  const size_t limit = static_cast<size_t>(std::max(width, 1));
  while (words >> word) {
    if (!line.empty() && line.size() + 1 + word.size() > limit) {
      lines.push_back(line);
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void DrawTooSmall(CellGrid& picture, const Size& size) {
  const int width = std::max(size.columns - 2, 1);
  const std::vector<std::string> lines = TooSmallMessage(size, width);
  const int top = std::max((size.rows - static_cast<int>(lines.size())) / 2, 0);
  for (size_t i = 0; i < lines.size(); ++i) {
    const int col = std::max((size.columns - static_cast<int>(lines[i].size())) / 2, 0);
    picture.Put(top + static_cast<int>(i), col, lines[i], Attr{Colour::kDefault, Colour::kDefault, true});
  }
}

}  // namespace zur::term
