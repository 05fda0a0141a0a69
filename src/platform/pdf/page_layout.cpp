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

}  // namespace

// Cuts a line into pieces of at most 255 bytes without splitting a two-byte character; each
// piece sits at its own column. Blank pieces are left out.
void PageLayout::Place(std::string_view text) {
  if (!pieces_) return;
  const int baseline = kTopMargin + (row_ - 1) * setup_.font_height;
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
      const int column = setup_.offset + static_cast<int>(start);
      sink_.Piece(column * setup_.font_width, baseline, piece);
    }
    start = end;
  }
}

void PageLayout::Line(std::string_view line, bool last) {
  for (size_t ff = line.find('\f'); ff != std::string_view::npos; ff = line.find('\f')) {
    Place(line.substr(0, ff));
    line = line.substr(ff + 1);
    if (line.empty() && last) return;
    sink_.NextPage();
    row_ = 1;
  }
  if (label_ && row_ >= kLabelRowsPerPage && !IsBlank(line)) {
    sink_.NextPage();
    row_ = 1;
  }
  Place(line);
  // The 64th row ends the page, unless it is the last line: no blank sheet after it.
  if (!label_ && row_ >= kRowsPerPage) {
    if (last) return;
    sink_.NextPage();
    row_ = 0;
  }
  ++row_;
}

bool NextLine(std::string_view rest, bool at_end, std::string_view& line, size_t& used) {
  if (rest.empty()) return false;
  const size_t nl = rest.substr(0, kReadLimit + 1).find('\n');
  if (nl == std::string_view::npos) {
    if (rest.size() > kReadLimit) {
      line = rest.substr(0, kReadLimit);
      used = kReadLimit;
      return true;
    }
    if (!at_end) return false;
    line = rest.substr(0, rest.back() == '\r' ? rest.size() - 1 : rest.size());
    used = rest.size();
    return true;
  }
  if (nl > kReadLimit) {
    line = rest.substr(0, kReadLimit);
    used = kReadLimit;
    return true;
  }
  line = rest.substr(0, nl > 0 && rest[nl - 1] == '\r' ? nl - 1 : nl);
  used = nl + 1;
  return true;
}

std::vector<std::string_view> ReadLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::string_view line;
  size_t used = 0;
  while (NextLine(text, true, line, used)) {
    lines.push_back(line);
    text.remove_prefix(used);
  }
  return lines;
}

void MeasureLine(std::string_view line, size_t index, int& width) {
  if (index >= kMeasuredLines) return;
  const size_t ff = line.find('\f');
  width = std::max(width, static_cast<int>(ff == std::string_view::npos ? line.size() : ff + 1));
}

int MeasureReportWidth(const std::vector<std::string_view>& lines) {
  int width = 0;
  for (size_t i = 0; i < lines.size() && i < kMeasuredLines; ++i) MeasureLine(lines[i], i, width);
  return width;
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

namespace {

// Keeps the pieces of every page.
class CollectedPages : public PageSink {
 public:
  std::vector<Page> pages = std::vector<Page>(1);
  void Piece(int x, int baseline, std::string_view big5) override {
    pages.back().pieces.push_back({x, baseline, std::string(big5)});
  }
  void NextPage() override { pages.emplace_back(); }
};

}  // namespace

std::vector<Page> LayOutPages(const std::vector<std::string_view>& lines, const PageSetup& setup,
                              bool label) {
  if (lines.empty()) return {};
  CollectedPages collected;
  PageLayout layout(setup, label, collected);
  for (size_t i = 0; i < lines.size(); ++i) layout.Line(lines[i], i + 1 == lines.size());
  return std::move(collected.pages);
}

}  // namespace zur::pdf
