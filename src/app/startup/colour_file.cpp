#include "app/startup/colour_file.h"

#include <string_view>

#include "lib/text/trim_pad.h"

namespace zur::startup {

void ApplyColourLines(const std::vector<std::string>& lines, ScreenColours& colours) {
  constexpr size_t kKeyLength = 9;
  for (const std::string& raw : lines) {
    const std::string_view line = text::AllTrim(raw);
    const std::string value(line.size() > kKeyLength ? line.substr(kKeyLength)
                                                     : std::string_view{});
    if (line.find("BGCOLOR1=") != std::string_view::npos) {
      colours.background1 = value;
    } else if (line.find("FGCOLOR1=") != std::string_view::npos) {
      colours.foreground1 = value;
    } else if (line.find("BGCOLOR2=") != std::string_view::npos) {
      colours.background2 = value;
    } else if (line.find("FGCOLOR2=") != std::string_view::npos) {
      colours.foreground2 = value;
    }
  }
}

}  // namespace zur::startup
