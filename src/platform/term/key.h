#pragma once
// A key as the program sees it, whatever the back end: a named key or a character, with the
// Shift, Ctrl and Alt modifiers. Characters are bytes of the program's text (ASCII, or the two
// bytes of a Big5 character). Two numberings turn keys into the integers the screens compare
// against: the inkey codes of the console routines (inkey_codes.h) and the key event codes of
// the event queue (event_codes.h).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zur::term {

enum class KeyId : std::uint8_t {
  kNone,
  kChar,  // `text` holds the character
  kEnter,
  kEsc,
  kTab,
  kBackspace,
  kDelete,
  kInsert,
  kHome,
  kEnd,
  kPgUp,
  kPgDn,
  kUp,
  kDown,
  kLeft,
  kRight,
  kF1,
  kF2,
  kF3,
  kF4,
  kF5,
  kF6,
  kF7,
  kF8,
  kF9,
  kF10,
  kF11,
  kF12,
};

enum KeyMods : std::uint8_t {
  kNoMods = 0,
  kShift = 1,
  kCtrl = 2,
  kAlt = 4,
};

struct Key {
  KeyId id = KeyId::kNone;
  std::uint8_t mods = kNoMods;
  std::string text;  // kChar only: one byte, or a Big5 lead and trail byte

  static Key Named(KeyId id, std::uint8_t mods = kNoMods) { return Key{id, mods, {}}; }
  static Key Char(std::string_view bytes, std::uint8_t mods = kNoMods) {
    return Key{KeyId::kChar, mods, std::string(bytes)};
  }
  static Key Char(char c, std::uint8_t mods = kNoMods) { return Key{KeyId::kChar, mods, {c}}; }

  bool valid() const { return id != KeyId::kNone; }
  // A character typed without Ctrl or Alt: what an entry field inserts.
  bool IsText() const { return id == KeyId::kChar && (mods & (kCtrl | kAlt)) == 0; }
  bool Is(KeyId other, std::uint8_t with = kNoMods) const { return id == other && mods == with; }
  // The character `c` typed alone.
  bool IsChar(char c) const {
    return id == KeyId::kChar && mods == kNoMods && text.size() == 1 && text[0] == c;
  }
  bool operator==(const Key&) const = default;
};

// The characters of a text: single bytes, and the two bytes of each Big5 character together.
std::vector<std::string_view> SplitCharacters(std::string_view text);

// The key F<n> for n = 1..12.
KeyId FunctionKey(int n);
// A name for messages and tests: "Enter", "Shift+F10", "Alt+P", "a".
std::string KeyName(const Key& key);

}  // namespace zur::term
