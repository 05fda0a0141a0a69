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

// The next line of report text as the printer reads it: up to LF (a CR before it is dropped),
// or the first 300 bytes of a longer line. `rest` is the text not yet read; `at_end` says it
// reaches the end of the report. False when `rest` is empty, or too short to tell where the
// line ends before more text is read. `used` is what the line takes of `rest`.
bool NextLine(std::string_view rest, bool at_end, std::string_view& line, size_t& used);

// Splits report text into the lines the printer reads (NextLine).
std::vector<std::string_view> ReadLines(std::string_view text);

// The report width: the longest of the first 100 lines; a line holding a form
// feed counts as the form feed's position plus one.
int MeasureReportWidth(const std::vector<std::string_view>& lines);
// The same, line by line: `line` is the `index`-th (from 0).
void MeasureLine(std::string_view line, size_t index, int& width);

// Orientation and font cell for a report of the given width.
PageSetup ChoosePageSetup(int report_width, const LayoutOptions& options);

// Where laid-out text goes, a page at a time: the pieces of the current page, then the end of
// every page but the last.
class PageSink {
 public:
  virtual ~PageSink() = default;
  virtual void Piece(int x, int baseline, std::string_view big5) = 0;
  virtual void NextPage() = 0;
  // False for a sink that only counts pages: the lines are then not cut into pieces.
  virtual bool WantsPieces() const { return true; }
};

// Places every line on pages of 64 rows (68 in label printing) as the lines come; a form feed
// starts a new page, except as the last thing in the report.
class PageLayout {
 public:
  PageLayout(const PageSetup& setup, bool label, PageSink& sink)
      : setup_(setup), label_(label), sink_(sink), pieces_(sink.WantsPieces()) {}
  // The next line; `last` when no line follows it.
  void Line(std::string_view line, bool last);

 private:
  void Place(std::string_view text);
  const PageSetup setup_;
  const bool label_;
  PageSink& sink_;
  const bool pieces_;
  int row_ = 1;
};

// The pages of a whole report (an empty one has none).
std::vector<Page> LayOutPages(const std::vector<std::string_view>& lines, const PageSetup& setup,
                              bool label);

}  // namespace zur::pdf
