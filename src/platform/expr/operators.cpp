#include "platform/expr/operators.h"

#include <cmath>
#include <cstdint>

#include "platform/expr/limits.h"
#include "platform/expr/text_compare.h"

namespace zur::expr {
namespace {

bool Mismatch(Op op, std::string& error) {
  error = std::string("Type mismatch in ") + OpName(op);
  return false;
}

bool SetNumber(Value& out, double v, std::string& error) {
  if (!std::isfinite(v)) {
    error = "Numeric overflow";
    return false;
  }
  out = Value(v);
  return true;
}

// A date moved by a number of days; the result must stay within the years 1 to 9999.
bool ShiftDate(Value& out, Date d, double days, std::string& error) {
  static const Date kFirst = *Date::FromYmd(1, 1, 1);
  static const Date kLast = *Date::FromYmd(9999, 12, 31);
  if (!std::isfinite(days) || std::fabs(days) > 4e6) {
    error = "Date out of range";
    return false;
  }
  if (d.IsBlank()) {
    out = Value(Date());
    return true;
  }
  const Date r = d.AddDays(static_cast<int64_t>(std::trunc(days)));
  if (r < kFirst || r > kLast) {
    error = "Date out of range";
    return false;
  }
  out = Value(r);
  return true;
}

bool TextTooLong(size_t a, size_t b, std::string& error) {
  if (a + b <= kMaxTextSize) return false;
  error = "Character value too long";
  return true;
}

// "A  " - "B " gives "AB   ": the left's trailing blanks move to the end.
void MinusConcat(std::string& left, const std::string& right) {
  const size_t keep = left.find_last_not_of(' ') + 1;  // npos + 1 == 0 for all blanks
  const size_t blanks = left.size() - keep;
  left.resize(keep);
  left.append(right);
  left.append(blanks, ' ');
}

}  // namespace

const char* OpName(Op op) {
  switch (op) {
    case Op::kAdd:
      return "+";
    case Op::kSub:
      return "-";
    case Op::kMul:
      return "*";
    case Op::kDiv:
      return "/";
    case Op::kEq:
      return "=";
    case Op::kExactEq:
      return "==";
    case Op::kNe:
      return "<>";
    case Op::kLt:
      return "<";
    case Op::kLe:
      return "<=";
    case Op::kGt:
      return ">";
    case Op::kGe:
      return ">=";
    case Op::kContains:
      return "$";
    case Op::kAnd:
      return ".AND.";
    case Op::kOr:
      return ".OR.";
    case Op::kNot:
      return ".NOT.";
    case Op::kNeg:
      return "unary -";
    case Op::kPlusSign:
      return "unary +";
    default:
      return "expression";
  }
}

bool Arithmetic(Op op, Value& left, const Value& right, std::string& error) {
  if (left.IsNum() && right.IsNum()) {
    const double a = left.num(), b = right.num();
    switch (op) {
      case Op::kAdd:
        return SetNumber(left, a + b, error);
      case Op::kSub:
        return SetNumber(left, a - b, error);
      case Op::kMul:
        return SetNumber(left, a * b, error);
      case Op::kDiv:
        if (b == 0) {
          error = "Division by zero";
          return false;
        }
        return SetNumber(left, a / b, error);
      default:
        return Mismatch(op, error);
    }
  }
  if (left.IsChar() && right.IsChar() && (op == Op::kAdd || op == Op::kSub)) {
    if (TextTooLong(left.str().size(), right.str().size(), error)) return false;
    if (op == Op::kAdd) {
      left.str().append(right.str());
    } else {
      MinusConcat(left.str(), right.str());
    }
    return true;
  }
  if (left.IsDate() && right.IsNum() && (op == Op::kAdd || op == Op::kSub)) {
    return ShiftDate(left, left.date(), op == Op::kAdd ? right.num() : -right.num(), error);
  }
  if (left.IsNum() && right.IsDate() && op == Op::kAdd) {
    return ShiftDate(left, right.date(), left.num(), error);
  }
  if (left.IsDate() && right.IsDate() && op == Op::kSub) {
    left = Value(static_cast<double>(left.date().DaysSince(right.date())));
    return true;
  }
  return Mismatch(op, error);
}

namespace {

bool FromOrder(Op op, int c, bool& result) {
  switch (op) {
    case Op::kEq:
    case Op::kExactEq:
      result = c == 0;
      return true;
    case Op::kNe:
      result = c != 0;
      return true;
    case Op::kLt:
      result = c < 0;
      return true;
    case Op::kLe:
      result = c <= 0;
      return true;
    case Op::kGt:
      result = c > 0;
      return true;
    case Op::kGe:
      result = c >= 0;
      return true;
    default:
      return false;
  }
}

template <typename T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

bool Relational(Op op, const Value& left, const Value& right, bool& result, std::string& error) {
  if (op == Op::kContains) {
    if (!left.IsChar() || !right.IsChar()) return Mismatch(op, error);
    // An empty text is not contained anywhere.
    result = !left.str().empty() && right.str().find(left.str()) != std::string::npos;
    return true;
  }
  int c = 0;
  if (left.IsChar() && right.IsChar()) {
    c = op == Op::kExactEq ? CompareExact(left.str(), right.str())
                           : CompareNonExact(left.str(), right.str());
  } else if (left.IsNum() && right.IsNum()) {
    if (std::isnan(left.num()) || std::isnan(right.num())) {
      result = op == Op::kNe;  // nothing equals or orders with a damaged number
      return true;
    }
    c = Order(left.num(), right.num());
  } else if (left.IsDate() && right.IsDate()) {
    c = Order(left.date(), right.date());
  } else if (left.IsLogical() && right.IsLogical()) {
    c = Order(left.logical(), right.logical());
  } else if ((left.IsNil() || right.IsNil()) &&
             (op == Op::kEq || op == Op::kExactEq || op == Op::kNe)) {
    c = left.IsNil() && right.IsNil() ? 0 : 1;
  } else {
    return Mismatch(op, error);
  }
  if (!FromOrder(op, c, result)) return Mismatch(op, error);
  return true;
}

bool Sign(Op op, Value& operand, std::string& error) {
  if (!operand.IsNum()) return Mismatch(op, error);
  if (op == Op::kNeg) operand = Value(-operand.num());
  return true;
}

}  // namespace zur::expr
