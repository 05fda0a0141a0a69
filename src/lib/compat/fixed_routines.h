#pragma once
// Routines of the older environment that have nothing to do here but must still answer: the
// menus and the start-up call them by name. Each gives its fixed answer and has no effect,
// except the file "encoders", which copy the file.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vars/value.h"

namespace zur::compat {

// The names of the fixed-answer routines (upper case).
const std::vector<std::string_view>& FixedRoutineNames();

// The answer of the fixed-answer routine `name` (any case) to `args`, or nothing when `name`
// is not one of them. Routines that return nothing answer Nil.
std::optional<Value> FixedRoutine(std::string_view name, std::span<const Value> args);

// N_ENCODE, N_DECODE: copies the source file onto the target (trailing blanks of the names
// dropped), replacing the target atomically. False, with `error` naming the file, on failure.
bool EncodeFile(const std::string& source, const std::string& target, std::string& error);

}  // namespace zur::compat
