#include "screens/form_label.h"

#include <string>

#include "platform/term/colour.h"

namespace zur::screens {

term::StaticText* WText(term::Screen& screen, const GridMetrics& metrics, int column, int row,
                        std::string_view text, std::string_view background,
                        std::string_view foreground) {
  if (text.empty()) return nullptr;
  const term::Rect cells = metrics.LabelCells(column, row, static_cast<int>(text.size()));
  return screen.Add<term::StaticText>(cells.row, cells.col, std::string(text),
                                      term::LabelAttr(background, foreground), cells.cols);
}

}  // namespace zur::screens
