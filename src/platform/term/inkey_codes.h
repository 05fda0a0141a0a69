#pragma once
// The inkey codes of the console routines: the xBase key numbering that light-bar menus,
// GET/READ, "wait for a key", the keyboard buffer and the last-key test work with.

#include "platform/term/key.h"

namespace zur::term::inkey {

inline constexpr int kNoKey = 0;
inline constexpr int kHome = 1;
inline constexpr int kCtrlRight = 2;
inline constexpr int kPgDn = 3;
inline constexpr int kRight = 4;
inline constexpr int kUp = 5;
inline constexpr int kEnd = 6;
inline constexpr int kDel = 7;
inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kCtrlEnter = 10;
inline constexpr int kEnter = 13;
inline constexpr int kPgUp = 18;
inline constexpr int kLeft = 19;
inline constexpr int kIns = 22;
inline constexpr int kCtrlEnd = 23;
inline constexpr int kDown = 24;
inline constexpr int kCtrlLeft = 26;
inline constexpr int kEsc = 27;
inline constexpr int kF1 = 28;
inline constexpr int kCtrlHome = 29;
inline constexpr int kCtrlPgDn = 30;
inline constexpr int kCtrlPgUp = 31;
inline constexpr int kShiftTab = 271;
inline constexpr int kF10 = -9;
inline constexpr int kShiftF7 = -16;
inline constexpr int kShiftF10 = -19;
inline constexpr int kCtrlF10 = -29;
inline constexpr int kAltF4 = -33;
inline constexpr int kAltF8 = -37;
inline constexpr int kAltI = 279;
inline constexpr int kAltL = 294;
inline constexpr int kAltO = 280;
inline constexpr int kAltP = 281;

// The code of a key; 0 for a key the numbering has no code for. A Big5 character gives its
// lead byte.
int FromKey(const Key& key);
// The key of a code: the named keys first (24 is Down, 3 is Page Down), then the other
// control bytes as Ctrl+letter, then the byte itself as a character. 0 gives no key.
Key ToKey(int code);

}  // namespace zur::term::inkey
