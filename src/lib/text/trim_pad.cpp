#include "lib/text/trim_pad.h"

namespace zur::text {

std::string_view RTrim(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return s.substr(0, n);
}

std::string_view LTrim(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return s.substr(i);
}

std::string_view AllTrim(std::string_view s) {
  return LTrim(RTrim(s));
}

bool IsBlank(std::string_view s) {
  return RTrim(s).empty();
}

std::string PadR(std::string_view s, size_t width, char fill) {
  std::string out(s.substr(0, width));
  out.resize(width, fill);
  return out;
}

std::string PadL(std::string_view s, size_t width, char fill) {
  if (s.size() >= width) return std::string(s.substr(0, width));
  std::string out(width - s.size(), fill);
  out.append(s);
  return out;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace zur::text
