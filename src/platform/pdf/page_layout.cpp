#include "platform/pdf/page_layout.h"

#include <algorithm>
#include <array>

#include "platform/big5/big5_text.h"

namespace zur::pdf {
namespace {

constexpr size_t kReadLimit = 300;
constexpr size_t kMeasuredLines = 100;
constexpr int kPortraitMaxWidth = 80;
constexpr int kRowsPerPage = 64;
constexpr int kLabelRowsPerPage = 68;

struct SizeStep {
  int max_width;
  int height;
  int width;
};

constexpr std::array<SizeStep, 11> kPortraitSizes = {{
    {80, 40, 25},
    {85, 38, 21},
    {90, 36, 20},
    {95, 34, 19},
    {100, 32, 18},
    {105, 30, 17},
    {112, 28, 16},
    {120, 28, 15},
    {128, 28, 14},
    {138, 28, 13},
    {150, 28, 12},
}};

constexpr std::array<SizeStep, 11> kLandscapeSizes = {{
    {136, 28, 20},
    {143, 28, 19},
    {151, 28, 18},
    {160, 28, 17},
    {170, 28, 16},
    {181, 28, 15},
    {194, 28, 14},
    {209, 28, 13},
    {226, 28, 12},
    {247, 28, 11},
    {1 << 30, 28, 10},
}};

template <size_t N>
SizeStep Lookup(const std::array<SizeStep, N>& table, int width) {
  for (const auto& step : table) {
    if (width <= step.max_width) return step;
  }
  return table.back();  // wider than the table: the width reduction fits it
}

bool IsBlank(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Cuts a line into pieces of at most 255 bytes without splitting a two-byte
// character; each piece sits at its own column.
void PlaceLine(std::string_view text, int row, const PageSetup& setup, Page& page) {
  const int baseline = kTopMargin + (row - 1) * setup.font_height;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && end - start < kMaxPiece) {
      size_t step =
          big5::IsBig5Lead(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
      if (end + step - start > kMaxPiece) break;
      end += step;
    }
    auto piece = text.substr(start, end - start);
    if (!IsBlank(piece)) {
      const int column = setup.offset + static_cast<int>(start);
      page.pieces.push_back({column * setup.font_width, baseline, std::string(piece)});
    }
    start = end;
  }
}

}  // namespace

std::vector<std::string_view> ReadLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    size_t end = nl == std::string_view::npos ? text.size() : nl;
    size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
    if (end - pos > kReadLimit) {
      end = pos + kReadLimit;
      next = end;
    } else if (end > pos && text[end - 1] == '\r') {
      --end;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = next;
  }
  return lines;
}

int MeasureReportWidth(const std::vector<std::string_view>& lines) {
  size_t width = 0;
  const size_t n = std::min(lines.size(), kMeasuredLines);
  for (size_t i = 0; i < n; ++i) {
    size_t ff = lines[i].find('\f');
    width = std::max(width, ff == std::string_view::npos ? lines[i].size() : ff + 1);
  }
  return static_cast<int>(width);
}

PageSetup ChoosePageSetup(int report_width, const LayoutOptions& options) {
  PageSetup setup;
  const bool portrait =
      report_width <= kPortraitMaxWidth || options.force_portrait || options.label;
  SizeStep step =
      portrait ? Lookup(kPortraitSizes, report_width) : Lookup(kLandscapeSizes, report_width);
  setup.orientation = portrait ? Orientation::kPortrait : Orientation::kLandscape;
  setup.offset = std::max(0, portrait ? options.portrait_offset : options.landscape_offset);
  setup.font_height =
      portrait && options.label && report_width <= kPortraitMaxWidth ? 41 : step.height;
  setup.font_width = step.width;
  const long long used = static_cast<long long>(report_width) + setup.offset;
  while (report_width > kPortraitMaxWidth && setup.font_width > 0 &&
         used * setup.font_width > kPrintableWidth) {
    --setup.font_width;
  }
  // A report too wide for any cell still prints, in the narrowest one.
  setup.font_width = std::max(setup.font_width, 1);
  return setup;
}

std::vector<Page> LayOutPages(const std::vector<std::string_view>& lines, const PageSetup& setup,
                              bool label) {
  std::vector<Page> pages;
  if (lines.empty()) return pages;
  pages.emplace_back();
  int row = 1;
  size_t next = 0;
  std::string_view line = lines[next++];
  for (;;) {
    size_t ff = line.find('\f');
    if (ff != std::string_view::npos) {
      PlaceLine(line.substr(0, ff), row, setup, pages.back());
      std::string_view rest = line.substr(ff + 1);
      if (rest.empty() && next >= lines.size()) break;
      pages.emplace_back();
      row = 1;
      line = rest;
      continue;
    }
    if (label && row >= kLabelRowsPerPage && !IsBlank(line)) {
      pages.emplace_back();
      row = 1;
    }
    PlaceLine(line, row, setup, pages.back());
    if (!label && row >= kRowsPerPage) {
      pages.emplace_back();
      row = 0;
    }
    if (next >= lines.size()) break;
    line = lines[next++];
    ++row;
  }
  // A page opened by the 64th row of the last line stays blank: drop it.
  if (pages.size() > 1 && pages.back().pieces.empty() && row == 0) pages.pop_back();
  return pages;
}

}  // namespace zur::pdf
