#include "platform/term/curses_keys.h"

#include <curses.h>

#include <cstring>
#include <string_view>

namespace zur::term {
namespace {

struct CodeKey {
  int code;
  KeyId id;
  std::uint8_t mods;
};

const CodeKey kCodes[] = {
    {KEY_UP, KeyId::kUp, kNoMods},
    {KEY_DOWN, KeyId::kDown, kNoMods},
    {KEY_LEFT, KeyId::kLeft, kNoMods},
    {KEY_RIGHT, KeyId::kRight, kNoMods},
    {KEY_HOME, KeyId::kHome, kNoMods},
    {KEY_END, KeyId::kEnd, kNoMods},
    {KEY_PPAGE, KeyId::kPgUp, kNoMods},
    {KEY_NPAGE, KeyId::kPgDn, kNoMods},
    {KEY_IC, KeyId::kInsert, kNoMods},
    {KEY_DC, KeyId::kDelete, kNoMods},
    {KEY_BACKSPACE, KeyId::kBackspace, kNoMods},
    {KEY_ENTER, KeyId::kEnter, kNoMods},
    {KEY_BTAB, KeyId::kTab, kShift},
    {KEY_SR, KeyId::kUp, kShift},
    {KEY_SF, KeyId::kDown, kShift},
    {KEY_SLEFT, KeyId::kLeft, kShift},
    {KEY_SRIGHT, KeyId::kRight, kShift},
    {KEY_SHOME, KeyId::kHome, kShift},
    {KEY_SEND, KeyId::kEnd, kShift},
    {KEY_SDC, KeyId::kDelete, kShift},
    {KEY_SIC, KeyId::kInsert, kShift},
    {KEY_SNEXT, KeyId::kPgDn, kShift},
    {KEY_SPREVIOUS, KeyId::kPgUp, kShift},
    {KEY_A1, KeyId::kHome, kNoMods},
    {KEY_C1, KeyId::kEnd, kNoMods},
    {KEY_A3, KeyId::kPgUp, kNoMods},
    {KEY_C3, KeyId::kPgDn, kNoMods},
};

struct NamedKey {
  std::string_view name;
  KeyId id;
};

const NamedKey kNames[] = {
    {"kUP", KeyId::kUp},     {"kDN", KeyId::kDown},  {"kLFT", KeyId::kLeft},
    {"kRIT", KeyId::kRight}, {"kHOM", KeyId::kHome}, {"kEND", KeyId::kEnd},
    {"kPRV", KeyId::kPgUp},  {"kNXT", KeyId::kPgDn}, {"kDC", KeyId::kDelete},
    {"kIC", KeyId::kInsert},
};

std::uint8_t ModsOfDigit(char digit) {
  const int bits = digit - '1';
  return static_cast<std::uint8_t>((bits & 1 ? kShift : 0) | (bits & 2 ? kAlt : 0) |
                                   (bits & 4 ? kCtrl : 0));
}

}  // namespace

Key KeyOfCursesCode(int code, const char* name) {
  for (const CodeKey& c : kCodes)
    if (c.code == code) return Key::Named(c.id, c.mods);
  if (code >= KEY_F(1) && code <= KEY_F(60)) {
    // F13 .. F24 are Shift+F1 .. F12, then Ctrl, Ctrl+Shift and Alt in blocks of twelve.
    const int n = code - KEY_F(0) - 1;
    static constexpr std::uint8_t kBlocks[] = {kNoMods, kShift, kCtrl, kCtrl | kShift, kAlt};
    return Key::Named(FunctionKey(n % 12 + 1), kBlocks[n / 12]);
  }
  if (name == nullptr) return {};
  const std::string_view n(name);
  if (n.size() < 3 || n.back() < '2' || n.back() > '8') return {};
  const std::string_view base = n.substr(0, n.size() - 1);
  for (const NamedKey& k : kNames)
    if (k.name == base) return Key::Named(k.id, ModsOfDigit(n.back()));
  return {};
}

}  // namespace zur::term
