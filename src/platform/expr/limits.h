#pragma once
// Bounds that keep a damaged or hostile expression text from exhausting the stack or memory.

#include <cstddef>

namespace zur::expr {

// Deepest nesting of the compiled tree (parentheses, operator chains, arguments).
inline constexpr int kMaxDepth = 200;
// Longest character value an operator or a built-in may produce.
inline constexpr size_t kMaxTextSize = size_t{1} << 20;
// Most arguments one function call may take.
inline constexpr size_t kMaxArgs = 64;
// Nesting of evaluations within evaluations (TYPE(), routines evaluating texts).
inline constexpr int kMaxNestedEvaluations = 32;

}  // namespace zur::expr
