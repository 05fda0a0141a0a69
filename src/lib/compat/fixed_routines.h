#pragma once
// Routines of the older environment that have nothing to do here but must still answer: the
// menus and the start-up call them by name. Each gives its fixed answer and has no effect,
// except the file "encoders", which copy the file.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vars/value.h"

namespace zur::compat {

// The names of the fixed-answer routines (upper case).
const std::vector<std::string_view>& FixedRoutineNames();

// Puts the answer of the fixed-answer routine `name` (any case) to `args` in `out`; false when
// `name` is not one of them. Routines that return nothing answer Nil.
bool FixedRoutine(std::string_view name, std::span<const Value> args, Value& out);

// N_ENCODE, N_DECODE: copies the source file onto the target (trailing blanks of the names
// dropped), replacing the target atomically. False, with `error` naming the file, on failure.
bool EncodeFile(const std::string& source, const std::string& target, std::string& error);

}  // namespace zur::compat
