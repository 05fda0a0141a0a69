#include "platform/term/display_text.h"

#include <cwchar>
#include <unordered_map>

#include "platform/big5/big5_text.h"

namespace zur::term {
namespace {

std::string_view GlyphText(Glyph glyph) {
  switch (glyph) {
    case Glyph::kHorizontal:
      return "\u2500";
    case Glyph::kVertical:
      return "\u2502";
    case Glyph::kTopLeft:
      return "\u250c";
    case Glyph::kTopRight:
      return "\u2510";
    case Glyph::kBottomLeft:
      return "\u2514";
    case Glyph::kBottomRight:
      return "\u2518";
    case Glyph::kTeeLeft:
      return "\u251c";
    case Glyph::kTeeRight:
      return "\u2524";
    case Glyph::kShade:
      return "\u2591";
    case Glyph::kNone:
      break;
  }
  return " ";
}

// The number of terminal columns of the first character of a UTF-8 text, when the C library
// knows it (in a UTF-8 locale); -1 otherwise.
int ColumnsOf(const std::string& utf8) {
  std::mbstate_t state{};
  wchar_t wc = 0;
  const size_t n = std::mbrtowc(&wc, utf8.data(), utf8.size(), &state);
  if (n == 0 || n > utf8.size()) return -1;
  return wcwidth(wc);
}

// A Big5 character as UTF-8 that fills exactly two columns: a character the terminal draws
// one column wide (the Big5 frame characters) gets a blank after it.
const std::string& PairText(char lead, char trail) {
  static std::unordered_map<unsigned, std::string> cache;
  const unsigned key = static_cast<unsigned>(static_cast<unsigned char>(lead)) << 8 |
                       static_cast<unsigned char>(trail);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  const char pair[2] = {lead, trail};
  std::string text = big5::Big5ToUtf8(std::string_view(pair, 2));
  if (text.size() <= 3 && ColumnsOf(text) == 1) text += ' ';
  if (text.find("\xef\xbf\xbd") != std::string::npos) text = "??";
  return cache.emplace(key, std::move(text)).first->second;
}

}  // namespace

std::string_view CellText(const CellGrid& grid, int row, int col) {
  static const std::string kPrintable = [] {
    std::string s(128, ' ');
    for (int c = 32; c < 127; ++c) s[static_cast<size_t>(c)] = static_cast<char>(c);
    return s;
  }();
  const Cell& cell = grid.at(row, col);
  if (cell.glyph != Glyph::kNone) return GlyphText(cell.glyph);
  if (cell.part == Cell::kTrail) return {};
  if (cell.part == Cell::kLead && col + 1 < grid.columns())
    return PairText(cell.byte, grid.at(row, col + 1).byte);
  const unsigned char byte = static_cast<unsigned char>(cell.byte);
  if (byte >= 128) return "?";
  return std::string_view(kPrintable).substr(byte, 1);
}

std::string RowText(const CellGrid& grid, int row) {
  std::string out;
  if (row < 0 || row >= grid.rows()) return out;
  for (int col = 0; col < grid.columns(); ++col) out += CellText(grid, row, col);
  return out;
}

}  // namespace zur::term
