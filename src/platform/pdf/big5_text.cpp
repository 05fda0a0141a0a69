#include "platform/pdf/big5_text.h"

#include <iconv.h>
#include <cerrno>

namespace zur::pdf {
namespace {

constexpr std::string_view kReplacement = "\xef\xbf\xbd";

class Converter {
 public:
  Converter() : cd_(iconv_open("UTF-8", "BIG5-HKSCS")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) cd_ = iconv_open("UTF-8", "BIG5");
  }
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

std::string Big5ToUtf8(std::string_view big5) {
  std::string out;
  out.reserve(big5.size() * 3 / 2 + 4);
  Converter conv;
  if (!conv.ok()) {
    // Without a converter, keep plain ASCII and mark everything else.
    for (unsigned char c : big5) {
      if (c < 0x80)
        out.push_back(static_cast<char>(c));
      else
        out += kReplacement;
    }
    return out;
  }
  char* in = const_cast<char*>(big5.data());
  size_t in_left = big5.size();
  char buf[1024];
  while (in_left > 0) {
    char* dst = buf;
    size_t dst_left = sizeof buf;
    size_t r = iconv(conv.get(), &in, &in_left, &dst, &dst_left);
    out.append(buf, static_cast<size_t>(dst - buf));
    if (r != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (truncated pair at the end): skip one byte.
    out += kReplacement;
    ++in;
    --in_left;
    iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace zur::pdf
