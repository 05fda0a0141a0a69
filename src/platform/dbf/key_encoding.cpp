#include "platform/dbf/key_encoding.h"

#include <bit>
#include <cstdint>

namespace zur::dbf {

bool EncodeKey(const Value& v, std::string& out) {
  switch (v.kind()) {
    case Value::Kind::kChar:
      out = v.str();
      return true;
    case Value::Kind::kNum: {
      double d = v.num();
      if (d == 0) d = 0;  // -0 and +0 are one key
      uint64_t bits = std::bit_cast<uint64_t>(d);
      bits = (bits & (uint64_t{1} << 63)) ? ~bits : bits | (uint64_t{1} << 63);
      out.resize(8);
      for (int i = 0; i < 8; ++i) out[i] = static_cast<char>(bits >> (56 - 8 * i));
      return true;
    }
    case Value::Kind::kDate:
      out = v.date().Dtos();
      return true;
    case Value::Kind::kLogical:
      out.assign(1, v.logical() ? 'T' : 'F');
      return true;
    default:
      return false;
  }
}

}  // namespace zur::dbf
