#include "platform/term/inkey_codes.h"

#include <array>
#include <cctype>

#include "platform/big5/big5_text.h"

namespace zur::term::inkey {
namespace {

struct NamedCode {
  int code;
  KeyId id;
  std::uint8_t mods;
};

// Named keys and their codes; where one code stands for two keys the first entry wins when
// a code is turned back into a key.
constexpr NamedCode kNamed[] = {
    {kHome, KeyId::kHome, kNoMods},   {kCtrlRight, KeyId::kRight, kCtrl},
    {kPgDn, KeyId::kPgDn, kNoMods},   {kRight, KeyId::kRight, kNoMods},
    {kUp, KeyId::kUp, kNoMods},       {kEnd, KeyId::kEnd, kNoMods},
    {kDel, KeyId::kDelete, kNoMods},  {kBackspace, KeyId::kBackspace, kNoMods},
    {kTab, KeyId::kTab, kNoMods},     {kCtrlEnter, KeyId::kEnter, kCtrl},
    {kEnter, KeyId::kEnter, kNoMods}, {kPgUp, KeyId::kPgUp, kNoMods},
    {kLeft, KeyId::kLeft, kNoMods},   {kIns, KeyId::kInsert, kNoMods},
    {kCtrlEnd, KeyId::kEnd, kCtrl},   {kDown, KeyId::kDown, kNoMods},
    {kCtrlLeft, KeyId::kLeft, kCtrl}, {kEsc, KeyId::kEsc, kNoMods},
    {kF1, KeyId::kF1, kNoMods},       {kCtrlHome, KeyId::kHome, kCtrl},
    {kCtrlPgDn, KeyId::kPgDn, kCtrl}, {kCtrlPgUp, KeyId::kPgUp, kCtrl},
    {127, KeyId::kBackspace, kCtrl},  {kShiftTab, KeyId::kTab, kShift},
    {397, KeyId::kUp, kCtrl},         {401, KeyId::kDown, kCtrl},
    {-40, KeyId::kF11, kNoMods},      {-41, KeyId::kF12, kNoMods},
    {-42, KeyId::kF11, kShift},       {-43, KeyId::kF12, kShift},
    {-44, KeyId::kF11, kCtrl},        {-45, KeyId::kF12, kCtrl},
    {-46, KeyId::kF11, kAlt},         {-47, KeyId::kF12, kAlt},
};

// Alt+A .. Alt+Z: the keyboard scan code of the letter plus 256.
constexpr std::array<int, 26> kAltLetters = {286, 304, 302, 288, 274, 289, 290, 291, 279,
                                             292, 293, 294, 306, 305, 280, 281, 272, 275,
                                             287, 276, 278, 303, 273, 301, 277, 300};
// Alt+1 .. Alt+9, Alt+0.
constexpr int kAltOne = 376;
constexpr int kAltZero = 385;

// F2..F10 count down from -1; the Shift, Ctrl and Alt rows of F1..F10 from -10, -20, -30.
int FunctionCode(int n, std::uint8_t mods) {
  if (mods == kNoMods) return n == 1 ? kF1 : -(n - 1);
  if (mods == kShift) return -(9 + n);
  if (mods == kCtrl) return -(19 + n);
  if (mods == kAlt) return -(29 + n);
  return kNoKey;
}

int CharCode(const Key& key) {
  if (key.text.empty()) return kNoKey;
  const unsigned char c = static_cast<unsigned char>(key.text[0]);
  const unsigned char upper = static_cast<unsigned char>(std::toupper(c));
  if (key.mods == kNoMods || key.mods == kShift) {
    if (key.text.size() >= 2 && big5::IsBig5Lead(c))
      return c * 256 + static_cast<unsigned char>(key.text[1]);
    return c;
  }
  if (key.mods == kCtrl && upper >= 'A' && upper <= 'Z') return upper - 'A' + 1;
  if (key.mods == kAlt && upper >= 'A' && upper <= 'Z') return kAltLetters[upper - 'A'];
  if (key.mods == kAlt && c >= '1' && c <= '9') return kAltOne + (c - '1');
  if (key.mods == kAlt && c == '0') return kAltZero;
  return kNoKey;
}

}  // namespace

int FromKey(const Key& key) {
  if (key.id == KeyId::kChar) return CharCode(key);
  if (key.id >= KeyId::kF1 && key.id <= KeyId::kF10)
    return FunctionCode(static_cast<int>(key.id) - static_cast<int>(KeyId::kF1) + 1, key.mods);
  for (const NamedCode& n : kNamed)
    if (n.id == key.id && n.mods == key.mods) return n.code;
  return kNoKey;
}

Key ToKey(int code) {
  if (code == kNoKey) return {};
  for (const NamedCode& n : kNamed)
    if (n.code == code) return Key::Named(n.id, n.mods);
  if (code >= -39 && code <= -1) {
    const int k = -code;
    if (k <= 9) return Key::Named(FunctionKey(k + 1));
    const std::uint8_t mods = k <= 19 ? kShift : k <= 29 ? kCtrl : kAlt;
    return Key::Named(FunctionKey((k - 10) % 10 + 1), mods);
  }
  if (code > 0 && code < 32) return Key::Char(static_cast<char>('a' + code - 1), kCtrl);
  if (code >= 32 && code < 256) return Key::Char(static_cast<char>(code));
  for (int i = 0; i < 26; ++i)
    if (kAltLetters[static_cast<size_t>(i)] == code)
      return Key::Char(static_cast<char>('a' + i), kAlt);
  if (code >= kAltOne && code < kAltZero)
    return Key::Char(static_cast<char>('1' + code - kAltOne), kAlt);
  if (code == kAltZero) return Key::Char('0', kAlt);
  if (code >= 0x8100 && code <= 0xfeff && big5::IsBig5Lead(static_cast<unsigned char>(code >> 8))) {
    const char pair[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xff)};
    return Key::Char(std::string_view(pair, 2));
  }
  return {};
}

}  // namespace zur::term::inkey
