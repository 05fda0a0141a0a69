#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zur::pdf {

// Positions are in tenths of a millimetre on A4 paper.
inline constexpr int kA4Short = 2100;
inline constexpr int kA4Long = 2970;
inline constexpr int kPrintableWidth = 2750;
inline constexpr int kTopMargin = 200;
inline constexpr int kMaxPiece = 255;

enum class Orientation { kPortrait, kLandscape };

struct LayoutOptions {
  int landscape_offset = 0;  // left offset in character widths
  int portrait_offset = 0;
  bool force_portrait = false;
  bool label = false;  // label printing: taller rows, pages of 68 rows
};

struct PageSetup {
  Orientation orientation = Orientation::kPortrait;
  int font_height = 0;
  int font_width = 0;
  int offset = 0;  // offset in use, in character widths
  int paper_width() const { return orientation == Orientation::kPortrait ? kA4Short : kA4Long; }
  int paper_height() const { return orientation == Orientation::kPortrait ? kA4Long : kA4Short; }
};

// One piece of text on a page: x from the left edge, baseline y from the top.
struct Placed {
  int x = 0;
  int baseline = 0;
  std::string big5;
};

struct Page {
  std::vector<Placed> pieces;
};

// Splits report text into the lines the printer reads: at LF (a CR before it
// is dropped), and after 300 bytes when a line is longer.
std::vector<std::string_view> ReadLines(std::string_view text);

// The report width: the longest of the first 100 lines; a line holding a form
// feed counts as the form feed's position plus one.
int MeasureReportWidth(const std::vector<std::string_view>& lines);

// Orientation and font cell for a report of the given width.
PageSetup ChoosePageSetup(int report_width, const LayoutOptions& options);

// Places every line on pages of 64 rows (68 in label printing); a form feed
// starts a new page, except as the last thing in the file.
std::vector<Page> LayOutPages(const std::vector<std::string_view>& lines, const PageSetup& setup,
                              bool label);

}  // namespace zur::pdf
