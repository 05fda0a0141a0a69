#pragma once
// WTEXT: a static text label at a grid column and row in the window's colour names
// (cXpBgClr1/cXpFgClr1 and the second pair); "NIL" leaves that colour as it is.

#include <string_view>

#include "platform/term/screen.h"
#include "platform/term/static_text.h"
#include "screens/grid_pixels.h"

namespace zur::screens {

// The label, created in the window; null (and nothing drawn) for an empty text.
term::StaticText* WText(term::Screen& screen, const GridMetrics& metrics, int column, int row,
                        std::string_view text, std::string_view background,
                        std::string_view foreground);

}  // namespace zur::screens
