#pragma once
// The functions every expression can call without registering them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/vars/value.h"

namespace zur::expr {

class Context;

// Writes the result into `out` (whose old contents may be reused); on a fault sets `error`
// and returns false.
using BuiltinFn = bool (*)(std::span<Value> args, Context& ctx, Value& out, std::string& error);

struct BuiltinInfo {
  std::string_view name;
  uint8_t min_args;
  uint8_t max_args;
  BuiltinFn fn;
};

// The built-in of that (upper-case) name, or null.
const BuiltinInfo* FindBuiltin(std::string_view upper_name);

// Tables of the groups below, joined by FindBuiltin.
std::span<const BuiltinInfo> TextBuiltins();
std::span<const BuiltinInfo> ConversionBuiltins();
std::span<const BuiltinInfo> GeneralBuiltins();

}  // namespace zur::expr
