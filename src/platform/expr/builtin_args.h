#pragma once
// Reading and checking the arguments of built-in functions.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/vars/value.h"

namespace zur::expr {

// Argument `i` as a text; otherwise a "Type mismatch in argument n" error.
bool TextArg(std::span<Value> args, size_t i, std::string_view& out, std::string& error);
bool NumArg(std::span<Value> args, size_t i, double& out, std::string& error);
bool DateArg(std::span<Value> args, size_t i, Date& out, std::string& error);
// A whole number (fractions cut off), clamped to +-1e15; infinities and NaN are refused.
bool CountArg(std::span<Value> args, size_t i, int64_t& out, std::string& error);
// A length for a text a function builds: refused when above the longest character value.
bool SizeArg(std::span<Value> args, size_t i, size_t& out, std::string& error);

// Returns the text of `out` emptied, making `out` a character value, keeping its capacity.
std::string& ResetText(Value& out);

}  // namespace zur::expr
