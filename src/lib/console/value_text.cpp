#include "lib/console/value_text.h"

#include <fmt/format.h>

#include <cmath>

namespace zur::console {
namespace {

// Arrays nest and may hold themselves: deeper levels and long arrays are cut.
constexpr int kMaxDepth = 4;
constexpr size_t kMaxElements = 50;

std::string Text(const Value& v, int depth) {
  switch (v.kind()) {
    case Value::Kind::kNil:
      return "NIL";
    case Value::Kind::kChar:
      return v.str();
    case Value::Kind::kNum:
      return std::isfinite(v.num()) ? fmt::format("{}", v.num()) : "***";
    case Value::Kind::kDate:
      return v.date().IsBlank() ? "  /  /    "
                                : fmt::format("{:02}/{:02}/{:04}", v.date().Day(), v.date().Month(),
                                              v.date().Year());
    case Value::Kind::kLogical:
      return v.logical() ? ".T." : ".F.";
    case Value::Kind::kArray: {
      if (!v.array() || depth >= kMaxDepth) return "{...}";
      std::string out = "{";
      for (size_t i = 0; i < v.array()->size(); ++i) {
        if (i == kMaxElements) {
          out += ", ...";
          break;
        }
        if (i > 0) out += ", ";
        const Value& e = (*v.array())[i];
        out += e.IsChar() ? "\"" + e.str() + "\"" : Text(e, depth + 1);
      }
      return out + "}";
    }
    case Value::Kind::kObject:
      return "(object)";
    case Value::Kind::kCode:
      return "(code)";
  }
  return "";
}

}  // namespace

std::string ValueText(const Value& value) {
  return Text(value, 0);
}

}  // namespace zur::console
