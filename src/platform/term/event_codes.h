#pragma once
// The event codes of the application event queue. Codes below kFirstNonKey are key events:
// a character is its byte value (Enter 13, Esc 27, Tab 9), other keys are a virtual-key
// number with kVirtual set, and the modifiers add kShiftFlag, kAltFlag and kCtrlFlag
// (Shift+Tab 131081, Page Down 65570, F1 65648, Alt+P 327760). Codes from kFirstNonKey on are
// the events of widgets and of the window.

#include "platform/term/key.h"

namespace zur::term::event {

inline constexpr int kVirtual = 0x10000;
inline constexpr int kShiftFlag = 0x20000;
inline constexpr int kAltFlag = 0x40000;
inline constexpr int kCtrlFlag = 0x80000;

inline constexpr int kEsc = 27;
inline constexpr int kEnter = 13;
inline constexpr int kTab = 9;
inline constexpr int kBackspace = 8;
inline constexpr int kShiftTab = kShiftFlag | kTab;  // 131081
inline constexpr int kPgUp = kVirtual | 0x21;        // 65569
inline constexpr int kPgDn = kVirtual | 0x22;        // 65570
inline constexpr int kEnd = kVirtual | 0x23;
inline constexpr int kHome = kVirtual | 0x24;
inline constexpr int kLeft = kVirtual | 0x25;
inline constexpr int kUp = kVirtual | 0x26;  // 65574
inline constexpr int kRight = kVirtual | 0x27;
inline constexpr int kDown = kVirtual | 0x28;  // 65576
inline constexpr int kInsert = kVirtual | 0x2d;
inline constexpr int kDelete = kVirtual | 0x2e;
inline constexpr int kF1 = kVirtual | 0x70;              // 65648; F2 .. F12 follow
inline constexpr int kAltP = kAltFlag | kVirtual | 'P';  // 327760

inline constexpr int kFirstNonKey = 0x100000;  // 1048576
// A push button was activated (Enter through its key handler, Space, a click).
inline constexpr int kActivate = kFirstNonKey + 0x21;  // 1048609
// A check box changed its state; mp1 is 1 when it is now checked.
inline constexpr int kSelected = kFirstNonKey + 0x22;
// A menu entry was chosen; mp1 is its number in its menu (from 1, separators counted),
// the target the menu.
inline constexpr int kMenuSelected = kFirstNonKey + 0x23;
// A mouse click; mp1 the grid column, mp2 the grid row, the target the widget under it.
inline constexpr int kMouseClick = kFirstNonKey + 0x30;
// The window or a dialog is asked to close.
inline constexpr int kClose = kFirstNonKey + 0x38;  // 1048632
// The first code free for the program's own events.
inline constexpr int kUser = 0x200000;

constexpr bool IsKey(int code) {
  return code >= 0 && code < kFirstNonKey;
}

// The event code of a key; 0 for no key.
int FromKey(const Key& key);
// The key of a key event code; no key for other codes.
Key ToKey(int code);

}  // namespace zur::term::event
