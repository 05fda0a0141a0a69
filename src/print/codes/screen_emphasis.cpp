#include "print/codes/screen_emphasis.h"

namespace zur::print {
namespace {

std::string ToggleMark(std::string_view setting, char mark, bool on) {
  std::string out(setting);
  if (!on) return out;
  // The first pair's foreground ends at the first "/" or ",", whichever comes first.
  const size_t end = std::min(out.find('/'), out.find(','));
  const size_t at = end == std::string::npos ? out.size() : end;
  if (at > 0 && out[at - 1] == mark)
    out.erase(at - 1, 1);
  else
    out.insert(at, 1, mark);
  return out;
}

}  // namespace

std::string Intensity(std::string_view setting, bool on) {
  return ToggleMark(setting, '+', on);
}
std::string Blinking(std::string_view setting, bool on) {
  return ToggleMark(setting, '*', on);
}

std::string Hilight(std::string_view setting, bool on) {
  if (!on) return std::string(setting);
  const size_t first = setting.find(',');
  if (first == std::string_view::npos) return std::string(setting);
  const size_t second = setting.find(',', first + 1);
  const std::string_view a = setting.substr(0, first);
  const std::string_view b = setting.substr(
      first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
  std::string out = std::string(b) + "," + std::string(a);
  if (second != std::string_view::npos) out += setting.substr(second);
  return out;
}

}  // namespace zur::print
