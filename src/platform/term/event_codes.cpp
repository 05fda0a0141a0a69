#include "platform/term/event_codes.h"

#include <cctype>

#include "platform/big5/big5_text.h"

namespace zur::term::event {
namespace {

struct Virtual {
  KeyId id;
  int vk;
};

constexpr Virtual kVirtualKeys[] = {
    {KeyId::kPgUp, 0x21},   {KeyId::kPgDn, 0x22},   {KeyId::kEnd, 0x23},   {KeyId::kHome, 0x24},
    {KeyId::kLeft, 0x25},   {KeyId::kUp, 0x26},     {KeyId::kRight, 0x27}, {KeyId::kDown, 0x28},
    {KeyId::kInsert, 0x2d}, {KeyId::kDelete, 0x2e},
};

constexpr Virtual kCharKeys[] = {
    {KeyId::kEnter, kEnter},
    {KeyId::kEsc, kEsc},
    {KeyId::kTab, kTab},
    {KeyId::kBackspace, kBackspace},
};

int ModFlags(std::uint8_t mods) {
  return (mods & kShift ? kShiftFlag : 0) | (mods & kAlt ? kAltFlag : 0) |
         (mods & kCtrl ? kCtrlFlag : 0);
}

std::uint8_t ModsOf(int code) {
  return static_cast<std::uint8_t>((code & kShiftFlag ? kShift : 0) | (code & kAltFlag ? kAlt : 0) |
                                   (code & kCtrlFlag ? kCtrl : 0));
}

}  // namespace

int FromKey(const Key& key) {
  const int flags = ModFlags(key.mods);
  switch (key.id) {
    case KeyId::kNone:
      return 0;
    case KeyId::kChar: {
      if (key.text.empty()) return 0;
      const unsigned char c = static_cast<unsigned char>(key.text[0]);
      if ((key.mods & (kAlt | kCtrl)) != 0)
        return flags | kVirtual | (std::isalpha(c) ? std::toupper(c) : c);
      if (key.text.size() >= 2 && big5::IsBig5Lead(c))
        return c * 256 + static_cast<unsigned char>(key.text[1]);
      return c;
    }
    default:
      break;
  }
  if (key.id >= KeyId::kF1 && key.id <= KeyId::kF12)
    return flags | (kF1 + (static_cast<int>(key.id) - static_cast<int>(KeyId::kF1)));
  for (const Virtual& v : kVirtualKeys)
    if (v.id == key.id) return flags | kVirtual | v.vk;
  for (const Virtual& v : kCharKeys)
    if (v.id == key.id) return flags | v.vk;
  return 0;
}

Key ToKey(int code) {
  if (!IsKey(code) || code == 0) return {};
  const std::uint8_t mods = ModsOf(code);
  const int base = code & 0xffff;
  if ((code & kVirtual) == 0) {
    for (const Virtual& v : kCharKeys)
      if (v.vk == base) return Key::Named(v.id, mods);
    if (base >= 0x8100 && big5::IsBig5Lead(static_cast<unsigned char>(base >> 8))) {
      const char pair[2] = {static_cast<char>(base >> 8), static_cast<char>(base & 0xff)};
      return Key::Char(std::string_view(pair, 2), mods);
    }
    if (base < 256) return Key::Char(static_cast<char>(base), mods);
    return {};
  }
  if (base >= (kF1 & 0xffff) && base < (kF1 & 0xffff) + 12)
    return Key::Named(FunctionKey(base - (kF1 & 0xffff) + 1), mods);
  for (const Virtual& v : kVirtualKeys)
    if (v.vk == base) return Key::Named(v.id, mods);
  if (base < 256 && (mods & (kAlt | kCtrl)) != 0)
    return Key::Char(static_cast<char>(std::tolower(base)), mods);
  return {};
}

}  // namespace zur::term::event
