#include "platform/expr/text_case.h"

#include "platform/big5/big5_text.h"

namespace zur::expr {
namespace {

template <char kFrom, char kTo>
void AppendMapped(std::string_view in, std::string& out) {
  const size_t start = out.size();
  out.append(in);
  for (size_t i = start; i < out.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (big5::IsBig5Lead(c)) {
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
