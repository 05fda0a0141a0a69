#include "platform/term/picture.h"

#include <fmt/format.h>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace zur::term {
namespace {

constexpr std::string_view kEditChars = "9#ANX!LY";

bool IsEditChar(char c) {
  return kEditChars.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c)))) !=
         std::string_view::npos;
}

// The template part of a picture: what follows "@functions ".
std::string_view TemplateOf(std::string_view picture) {
  if (picture.empty() || picture[0] != '@') return picture;
  const size_t blank = picture.find(' ');
  return blank == std::string_view::npos ? std::string_view{} : picture.substr(blank + 1);
}

}  // namespace

std::string Transform(double value, std::string_view picture) {
  const std::string_view mask = TemplateOf(picture);
  if (mask.empty()) return fmt::format("{}", value);
  const size_t dot = mask.find('.');
  const int decimals = dot == std::string_view::npos ? 0 : static_cast<int>(mask.size() - dot - 1);
  const int width = static_cast<int>(mask.size());
  if (!std::isfinite(value)) return std::string(static_cast<size_t>(width), '*');
  std::string text = fmt::format("{:>{}.{}f}", value, width, decimals);
  if (static_cast<int>(text.size()) > width) return std::string(static_cast<size_t>(width), '*');
  return text;
}

Picture Picture::Parse(std::string_view text) {
  Picture p;
  std::string_view functions;
  if (!text.empty() && text[0] == '@') {
    const size_t blank = text.find(' ');
    functions =
        text.substr(1, blank == std::string_view::npos ? std::string_view::npos : blank - 1);
  }
  for (size_t i = 0; i < functions.size(); ++i) {
    const char f = static_cast<char>(std::toupper(static_cast<unsigned char>(functions[i])));
    if (f == '!') p.upper_all = true;
    if (f == 'K') p.clear_on_first_key = true;
    if (f == 'S') {
      size_t j = i + 1;
      int n = 0;
      while (j < functions.size() && std::isdigit(static_cast<unsigned char>(functions[j])) &&
             n < 1000)
        n = n * 10 + (functions[j++] - '0');
      p.window = n;
      i = j - 1;
    }
  }
  p.mask = std::string(TemplateOf(text));
  return p;
}

bool Picture::IsLiteral(size_t pos) const {
  return pos < mask.size() && !IsEditChar(mask[pos]);
}

std::optional<char> Picture::Accept(size_t pos, char c) const {
  const unsigned char u = static_cast<unsigned char>(c);
  const char upper = static_cast<char>(std::toupper(u));
  const char typed = upper_all ? upper : c;
  if (mask.empty() || pos >= mask.size()) return typed;
  switch (std::toupper(static_cast<unsigned char>(mask[pos]))) {
    case '9':
      if (std::isdigit(u) || c == '-' || c == '+' || c == ' ') return c;
      return std::nullopt;
    case '#':
      if (std::isdigit(u) || c == '-' || c == '+' || c == ' ' || c == '.') return c;
      return std::nullopt;
    case 'A':
      if (std::isalpha(u) || u >= 0x80) return typed;
      return std::nullopt;
    case 'N':
      if (std::isalnum(u) || u >= 0x80) return typed;
      return std::nullopt;
    case '!':
      return upper;
    case 'L':
    case 'Y':
      if (std::string_view("YNTF").find(upper) != std::string_view::npos) return upper;
      return std::nullopt;
    case 'X':
      return typed;
    default:
      return std::nullopt;  // a literal position
  }
}

}  // namespace zur::term
