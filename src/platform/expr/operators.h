#pragma once
// The binary and unary operators of expressions applied to values.

#include <string>

#include "platform/expr/node.h"
#include "platform/vars/value.h"

namespace zur::expr {

// + - * / : combines `left` with `right` into `left`. On a fault returns false and sets
// `error` (type mismatch, division by zero, overflow, result too long).
bool Arithmetic(Op op, Value& left, const Value& right, std::string& error);

// Relational operators and $: sets `result`. On a type fault returns false and sets `error`.
bool Relational(Op op, const Value& left, const Value& right, bool& result, std::string& error);

// Unary minus and plus on a number, in place.
bool Sign(Op op, Value& operand, std::string& error);

// The operator's spelling for messages ("+", ".AND." ...).
const char* OpName(Op op);

}  // namespace zur::expr
