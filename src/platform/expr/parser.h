#pragma once
// Builds the node tree of an expression text.

#include <string>
#include <string_view>

#include "platform/expr/node.h"

namespace zur::expr {

// Parses `text` into `program`. On a syntax error returns false with the byte position and
// a message.
bool Parse(std::string_view text, Program& program, size_t& error_pos, std::string& message);

}  // namespace zur::expr
