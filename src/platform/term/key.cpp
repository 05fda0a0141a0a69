#include "platform/term/key.h"

#include <fmt/format.h>

#include <array>
#include "platform/big5/big5_text.h"

namespace zur::term {

std::vector<std::string_view> SplitCharacters(std::string_view text) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < text.size()) {
    const size_t n =
        big5::IsBig5Lead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    out.push_back(text.substr(i, n));
    i += n;
  }
  return out;
}

KeyId FunctionKey(int n) {
  if (n < 1 || n > 12) return KeyId::kNone;
  return static_cast<KeyId>(static_cast<int>(KeyId::kF1) + n - 1);
}

std::string KeyName(const Key& key) {
  static constexpr std::array<const char*, 28> kNames = {
      "None", "Char", "Enter", "Esc",  "Tab",  "Backspace", "Delete", "Insert", "Home", "End",
      "PgUp", "PgDn", "Up",    "Down", "Left", "Right",     "F1",     "F2",     "F3",   "F4",
      "F5",   "F6",   "F7",    "F8",   "F9",   "F10",       "F11",    "F12"};
  std::string out;
  if (key.mods & kCtrl) out += "Ctrl+";
  if (key.mods & kAlt) out += "Alt+";
  if (key.mods & kShift) out += "Shift+";
  if (key.id == KeyId::kChar) {
    for (unsigned char c : key.text) {
      if (c < 32 || c >= 127)
        out += fmt::format("\\x{:02x}", c);
      else
        out.push_back(static_cast<char>(c));
    }
    return out;
  }
  return out + kNames[static_cast<size_t>(key.id)];
}

}  // namespace zur::term
