#pragma once

#include <string>
#include <string_view>

namespace zur::pdf {

// Maps a Big5 font family name, as the operator's settings store it (for
// example the Ming face of the first Chinese font), to the name of an
// installed CJK family. Names that are not Big5 font names are taken as
// installed family names and pass through unchanged; an empty name gives the
// default Ming family.
std::string InstalledFontFamily(std::string_view big5_name);

}  // namespace zur::pdf
