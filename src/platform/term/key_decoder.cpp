#include "platform/term/key_decoder.h"

#include <string>

#include "platform/big5/big5_text.h"

namespace zur::term {
namespace {

constexpr char kEscByte = '\x1b';

std::uint8_t ModsOfParameter(int m) {
  if (m < 2) return kNoMods;
  const int bits = m - 1;
  return static_cast<std::uint8_t>((bits & 1 ? kShift : 0) | (bits & 2 ? kAlt : 0) |
                                   (bits & 4 ? kCtrl : 0));
}

KeyId LetterKey(char final) {
  switch (final) {
    case 'A':
      return KeyId::kUp;
    case 'B':
      return KeyId::kDown;
    case 'C':
      return KeyId::kRight;
    case 'D':
      return KeyId::kLeft;
    case 'H':
      return KeyId::kHome;
    case 'F':
      return KeyId::kEnd;
    case 'P':
      return KeyId::kF1;
    case 'Q':
      return KeyId::kF2;
    case 'R':
      return KeyId::kF3;
    case 'S':
      return KeyId::kF4;
    default:
      return KeyId::kNone;
  }
}

KeyId TildeKey(int n) {
  switch (n) {
    case 1:
    case 7:
      return KeyId::kHome;
    case 2:
      return KeyId::kInsert;
    case 3:
      return KeyId::kDelete;
    case 4:
    case 8:
      return KeyId::kEnd;
    case 5:
      return KeyId::kPgUp;
    case 6:
      return KeyId::kPgDn;
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
      return FunctionKey(n - 10);
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
      return FunctionKey(n - 11);
    case 23:
    case 24:
      return FunctionKey(n - 12);
    default:
      return KeyId::kNone;
  }
}

// "ESC [ params final" or "ESC O params final", from `start` (after the two introducers).
DecodedKey DecodeControlSequence(std::string_view bytes, size_t start, bool ss3, bool complete) {
  int params[4] = {0, 0, 0, 0};
  int count = 0;
  bool digits = false;
  for (size_t i = start; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c >= '0' && c <= '9') {
      if (count < 4) params[count] = params[count] * 10 + (c - '0');
      if (params[count < 4 ? count : 3] > 1000) params[count < 4 ? count : 3] = 1000;
      digits = true;
      continue;
    }
    if (c == ';') {
      ++count;
      continue;
    }
    if (c == '<' || c == '?' || c == '>') continue;  // private markers (mouse reports)
    if (static_cast<unsigned char>(c) < 0x40 || static_cast<unsigned char>(c) > 0x7e)
      return {Key{}, i + 1};  // not a sequence after all
    const size_t used = i + 1;
    const int nparams = digits || count > 0 ? count + 1 : 0;
    if (c == '~') {
      const KeyId id = TildeKey(params[0]);
      return {id == KeyId::kNone ? Key{} : Key::Named(id, ModsOfParameter(params[1])), used};
    }
    if (c == 'Z' && !ss3) return {Key::Named(KeyId::kTab, kShift), used};
    const KeyId id = LetterKey(c);
    if (id == KeyId::kNone) return {Key{}, used};
    // "ESC [ 1 ; 5 A", and the "ESC O 5 A" form of some terminals.
    const int mod = nparams >= 2 ? params[1] : (ss3 && nparams == 1 ? params[0] : 0);
    return {Key::Named(id, ModsOfParameter(mod)), used};
  }
  return {Key{}, complete ? bytes.size() : 0};
}

size_t Utf8Length(unsigned char lead) {
  return lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
}

DecodedKey DecodeUtf8(std::string_view bytes, bool complete) {
  const size_t n = Utf8Length(static_cast<unsigned char>(bytes[0]));
  if (bytes.size() < n) return {Key{}, complete ? bytes.size() : 0};
  const std::string big5 = big5::Utf8ToBig5(bytes.substr(0, n), '\0');
  if (big5.size() == 2 && big5::IsBig5Lead(static_cast<unsigned char>(big5[0])))
    return {Key::Char(big5), n};
  if (big5.size() == 1 && big5[0] != '\0') return {Key::Char(big5[0]), n};
  return {Key{}, n};  // a character the program's text cannot hold
}

}  // namespace

Key KeyOfByte(unsigned char byte) {
  switch (byte) {
    case '\r':
    case '\n':
      return Key::Named(KeyId::kEnter);
    case '\t':
      return Key::Named(KeyId::kTab);
    case 8:
    case 127:
      return Key::Named(KeyId::kBackspace);
    case 27:
      return Key::Named(KeyId::kEsc);
    default:
      break;
  }
  if (byte >= 1 && byte <= 26) return Key::Char(static_cast<char>('a' + byte - 1), kCtrl);
  if (byte >= 32 && byte < 127) return Key::Char(static_cast<char>(byte));
  return {};
}

DecodedKey DecodeKey(std::string_view bytes, bool complete) {
  if (bytes.empty()) return {};
  const unsigned char first = static_cast<unsigned char>(bytes[0]);
  if (first >= 0x80) return DecodeUtf8(bytes, complete);
  if (first != static_cast<unsigned char>(kEscByte)) return {KeyOfByte(first), 1};
  if (bytes.size() == 1) return {complete ? Key::Named(KeyId::kEsc) : Key{}, complete ? 1u : 0u};
  const char second = bytes[1];
  if (second == '[') return DecodeControlSequence(bytes, 2, false, complete);
  if (second == 'O') {
    if (bytes.size() == 2) return {complete ? Key::Char('O', kAlt) : Key{}, complete ? 2u : 0u};
    return DecodeControlSequence(bytes, 2, true, complete);
  }
  if (second == kEscByte) {
    // Esc Esc: an Alt variant of the sequence that follows, or Esc itself.
    if (bytes.size() == 2) return {complete ? Key::Named(KeyId::kEsc) : Key{}, complete ? 1u : 0u};
    DecodedKey inner = DecodeKey(bytes.substr(1), complete);
    if (inner.used == 0) return inner;
    inner.key.mods |= kAlt;
    return {inner.key, inner.used + 1};
  }
  DecodedKey inner = DecodeKey(bytes.substr(1), complete);
  if (inner.used == 0) return inner;
  if (inner.key.valid()) inner.key.mods |= kAlt;
  return {inner.key, inner.used + 1};
}

}  // namespace zur::term
