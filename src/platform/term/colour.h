#pragma once
// Colours and attributes of the text grid, and the two ways the program names colours: the
// colour constants of the windowed screens ("GRA_CLR_BLUE", "NIL" for the default) and the
// colour settings of the console routines ("W+/B,N/W": pairs of foreground/background).

#include <cstdint>
#include <string_view>

namespace zur::term {

// The sixteen colours of a colour terminal, and the terminal's own default.
enum class Colour : std::uint8_t {
  kBlack,
  kRed,
  kGreen,
  kBrown,  // dark yellow
  kBlue,
  kMagenta,
  kCyan,
  kLightGray,
  kDarkGray,
  kBrightRed,
  kBrightGreen,
  kYellow,
  kBrightBlue,
  kBrightMagenta,
  kBrightCyan,
  kWhite,
  kDefault,
};

struct Attr {
  Colour fg = Colour::kDefault;
  Colour bg = Colour::kDefault;
  bool bold = false;  // high intensity
  bool blink = false;
  bool reverse = false;
  bool underline = false;
  bool dim = false;
  bool operator==(const Attr&) const = default;
};

// The colour number of a colour constant name: "GRA_CLR_DEFAULT" -3, "GRA_CLR_BACKGROUND" -2,
// "GRA_CLR_NEUTRAL" -1, "GRA_CLR_WHITE" 0 ... "GRA_CLR_PALEGRAY" 15; any other name -3.
int ColourNumber(std::string_view name);
// The terminal colour of a colour number (the default for -3 .. -1 and unknown numbers).
Colour ColourOfNumber(int number);

// A label's attribute from its background and foreground colour names; "NIL" (or an empty
// name) leaves that colour at `base`'s.
Attr LabelAttr(std::string_view background, std::string_view foreground, Attr base = {});

// The five pairs of a console colour setting.
struct ColourSetting {
  Attr standard;                                      // output and prompts
  Attr enhanced{Colour::kBlack, Colour::kLightGray};  // GET entries and the light bar
  Attr border;
  Attr background;
  Attr unselected{Colour::kBlack, Colour::kLightGray};  // GET entries not being edited
};

// Reads a setting such as "W+/B,N/W,,,W/N": each pair is foreground/background of the
// letters N B G BG R RB GR W (upper or lower case, in either order), "+" for high intensity,
// "*" for blinking, "U" underline, "I" inverse. A missing or empty pair keeps the default's.
ColourSetting ParseColourSetting(std::string_view text,
                                 const ColourSetting& defaults = ColourSetting{});

}  // namespace zur::term
