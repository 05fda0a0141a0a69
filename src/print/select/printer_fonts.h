#pragma once
// The fonts of system printing the font dialog offers: ChiFont1 .. ChiFont4, and the extra
// fonts ChiFont11 .. ChiFont22 of an installation that has them. Font names are Big5 texts,
// compared as bytes.

#include <string>
#include <string_view>
#include <vector>

#include "platform/vars/var_store.h"

namespace zur::print {

struct NumberedFont {
  int number = 0;
  std::string name;
};

// True when the installation has extra fonts (ChiFont11 is defined).
bool HasExtraFonts(const VarStore& vars);
// The extra fonts in order, up to the first that is undefined or empty.
std::vector<NumberedFont> ExtraFonts(const VarStore& vars);

// The answer the dialog opens with: the number of the font WinPtFont names, among the extra
// fonts first, then fonts 1 to 4, as two characters ("12", "3 "); "1 " when none matches.
std::string CurrentFontAnswer(const VarStore& vars);

// The font an answer selects: an extra font offered (11 to 22), fonts 1 to 4, else font 1.
std::string FontOfAnswer(const VarStore& vars, std::string_view answer);

}  // namespace zur::print
