// Built-in functions on values of any kind and on the current record.

#include "platform/expr/builtin_args.h"
#include "platform/expr/builtins.h"
#include "platform/expr/expression.h"

namespace zur::expr {
namespace {

using Args = std::span<Value>;

bool IsEmptyValue(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::kNil:
      return true;
    case Value::Kind::kChar:
      return v.str().find_first_not_of(" \t\r\n") == std::string::npos;
    case Value::Kind::kNum:
      return v.num() == 0;
    case Value::Kind::kDate:
      return v.date().IsBlank();
    case Value::Kind::kLogical:
      return !v.logical();
    case Value::Kind::kArray:
      return v.array()->empty();
    default:
      return false;
  }
}

bool Empty(Args args, Context&, Value& out, std::string&) {
  out = Value(IsEmptyValue(args[0]));
  return true;
}

// TYPE("text"): the type letter of what the text evaluates to, "U" when it does not compile
// or does not evaluate.
bool Type(Args args, Context& ctx, Value& out, std::string& error) {
  std::string_view s;
  if (!TextArg(args, 0, s, error)) return false;
  Value v;
  Error e;
  const char letter = EvaluateText(s, ctx, v, e) ? v.TypeLetter() : 'U';
  out = Value(std::string(1, letter));
  return true;
}

bool Deleted(Args, Context& ctx, Value& out, std::string&) {
  out = Value(ctx.fields != nullptr && ctx.fields->Deleted());
  return true;
}

bool Recno(Args, Context& ctx, Value& out, std::string&) {
  out = Value(ctx.fields != nullptr ? ctx.fields->RecNo() : 0.0);
  return true;
}

constexpr BuiltinInfo kTable[] = {
    {"EMPTY", 1, 1, Empty},
    {"TYPE", 1, 1, Type},
    {"DELETED", 0, 0, Deleted},
    {"RECNO", 0, 0, Recno},
};

}  // namespace

std::span<const BuiltinInfo> GeneralBuiltins() {
  return kTable;
}

}  // namespace zur::expr
