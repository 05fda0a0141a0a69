#pragma once
// Argument checks for the program's routines when they are called from expression texts.

#include <fmt/format.h>

#include <span>
#include <string>
#include <string_view>

#include "platform/expr/expression.h"

namespace zur::compat {

// Reads typed arguments of routine `name`; the first wrong one fills `error` with
// "<NAME>: argument <n> must be <kind>".
class RoutineArgs {
 public:
  RoutineArgs(std::string_view name, std::span<Value> args, std::string& error)
      : name_(name), args_(args), error_(error) {}

  size_t size() const { return args_.size(); }
  bool Has(size_t i) const { return i < args_.size() && !args_[i].IsNil(); }
  Value& at(size_t i) { return args_[i]; }

  bool Text(size_t i, std::string_view& out) {
    if (i < args_.size() && args_[i].IsChar()) return out = args_[i].str(), true;
    return Fail(i, "a text");
  }
  // An optional text: a missing or Nil argument gives `fallback`.
  bool OptText(size_t i, std::string_view& out, std::string_view fallback) {
    if (!Has(i)) return out = fallback, true;
    return Text(i, out);
  }
  bool Number(size_t i, double& out) {
    if (i < args_.size() && args_[i].IsNum()) return out = args_[i].num(), true;
    return Fail(i, "a number");
  }
  // A whole number within +-1e6 (widths and lengths); fractions are cut off.
  bool Width(size_t i, int& out) {
    double d = 0;
    if (!Number(i, d)) return false;
    if (!(d >= -1e6 && d <= 1e6)) return Fail(i, "a width");
    out = static_cast<int>(d);
    return true;
  }
  bool DateValue(size_t i, Date& out) {
    if (i < args_.size() && args_[i].IsDate()) return out = args_[i].date(), true;
    return Fail(i, "a date");
  }
  bool ArrayValue(size_t i, ArrayRef& out) {
    if (i < args_.size() && args_[i].IsArray() && args_[i].array()) {
      out = args_[i].array();
      return true;
    }
    return Fail(i, "an array");
  }

 private:
  bool Fail(size_t i, std::string_view kind) {
    error_ = fmt::format("{}: argument {} must be {}", name_, i + 1, kind);
    return false;
  }
  std::string_view name_;
  std::span<Value> args_;
  std::string& error_;
};

// The store an evaluation works on: the context's, else the one the routines were bound to.
inline VarStore& StoreOf(expr::Context& ctx, VarStore& bound) {
  return ctx.vars != nullptr ? *ctx.vars : bound;
}

// A routine of one text argument whose result `f(text)` becomes a Value.
template <typename F>
expr::Function TextRoutine(std::string_view name, F f) {
  return [name, f](std::span<Value> args, expr::Context&, std::string& error) -> Value {
    RoutineArgs a(name, args, error);
    std::string_view s;
    if (!a.Text(0, s)) return Value();
    return Value(f(s));
  };
}

}  // namespace zur::compat
