#pragma once
// Screen emphasis: colour settings ("W/B,N/W,...") with high intensity, blinking or the
// enhanced colour made the normal one.

#include <string>
#include <string_view>

namespace zur::print {

// On: the setting with the high-intensity mark "+" toggled at the end of the first pair's
// foreground; off: the setting as it is.
std::string Intensity(std::string_view setting, bool on);
// The same with the blink mark "*".
std::string Blinking(std::string_view setting, bool on);
// On: the first two comma-separated parts swapped; off: the setting as it is.
std::string Hilight(std::string_view setting, bool on);

}  // namespace zur::print
