#include "platform/expr/text_case.h"

namespace zur::expr {
namespace {

bool IsBig5Lead(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}

template <char kFrom, char kTo>
void AppendMapped(std::string_view in, std::string& out) {
  const size_t start = out.size();
  out.append(in);
  for (size_t i = start; i < out.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (IsBig5Lead(c)) {
      ++i;  // skip the second byte of the character
    } else if (c >= kFrom && c <= kFrom + 25) {
      out[i] = static_cast<char>(c - kFrom + kTo);
    }
  }
}

}  // namespace

void AppendUpper(std::string_view in, std::string& out) {
  AppendMapped<'a', 'A'>(in, out);
}
void AppendLower(std::string_view in, std::string& out) {
  AppendMapped<'A', 'a'>(in, out);
}

}  // namespace zur::expr
