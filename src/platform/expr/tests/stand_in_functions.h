#pragma once
// Stand-ins for the program's own key routines, for tests, benchmarks and the fuzz target:
// STRVAL3(x) right-justifies the trimmed text (or the whole number) in 5 characters.

#include <cmath>
#include <string>

#include "platform/expr/expression.h"

namespace zur::expr::testing {

inline Value StrVal3(std::span<Value> args, Context&, std::string& error) {
  if (args.size() != 1) {
    error = "one argument expected";
    return Value();
  }
  std::string digits;
  if (args[0].IsChar()) {
    const std::string& s = args[0].str();
    const size_t first = s.find_first_not_of(' ');
    if (first != std::string::npos) digits = s.substr(first, s.find_last_not_of(' ') + 1 - first);
  } else if (args[0].IsNum() && std::isfinite(args[0].num()) && std::fabs(args[0].num()) < 1e15) {
    digits = std::to_string(static_cast<long long>(args[0].num()));
  } else {
    error = "character or number expected";
    return Value();
  }
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), ' ');
  return Value(std::move(digits));
}

inline void RegisterStandIns(FunctionTable& table) {
  table.Register("StrVal3", StrVal3);
}

}  // namespace zur::expr::testing
