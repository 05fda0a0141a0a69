#include "platform/term/colour.h"

#include <array>
#include <cctype>
#include <string>

namespace zur::term {
namespace {

struct NamedColour {
  std::string_view name;
  int number;
  Colour colour;
};

constexpr std::array<NamedColour, 19> kNamedColours = {{
    {"GRA_CLR_DEFAULT", -3, Colour::kDefault},    {"GRA_CLR_BACKGROUND", -2, Colour::kDefault},
    {"GRA_CLR_NEUTRAL", -1, Colour::kDefault},    {"GRA_CLR_WHITE", 0, Colour::kWhite},
    {"GRA_CLR_BLACK", 1, Colour::kBlack},         {"GRA_CLR_BLUE", 2, Colour::kBrightBlue},
    {"GRA_CLR_RED", 3, Colour::kBrightRed},       {"GRA_CLR_PINK", 4, Colour::kBrightMagenta},
    {"GRA_CLR_GREEN", 5, Colour::kBrightGreen},   {"GRA_CLR_CYAN", 6, Colour::kBrightCyan},
    {"GRA_CLR_YELLOW", 7, Colour::kYellow},       {"GRA_CLR_DARKGRAY", 8, Colour::kDarkGray},
    {"GRA_CLR_DARKBLUE", 9, Colour::kBlue},       {"GRA_CLR_DARKRED", 10, Colour::kRed},
    {"GRA_CLR_DARKPINK", 11, Colour::kMagenta},   {"GRA_CLR_DARKGREEN", 12, Colour::kGreen},
    {"GRA_CLR_DARKCYAN", 13, Colour::kCyan},      {"GRA_CLR_BROWN", 14, Colour::kBrown},
    {"GRA_CLR_PALEGRAY", 15, Colour::kLightGray},
}};

constexpr int kDefaultNumber = -3;

bool IsNil(std::string_view name) {
  return name.empty() || name == "NIL";
}

// One side of a pair ("W+", "bg*"): its colour and its marks.
struct Side {
  bool has_colour = false;
  int colour = 0;  // 0..7 in the console's order: N B G BG R RB GR W
  bool bright = false;
  bool blink = false;
  bool underline = false;
  bool inverse = false;
};

Side ParseSide(std::string_view text) {
  Side side;
  bool r = false, g = false, b = false;
  for (char ch : text) {
    switch (std::toupper(static_cast<unsigned char>(ch))) {
      case 'N':
        side.has_colour = true;
        break;
      case 'R':
        r = side.has_colour = true;
        break;
      case 'G':
        g = side.has_colour = true;
        break;
      case 'B':
        b = side.has_colour = true;
        break;
      case 'W':
        r = g = b = side.has_colour = true;
        break;
      case '+':
        side.bright = true;
        break;
      case '*':
        side.blink = true;
        break;
      case 'U':
        side.underline = true;
        break;
      case 'I':
        side.inverse = true;
        break;
      default:
        break;
    }
  }
  side.colour = (r ? 1 : 0) | (g ? 2 : 0) | (b ? 4 : 0);  // the terminal's order
  return side;
}

Colour TerminalColour(int rgb, bool bright) {
  return static_cast<Colour>(rgb + (bright ? 8 : 0));
}

Attr ParsePair(std::string_view pair, const Attr& fallback) {
  if (pair.find_first_not_of(' ') == std::string_view::npos) return fallback;
  const size_t slash = pair.find('/');
  const Side fg = ParseSide(pair.substr(0, slash));
  const Side bg = slash == std::string_view::npos ? Side{} : ParseSide(pair.substr(slash + 1));
  Attr attr;
  if (fg.inverse || bg.inverse) {
    attr.fg = Colour::kBlack;
    attr.bg = Colour::kLightGray;
  }
  if (fg.has_colour) attr.fg = TerminalColour(fg.colour, fg.bright);
  if (bg.has_colour) attr.bg = TerminalColour(bg.colour, false);
  attr.bold = fg.bright;
  attr.blink = fg.blink || bg.blink || bg.bright;  // a bright background blinks on a console
  attr.underline = fg.underline;
  return attr;
}

}  // namespace

int ColourNumber(std::string_view name) {
  for (const NamedColour& c : kNamedColours)
    if (c.name == name) return c.number;
  return kDefaultNumber;
}

Colour ColourOfNumber(int number) {
  for (const NamedColour& c : kNamedColours)
    if (c.number == number) return c.colour;
  return Colour::kDefault;
}

Attr LabelAttr(std::string_view background, std::string_view foreground, Attr base) {
  if (!IsNil(background)) base.bg = ColourOfNumber(ColourNumber(background));
  if (!IsNil(foreground)) base.fg = ColourOfNumber(ColourNumber(foreground));
  return base;
}

ColourSetting ParseColourSetting(std::string_view text, const ColourSetting& defaults) {
  ColourSetting out = defaults;
  Attr* slots[] = {&out.standard, &out.enhanced, &out.border, &out.background, &out.unselected};
  size_t start = 0;
  for (Attr* slot : slots) {
    if (start > text.size()) break;
    const size_t comma = text.find(',', start);
    const std::string_view pair = text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    *slot = ParsePair(pair, *slot);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

}  // namespace zur::term
