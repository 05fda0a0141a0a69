#include "platform/pdf/font_map.h"

#include <algorithm>

namespace zur::pdf {
namespace {

constexpr std::string_view kMing = "AR PL UMing TW";
constexpr std::string_view kKai = "AR PL UKai TW";
constexpr std::string_view kSans = "Noto Sans CJK TC";

// The style characters in Big5: a family name that contains one of them gets
// the matching installed family. Fontconfig falls back to the Ming face when
// the matching family is not installed.
struct StyleMark {
  std::string_view big5;
  std::string_view family;
};
constexpr StyleMark kMarks[] = {
    {"\xa9\xfa", kMing},  // Ming
    {"\xa7\xba", kMing},  // Song
    {"\xb7\xa2", kKai},   // Kai
    {"\xb6\xc2", kSans},  // Hei
    {"\xb6\xea", kSans},  // Yuan
};

bool HasHighBytes(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Finds a two-byte Big5 character on a character boundary.
bool ContainsBig5Char(std::string_view name, std::string_view ch) {
  for (size_t i = 0; i + 1 < name.size();) {
    auto c = static_cast<unsigned char>(name[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    if (name.substr(i, 2) == ch) return true;
    i += 2;
  }
  return false;
}

}  // namespace

std::string InstalledFontFamily(std::string_view big5_name) {
  while (!big5_name.empty() && big5_name.back() == ' ') big5_name.remove_suffix(1);
  if (big5_name.empty()) return std::string(kMing);
  if (!HasHighBytes(big5_name)) return std::string(big5_name);
  for (const auto& mark : kMarks) {
    if (ContainsBig5Char(big5_name, mark.big5)) return std::string(mark.family);
  }
  return std::string(kMing);
}

}  // namespace zur::pdf
