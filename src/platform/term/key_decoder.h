#pragma once
// Turns the bytes a terminal sends into keys: control bytes, UTF-8 characters (to Big5), and
// the escape sequences of xterm-like terminals and tmux (cursor and function keys with their
// Shift, Alt and Ctrl variants, Alt+character as Esc followed by it).

#include <cstddef>
#include <string_view>

#include "platform/term/key.h"

namespace zur::term {

struct DecodedKey {
  Key key;          // no key for a sequence that was recognised as unknown
  size_t used = 0;  // bytes taken; 0 when the bytes are the start of a longer sequence
};

// Decodes the first key of `bytes`. With `complete` the bytes are all there is (the
// terminal sent nothing more in time): a lone Esc is the Esc key and a cut sequence is
// given up rather than waited for.
DecodedKey DecodeKey(std::string_view bytes, bool complete);

// The key of a control byte or printable ASCII byte (Enter, Tab, Backspace, Ctrl+letter).
Key KeyOfByte(unsigned char byte);

}  // namespace zur::term
