#pragma once
// Printed output addressed by row and column, as reports write it: the device keeps the
// printer's row and column counters, moves down with line ends and across with blanks, and
// starts a new page when a row above the current one is addressed or the page is ejected.

#include <string>
#include <string_view>

namespace zur::print {

class PrinterDevice {
 public:
  virtual ~PrinterDevice() = default;

  // Prints `text` at (row, col). A row above the current one ejects the page first; a column
  // left of the current one on the same row continues on the next row.
  void Say(int row, int col, std::string_view text);
  // Ends the page: a form feed, and the counters go back to 0.
  void Eject();
  // Control codes: sent as they are, the counters do not move.
  void Raw(std::string_view bytes) { Write(bytes); }

  int Row() const { return row_; }
  int Col() const { return col_; }
  // Sets the counters without printing (after a device change or a print-screen).
  void SetPosition(int row, int col) {
    row_ = row;
    col_ = col;
  }

 protected:
  virtual void Write(std::string_view bytes) = 0;

 private:
  int row_ = 0;
  int col_ = 0;
};

// A device that keeps everything printed in memory: for tests and for reports built as text.
class MemoryPrinter : public PrinterDevice {
 public:
  const std::string& text() const { return text_; }

 protected:
  void Write(std::string_view bytes) override { text_.append(bytes); }

 private:
  std::string text_;
};

}  // namespace zur::print
