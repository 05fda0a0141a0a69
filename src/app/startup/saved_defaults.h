#pragma once
// The printing preferences kept only in the saved memory variables ("ZUR.XBS"): the Chinese
// font names (Big5 byte strings), the Windows printing font and offsets and the default
// printers. Completing them keeps every restored value of the expected type.

#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::startup {

// Big5 font names.
inline constexpr std::string_view kChiFont1 = "\xb2\xd3\xa9\xfa\xc5\xe9";
inline constexpr std::string_view kChiFont2 = "\xbc\xd0\xb7\xa2\xc5\xe9";
inline constexpr std::string_view kChiFont3 = "\xb5\xd8\xb1\x64\xc4\xd7\xc2\xb2\xa7\xba";
// The font 3 of earlier versions, replaced by kChiFont3 wherever it is still saved.
inline constexpr std::string_view kFormerChiFont3 = "\xb7\x73\xb2\xd3\xa9\xfa\xc5\xe9";
inline constexpr std::string_view kChiFont4 = "\xb5\xd8\xb1\x64\xc2\xb2\xb7\xa2";

// Gives every missing preference its default (see saved_defaults.cpp for the rules). Returns
// true when anything was set, so that the saved file has to be written again.
bool CompleteSavedPreferences(VarStore& vars);

}  // namespace zur::startup
