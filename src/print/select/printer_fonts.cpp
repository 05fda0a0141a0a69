#include "print/select/printer_fonts.h"

#include <charconv>

#include "lib/text/trim_pad.h"

namespace zur::print {
namespace {

constexpr int kFirstExtra = 11;
constexpr int kLastExtra = 22;

std::string FontVar(int number) {
  return "ChiFont" + std::to_string(number);
}

// The font's name, or "" when the variable is not a text.
std::string FontName(const VarStore& vars, int number) {
  return std::string(text::RTrim(vars.Get(FontVar(number)).StrOr()));
}

int AnswerNumber(std::string_view answer) {
  const std::string_view digits = text::AllTrim(answer);
  int n = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  return ec == std::errc() && end == digits.data() + digits.size() ? n : 0;
}

}  // namespace

bool HasExtraFonts(const VarStore& vars) {
  return vars.Exists(FontVar(kFirstExtra));
}

std::vector<NumberedFont> ExtraFonts(const VarStore& vars) {
  std::vector<NumberedFont> fonts;
  for (int n = kFirstExtra; n <= kLastExtra; ++n) {
    std::string name = FontName(vars, n);
    if (name.empty()) break;
    fonts.push_back({n, std::move(name)});
  }
  return fonts;
}

std::string CurrentFontAnswer(const VarStore& vars) {
  const std::string current(text::RTrim(vars.Get("WinPtFont").StrOr()));
  if (HasExtraFonts(vars)) {
    for (const NumberedFont& f : ExtraFonts(vars))
      if (f.name == current) return std::to_string(f.number);
  }
  for (int n = 1; n <= 4; ++n)
    if (!current.empty() && FontName(vars, n) == current) return std::to_string(n) + " ";
  return "1 ";
}

std::string FontOfAnswer(const VarStore& vars, std::string_view answer) {
  const int n = AnswerNumber(answer);
  if (n >= kFirstExtra && HasExtraFonts(vars)) {
    for (const NumberedFont& f : ExtraFonts(vars))
      if (f.number == n) return f.name;
  }
  const std::string chosen = n >= 1 && n <= 4 ? FontName(vars, n) : std::string();
  return chosen.empty() ? FontName(vars, 1) : chosen;
}

}  // namespace zur::print
