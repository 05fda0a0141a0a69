#include "platform/big5/big5_text.h"

#include <iconv.h>
#include <algorithm>
#include <cerrno>
#include <initializer_list>

namespace zur::big5 {
namespace {

constexpr std::string_view kReplacement = "\xef\xbf\xbd";

struct Codesets {
  const char* to;
  const char* from;
};

// One iconv conversion descriptor, opened on the first pair of names the C library knows.
class Converter {
 public:
  explicit Converter(std::initializer_list<Codesets> candidates) {
    for (const Codesets& c : candidates) {
      cd_ = iconv_open(c.to, c.from);
      if (ok()) break;
    }
  }
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`; each byte sequence that cannot be converted is skipped (`skip` bytes of it)
  // and `bad` is appended in its place.
  std::string Run(std::string_view in_text, std::string_view bad,
                  size_t (*skip)(std::string_view)) {
    std::string out;
    out.reserve(in_text.size() * 3 / 2 + 4);
    char* in = const_cast<char*>(in_text.data());
    size_t in_left = in_text.size();
    char buf[1024];
    while (in_left > 0) {
      char* dst = buf;
      size_t dst_left = sizeof buf;
      size_t r = iconv(cd_, &in, &in_left, &dst, &dst_left);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a truncated sequence at the end).
      out += bad;
      const size_t n = std::min(in_left, skip(std::string_view(in, in_left)));
      in += n;
      in_left -= n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_ = reinterpret_cast<iconv_t>(-1);
};

size_t SkipOneByte(std::string_view) {
  return 1;
}

// The length of the UTF-8 sequence that starts `s` (1 for a stray byte).
size_t SkipUtf8Character(std::string_view s) {
  const unsigned char c = static_cast<unsigned char>(s[0]);
  size_t n = c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc0 ? 2 : 1;
  size_t i = 1;
  while (i < n && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xc0) == 0x80) ++i;
  return i;
}

// Without a converter: plain ASCII is kept and everything else marked.
std::string AsciiOnly(std::string_view in, std::string_view bad) {
  std::string out;
  for (unsigned char c : in) {
    if (c < 0x80)
      out.push_back(static_cast<char>(c));
    else
      out += bad;
  }
  return out;
}

}  // namespace

std::string Big5ToUtf8(std::string_view big5) {
  Converter conv({{"UTF-8", "BIG5-HKSCS"}, {"UTF-8", "BIG5"}});
  if (!conv.ok()) return AsciiOnly(big5, kReplacement);
  return conv.Run(big5, kReplacement, SkipOneByte);
}

std::string Utf8ToBig5(std::string_view utf8, char replacement) {
  const std::string bad(1, replacement);
  Converter conv({{"BIG5-HKSCS", "UTF-8"}, {"CP950", "UTF-8"}, {"BIG5", "UTF-8"}});
  if (!conv.ok()) return AsciiOnly(utf8, bad);
  return conv.Run(utf8, bad, SkipUtf8Character);
}

}  // namespace zur::big5
