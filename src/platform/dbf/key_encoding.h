#pragma once
// Index keys as byte strings whose byte order is the order of the values they stand for.

#include <string>

#include "platform/vars/value.h"

namespace zur::dbf {

// C: the bytes; N: 8 bytes of the double with the sign flipped so that memcmp orders them;
// D: "YYYYMMDD" (the blank date is eight blanks, before every real date); L: "T" or "F".
// Returns false for values that cannot be keys (arrays, objects, Nil).
bool EncodeKey(const Value& v, std::string& out);

}  // namespace zur::dbf
