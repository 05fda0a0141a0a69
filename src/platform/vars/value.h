#pragma once
// The dynamically typed value of a memory variable, an expression result or a table field.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/vars/date.h"

namespace zur {

class Value;

// Arrays are shared by reference, as xBase arrays are: assigning one shares it.
using Array = std::vector<Value>;
using ArrayRef = std::shared_ptr<Array>;

// An object value: anything the program keeps behind a name (dialogs, readers ...).
struct Object {
  virtual ~Object() = default;
};
using ObjectRef = std::shared_ptr<Object>;

// A code value: a callable taking its arguments by reference.
using Code = std::function<Value(std::vector<Value>& args)>;
using CodeRef = std::shared_ptr<Code>;

struct Nil {
  friend bool operator==(Nil, Nil) { return true; }
};

class Value {
 public:
  enum class Kind { kNil, kChar, kNum, kDate, kLogical, kArray, kObject, kCode };

  Value() = default;
  Value(std::string s) : v_(std::move(s)) {}
  Value(std::string_view s) : v_(std::string(s)) {}
  Value(const char* s) : v_(std::string(s)) {}
  Value(double d) : v_(d) {}
  Value(int i) : v_(static_cast<double>(i)) {}
  Value(long i) : v_(static_cast<double>(i)) {}
  Value(long long i) : v_(static_cast<double>(i)) {}
  Value(Date d) : v_(d) {}
  Value(bool b) : v_(b) {}
  Value(ArrayRef a) : v_(std::move(a)) {}
  Value(ObjectRef o) : v_(std::move(o)) {}
  Value(CodeRef c) : v_(std::move(c)) {}

  static Value NewArray(size_t n = 0) { return Value(std::make_shared<Array>(n)); }
  static Value NewArray(Array elements) {
    return Value(std::make_shared<Array>(std::move(elements)));
  }
  static Value NewCode(Code c) { return Value(std::make_shared<Code>(std::move(c))); }

  Kind kind() const { return static_cast<Kind>(v_.index()); }
  // "C", "N", "D", "L", "A", "O" or "U" (objects and code values are both "O").
  char TypeLetter() const;

  bool IsNil() const { return kind() == Kind::kNil; }
  bool IsChar() const { return kind() == Kind::kChar; }
  bool IsNum() const { return kind() == Kind::kNum; }
  bool IsDate() const { return kind() == Kind::kDate; }
  bool IsLogical() const { return kind() == Kind::kLogical; }
  bool IsArray() const { return kind() == Kind::kArray; }
  bool IsObject() const { return kind() == Kind::kObject; }
  bool IsCode() const { return kind() == Kind::kCode; }

  // Accessors: the caller checks the kind first; a wrong kind throws std::bad_variant_access.
  const std::string& str() const { return std::get<std::string>(v_); }
  std::string& str() { return std::get<std::string>(v_); }
  double num() const { return std::get<double>(v_); }
  Date date() const { return std::get<Date>(v_); }
  bool logical() const { return std::get<bool>(v_); }
  const ArrayRef& array() const { return std::get<ArrayRef>(v_); }
  const ObjectRef& object() const { return std::get<ObjectRef>(v_); }
  const CodeRef& code() const { return std::get<CodeRef>(v_); }

  // Lenient readers for settings-style use: a value of another kind gives the fallback.
  std::string_view StrOr(std::string_view fallback = {}) const {
    return IsChar() ? std::string_view(str()) : fallback;
  }
  double NumOr(double fallback = 0) const { return IsNum() ? num() : fallback; }
  bool IsTrue() const { return IsLogical() && logical(); }

  // Deep equality: same kind and same contents (arrays element by element).
  friend bool operator==(const Value& a, const Value& b);

 private:
  std::variant<Nil, std::string, double, Date, bool, ArrayRef, ObjectRef, CodeRef> v_;
};

}  // namespace zur
