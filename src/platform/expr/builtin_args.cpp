#include "platform/expr/builtin_args.h"

#include <algorithm>
#include <cmath>

#include "platform/expr/limits.h"

namespace zur::expr {
namespace {

bool Wrong(size_t i, std::string& error) {
  error = "Type mismatch in argument " + std::to_string(i + 1);
  return false;
}

}  // namespace

bool TextArg(std::span<Value> args, size_t i, std::string_view& out, std::string& error) {
  if (!args[i].IsChar()) return Wrong(i, error);
  out = args[i].str();
  return true;
}

bool NumArg(std::span<Value> args, size_t i, double& out, std::string& error) {
  if (!args[i].IsNum()) return Wrong(i, error);
  out = args[i].num();
  return true;
}

bool DateArg(std::span<Value> args, size_t i, Date& out, std::string& error) {
  if (!args[i].IsDate()) return Wrong(i, error);
  out = args[i].date();
  return true;
}

bool CountArg(std::span<Value> args, size_t i, int64_t& out, std::string& error) {
  double d = 0;
  if (!NumArg(args, i, d, error)) return false;
  if (!std::isfinite(d)) {
    error = "Argument " + std::to_string(i + 1) + " out of range";
    return false;
  }
  d = std::clamp(std::trunc(d), -1e15, 1e15);
  out = static_cast<int64_t>(d);
  return true;
}

bool SizeArg(std::span<Value> args, size_t i, size_t& out, std::string& error) {
  int64_t n = 0;
  if (!CountArg(args, i, n, error)) return false;
  if (n > static_cast<int64_t>(kMaxTextSize)) {
    error = "Argument " + std::to_string(i + 1) + " too large";
    return false;
  }
  out = n < 0 ? 0 : static_cast<size_t>(n);
  return true;
}

std::string& ResetText(Value& out) {
  if (!out.IsChar()) out = Value(std::string());
  std::string& s = out.str();
  s.clear();
  return s;
}

}  // namespace zur::expr
