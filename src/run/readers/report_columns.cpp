#include "run/readers/report_columns.h"

#include "lib/text/numeric_text.h"
#include "lib/text/trim_pad.h"

namespace zur::readers {

std::string_view Cols(std::string_view line, int column, int width) {
  if (width <= 0) return {};
  size_t start = column < 1 ? 0 : static_cast<size_t>(column - 1);
  if (start >= line.size()) return {};
  return line.substr(start, static_cast<size_t>(width));
}

int Position(std::string_view line, std::string_view what) {
  size_t at = line.find(what);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int ColumnVar(const VarStore& vars, std::string_view name) {
  double v = vars.Get(name).NumOr();
  return v >= 0 && v <= 250 ? static_cast<int>(v) : 0;
}

bool HasPositiveValue(std::string_view text) {
  return text::Val(text) > 0;
}

bool ColsBlank(std::string_view line, int column, int width) {
  return text::IsBlank(Cols(line, column, width));
}

bool ColsExactlyBlank(std::string_view line, int column, int width) {
  std::string_view cols = Cols(line, column, width);
  return width > 0 && cols.size() == static_cast<size_t>(width) && text::IsBlank(cols);
}

bool ColFilled(std::string_view line, int column) {
  std::string_view c = Cols(line, column, 1);
  return !c.empty() && c[0] != ' ';
}

}  // namespace zur::readers
