#include "platform/vars/value.h"

namespace zur {

char Value::TypeLetter() const {
  switch (kind()) {
    case Kind::kChar: return 'C';
    case Kind::kNum: return 'N';
    case Kind::kDate: return 'D';
    case Kind::kLogical: return 'L';
    case Kind::kArray: return 'A';
    case Kind::kObject:
    case Kind::kCode: return 'O';
    case Kind::kNil: break;
  }
  return 'U';
}

bool operator==(const Value& a, const Value& b) {
  if (a.kind() != b.kind()) return false;
  switch (a.kind()) {
    case Value::Kind::kNil: return true;
    case Value::Kind::kChar: return a.str() == b.str();
    case Value::Kind::kNum: return a.num() == b.num();
    case Value::Kind::kDate: return a.date() == b.date();
    case Value::Kind::kLogical: return a.logical() == b.logical();
    case Value::Kind::kArray: {
      const Array& x = *a.array();
      const Array& y = *b.array();
      if (&x == &y) return true;
      if (x.size() != y.size()) return false;
      for (size_t i = 0; i < x.size(); ++i)
        if (!(x[i] == y[i])) return false;
      return true;
    }
    case Value::Kind::kObject: return a.object() == b.object();
    case Value::Kind::kCode: return a.code() == b.code();
  }
  return false;
}

}  // namespace zur
