#pragma once
// The screen colours of "ati.conf": two background and two foreground colours, held as the
// names of the GUI's colour constants ("NIL" is the GUI's own default).

#include <string>
#include <vector>

namespace zur::startup {

struct ScreenColours {
  std::string background1 = "NIL";
  std::string foreground1 = "GRA_CLR_DEFAULT";
  std::string background2 = "NIL";
  std::string foreground2 = "GRA_CLR_BLUE";
};

// Applies the lines of the colour file to `colours`: a line, trimmed of blanks, that contains
// "BGCOLOR1=", "FGCOLOR1=", "BGCOLOR2=" or "FGCOLOR2=" (tested in that order) sets that colour
// to the trimmed line from its tenth character on.
void ApplyColourLines(const std::vector<std::string>& lines, ScreenColours& colours);

}  // namespace zur::startup
