#include "platform/term/too_small.h"

#include <fmt/format.h>
#include <algorithm>
#include <sstream>

namespace zur::term {

std::vector<std::string> TooSmallMessage(const Size& size, int width) {
  // One sentence a line, each wrapped at blanks when the terminal is narrower still.
  const std::string sentences[] = {
      fmt::format("This terminal is {} columns by {} rows.", size.columns, size.rows),
      fmt::format("ZUR needs at least {} columns by {} rows.", kNeededColumns, kNeededRows),
      "Make the window larger, or press Esc to quit.",
  };
  const size_t limit = static_cast<size_t>(std::max(width, 1));
  std::vector<std::string> lines;
  for (const std::string& sentence : sentences) {
    std::istringstream words(sentence);
    std::string word;
    std::string line;
    while (words >> word) {
      if (!line.empty() && line.size() + 1 + word.size() > limit) {
        lines.push_back(line);
        line.clear();
      }
      line += (line.empty() ? "" : " ") + word;
    }
    lines.push_back(line);
  }
  return lines;
}

void DrawTooSmall(CellGrid& picture, const Size& size) {
  const int width = std::max(size.columns - 2, 1);
  const std::vector<std::string> lines = TooSmallMessage(size, width);
  const int top = std::max((size.rows - static_cast<int>(lines.size())) / 2, 0);
  for (size_t i = 0; i < lines.size(); ++i) {
    const int col = std::max((size.columns - static_cast<int>(lines[i].size())) / 2, 0);
    picture.Put(top + static_cast<int>(i), col, lines[i],
                Attr{Colour::kDefault, Colour::kDefault, true});
  }
}

}  // namespace zur::term
