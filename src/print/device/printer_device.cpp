#include "print/device/printer_device.h"

#include <algorithm>

namespace zur::print {

void PrinterDevice::Say(int row, int col, std::string_view text) {
  row = std::max(row, 0);
  col = std::max(col, 0);
  if (row < row_) Eject();
  if (row == row_ && col < col_) row = row_ + 1;
  if (row > row_) {
    for (int r = row_; r < row; ++r) Write("\r\n");
    row_ = row;
    col_ = 0;
  }
  if (col > col_) Write(std::string(static_cast<size_t>(col - col_), ' '));
  Write(text);
  col_ = col + static_cast<int>(text.size());
}

void PrinterDevice::Eject() {
  Write("\f");
  row_ = 0;
  col_ = 0;
}

}  // namespace zur::print
