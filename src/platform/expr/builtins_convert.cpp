// Built-in functions converting between numbers, dates and text.

#include "platform/expr/builtin_args.h"
#include "platform/expr/builtins.h"
#include "platform/expr/date_text.h"
#include "platform/expr/number_text.h"

namespace zur::expr {
namespace {

using Args = std::span<Value>;

constexpr int64_t kMaxStrWidth = 255;
constexpr int64_t kMaxStrDecimals = 30;

// STR(n[, width[, decimals]]): width 10 and no decimals unless given.
bool Str(Args args, Context&, Value& out, std::string& error) {
  double n = 0;
  int64_t width = 10, decimals = 0;
  if (!NumArg(args, 0, n, error)) return false;
  if (args.size() > 1 && !CountArg(args, 1, width, error)) return false;
  if (args.size() > 2 && !CountArg(args, 2, decimals, error)) return false;
  if (width < 1 || width > kMaxStrWidth) {
    error = "width must be 1 to " + std::to_string(kMaxStrWidth);
    return false;
  }
  if (decimals < 0 || decimals > kMaxStrDecimals) {
    error = "decimals must be 0 to " + std::to_string(kMaxStrDecimals);
    return false;
  }
  out = Value(FormatNumber(n, static_cast<int>(width), static_cast<int>(decimals)));
  return true;
}

bool Val(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  if (!TextArg(args, 0, s, error)) return false;
  const std::optional<double> v = ParseNumber(s);
  if (!v) {
    error = "number out of range";
    return false;
  }
  out = Value(*v);
  return true;
}

bool Dtoc(Args args, Context&, Value& out, std::string& error) {
  Date d;
  if (!DateArg(args, 0, d, error)) return false;
  out = Value(FormatDate(d));
  return true;
}

bool Dtos(Args args, Context&, Value& out, std::string& error) {
  Date d;
  if (!DateArg(args, 0, d, error)) return false;
  out = Value(d.Dtos());
  return true;
}

bool Ctod(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  if (!TextArg(args, 0, s, error)) return false;
  out = Value(ParseDate(s));
  return true;
}

bool Today(Args, Context&, Value& out, std::string&) {
  out = Value(Date::Today());
  return true;
}

constexpr BuiltinInfo kTable[] = {
    {"STR", 1, 3, Str},   {"VAL", 1, 1, Val},   {"DTOC", 1, 1, Dtoc},
    {"DTOS", 1, 1, Dtos}, {"CTOD", 1, 1, Ctod}, {"DATE", 0, 0, Today},
};

}  // namespace

std::span<const BuiltinInfo> ConversionBuiltins() {
  return kTable;
}

}  // namespace zur::expr
