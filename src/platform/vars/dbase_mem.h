#pragma once
// Reader of dBASE ".MEM" memory files: a sequence of 32-byte variable headers, each followed by
// its value, usually closed by a 0x1A byte.
//
// Header: bytes 1-11 the name, up to the first NUL; byte 12 the type letter with 128 added (a
// plain letter is accepted too); byte 17 the length and byte 18 the decimals of the value.
// Values: "C" length + 256 x decimals bytes whose last byte (the terminating NUL) is dropped;
// "L" one byte, true when not 0; "N" an 8-byte little-endian IEEE double; "D" an 8-byte double
// holding the Julian day number, 0 for the blank date.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vars/value.h"

namespace zur {

inline constexpr size_t kDbaseMemHeaderBytes = 32;

struct DbaseMemVariable {
  std::string name;
  Value value;
};

struct DbaseMemRead {
  std::vector<DbaseMemVariable> vars;  // the valid variables, in file order
  // Problems found: invalid names (their values are skipped), numbers that are not finite
  // and dates that are no calendar date (skipped too), an unknown type or a value cut short
  // (both end the reading).
  int errors = 0;
  std::vector<std::string> problems;  // one line each, "variable NAME: ..." or "offset N: ..."
};

// Never reads outside `bytes`; stops at the end, at a header starting with 0x1A, at an
// unknown type or at a value cut short.
DbaseMemRead ReadDbaseMem(std::string_view bytes);

}  // namespace zur
