#include <gtest/gtest.h>

#include "platform/term/event_codes.h"
#include "platform/term/inkey_codes.h"
#include "platform/term/key_decoder.h"
#include "platform/term/keyboard.h"

namespace zur::term {
namespace {

struct CodeCase {
  Key key;
  int code;
};

TEST(KeysTest, InkeyCodesBothWays) {
  const CodeCase cases[] = {
      {Key::Named(KeyId::kEsc), 27},
      {Key::Named(KeyId::kEnter), 13},
      {Key::Named(KeyId::kPgDn), 3},
      {Key::Named(KeyId::kPgUp), 18},
      {Key::Named(KeyId::kUp), 5},
      {Key::Named(KeyId::kDown), 24},
      {Key::Named(KeyId::kLeft), 19},
      {Key::Named(KeyId::kRight), 4},
      {Key::Named(KeyId::kHome), 1},
      {Key::Named(KeyId::kEnd), 6},
      {Key::Named(KeyId::kTab, kShift), 271},
      {Key::Named(KeyId::kF1), 28},
      {Key::Named(KeyId::kF2), -1},
      {Key::Named(KeyId::kF10), -9},
      {Key::Named(KeyId::kF7, kShift), -16},
      {Key::Named(KeyId::kF10, kShift), -19},
      {Key::Named(KeyId::kF10, kCtrl), -29},
      {Key::Named(KeyId::kF4, kAlt), -33},
      {Key::Named(KeyId::kF8, kAlt), -37},
      {Key::Char('p', kAlt), 281},
      {Key::Char('i', kAlt), 279},
      {Key::Char('l', kAlt), 294},
      {Key::Char('o', kAlt), 280},
      {Key::Char('a'), 97},
      {Key::Char("\xa4\xa4"), 0xa4a4},
      {Key::Named(KeyId::kEnd, kCtrl), 23},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(inkey::FromKey(c.key), c.code) << KeyName(c.key);
    EXPECT_EQ(inkey::ToKey(c.code), c.key) << c.code;
  }
  // Codes shared by a named key and a control key are the named key.
  EXPECT_EQ(inkey::ToKey(24), Key::Named(KeyId::kDown));
  EXPECT_EQ(inkey::ToKey(11), Key::Char('k', kCtrl));
  EXPECT_EQ(inkey::FromKey(Key::Char('c', kCtrl)), inkey::kPgDn);
}

TEST(KeysTest, EventCodesBothWays) {
  const CodeCase cases[] = {
      {Key::Named(KeyId::kEsc), 27},
      {Key::Named(KeyId::kEnter), 13},
      {Key::Named(KeyId::kTab), 9},
      {Key::Named(KeyId::kTab, kShift), 131081},
      {Key::Named(KeyId::kPgUp), 65569},
      {Key::Named(KeyId::kPgDn), 65570},
      {Key::Named(KeyId::kUp), 65574},
      {Key::Named(KeyId::kDown), 65576},
      {Key::Named(KeyId::kF1), 65648},
      {Key::Char('p', kAlt), 327760},
      {Key::Char('a'), 97},
      {Key::Char("\xa4\xa4"), 0xa4a4},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(event::FromKey(c.key), c.code) << KeyName(c.key);
    EXPECT_EQ(event::ToKey(c.code), c.key) << c.code;
    EXPECT_TRUE(event::IsKey(c.code));
  }
  EXPECT_FALSE(event::IsKey(event::kActivate));
  EXPECT_FALSE(event::ToKey(event::kActivate).valid());
}

struct SequenceCase {
  std::string bytes;
  Key key;
  size_t used;
};

TEST(KeysTest, TerminalSequencesDecode) {
  const SequenceCase cases[] = {
      {"\x1b[A", Key::Named(KeyId::kUp), 3},
      {"\x1bOA", Key::Named(KeyId::kUp), 3},
      {"\x1b[1;5D", Key::Named(KeyId::kLeft, kCtrl), 6},
      {"\x1b[21~", Key::Named(KeyId::kF10), 5},
      {"\x1b[21;2~", Key::Named(KeyId::kF10, kShift), 7},
      {"\x1b[21;5~", Key::Named(KeyId::kF10, kCtrl), 7},
      {"\x1b[18;3~", Key::Named(KeyId::kF7, kAlt), 7},
      {"\x1b[18;2~", Key::Named(KeyId::kF7, kShift), 7},
      {"\x1bOP", Key::Named(KeyId::kF1), 3},
      {"\x1b[1;2P", Key::Named(KeyId::kF1, kShift), 6},
      {"\x1b[Z", Key::Named(KeyId::kTab, kShift), 3},
      {"\x1b[5~", Key::Named(KeyId::kPgUp), 4},
      {"\x1b[6;5~", Key::Named(KeyId::kPgDn, kCtrl), 6},
      {"\x1b[1~", Key::Named(KeyId::kHome), 4},
      {"\x1b[4~", Key::Named(KeyId::kEnd), 4},
      {"\x1bp", Key::Char('p', kAlt), 2},
      {"\x1b\x1b[A", Key::Named(KeyId::kUp, kAlt), 4},
      {"\r", Key::Named(KeyId::kEnter), 1},
      {"\x7f", Key::Named(KeyId::kBackspace), 1},
      {"\x03", Key::Char('c', kCtrl), 1},
      {"\xe4\xb8\xad", Key::Char("\xa4\xa4"), 3},  // a Chinese character typed as UTF-8
      {"\x1b[99~", Key{}, 5},                      // unknown: taken and dropped
  };
  for (const SequenceCase& c : cases) {
    const DecodedKey d = DecodeKey(c.bytes, true);
    EXPECT_EQ(d.key, c.key) << KeyName(d.key);
    EXPECT_EQ(d.used, c.used);
  }
  // Bytes that may be the start of a longer sequence wait unless nothing more is coming.
  EXPECT_EQ(DecodeKey("\x1b", false).used, 0u);
  EXPECT_EQ(DecodeKey("\x1b[2", false).used, 0u);
  EXPECT_EQ(DecodeKey("\xe4\xb8", false).used, 0u);
  EXPECT_EQ(DecodeKey("\x1b", true).key, Key::Named(KeyId::kEsc));
}

TEST(KeysTest, KeyboardBufferReadsBytesAsInkeyCodes) {
  KeyboardBuffer buffer;
  buffer.Push(Key::Char('z'));
  buffer.Fill("1\r,\x18\x1b\xa4\xa4");  // replaces what was there
  const Key expected[] = {Key::Char('1'),          Key::Named(KeyId::kEnter),
                          Key::Char(','),          Key::Named(KeyId::kDown),
                          Key::Named(KeyId::kEsc), Key::Char("\xa4\xa4")};
  for (const Key& k : expected) EXPECT_EQ(buffer.Pop(), k);
  EXPECT_TRUE(buffer.empty());
  EXPECT_FALSE(buffer.Pop().valid());
}

}  // namespace
}  // namespace zur::term
