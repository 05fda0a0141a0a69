#include "platform/dbf/dbf_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <set>

#include <fmt/format.h>

namespace zur::dbf {
namespace {

constexpr size_t kDescriptorSize = 32;
constexpr uint8_t kTerminator = 0x0D;

uint32_t Le16(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8;
}
uint32_t Le32(const uint8_t* p) {
  return Le16(p) | Le16(p + 2) << 16;
}

[[noreturn]] void Damaged(std::string_view file, std::string_view what) {
  throw Error(ErrorKind::kDamaged, fmt::format("{}: not a readable table: {}", file, what));
}

bool TypeKnown(char t) {
  return t == 'C' || t == 'N' || t == 'F' || t == 'D' || t == 'L' || t == 'M';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

}  // namespace

uint32_t StoredHeaderLength(std::span<const uint8_t> prefix) {
  return Le16(prefix.data() + 8);
}

Header ParseHeader(std::span<const uint8_t> bytes, uint64_t file_size, std::string_view file) {
  if (bytes.size() < kPrefixSize || file_size < kPrefixSize)
    Damaged(file, "shorter than a table header");
  Header h;
  const uint8_t* p = bytes.data();
  h.version = p[0];
  h.year = 1900 + p[1];
  h.month = p[2];
  h.day = p[3];
  h.record_count = Le32(p + 4);
  h.header_length = Le16(p + 8);
  h.record_length = Le16(p + 10);
  if (h.header_length < kPrefixSize + 1) Damaged(file, "header length too small");
  if (bytes.size() < h.header_length || file_size < h.header_length)
    Damaged(file, fmt::format("header of {} bytes is cut short", h.header_length));

  // Field descriptors run from byte 32 up to the 0x0D terminator inside the header.
  size_t pos = kPrefixSize;
  uint32_t offset = 1;
  std::set<std::string> names;
  while (true) {
    if (pos >= h.header_length) Damaged(file, "field list has no terminator");
    if (p[pos] == kTerminator) break;
    if (pos + kDescriptorSize > h.header_length)
      Damaged(file, "header length does not fit the field count");
    const uint8_t* d = p + pos;
    FieldSpec f;
    size_t n = 0;
    while (n < 11 && d[n] != 0) ++n;
    f.name.assign(reinterpret_cast<const char*>(d), n);
    f.type = static_cast<char>(d[11]);
    f.length = d[16];
    f.decimals = d[17];
    std::string upper = f.name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (f.name.empty() || n > 10)
      Damaged(file, fmt::format("field {} has no valid name", h.fields.size() + 1));
    if (!TypeKnown(f.type))
      Damaged(file, fmt::format("field {} has unknown type 0x{:02X}", f.name,
                                static_cast<uint8_t>(f.type)));
    if (f.type == 'F') f.type = 'N';
    if (f.length == 0) Damaged(file, fmt::format("field {} has width 0", f.name));
    if (f.type == 'N' && f.decimals >= f.length && f.decimals != 0)
      Damaged(file, fmt::format("field {} has more decimals than width", f.name));
    if (f.type != 'N') f.decimals = 0;
    if (!names.insert(upper).second) Damaged(file, fmt::format("field {} appears twice", f.name));
    h.offsets.push_back(offset);
    offset += static_cast<uint32_t>(f.length);
    h.fields.push_back(std::move(f));
    pos += kDescriptorSize;
  }
  if (h.fields.empty()) Damaged(file, "no fields");
  if (offset != h.record_length)
    Damaged(file,
            fmt::format("record length {} does not match the fields' {}", h.record_length, offset));
  if (file_size < h.DataEnd())
    Damaged(file, fmt::format("file of {} bytes is shorter than its {} records need", file_size,
                              h.record_count));
  return h;
}

void ValidateFields(const std::vector<FieldSpec>& fields, std::string_view file) {
  auto bad = [&](const FieldSpec& f, std::string_view why) {
    throw Error(ErrorKind::kUsage, fmt::format("{}: field {} {}", file, f.name, why));
  };
  if (fields.empty()) throw Error(ErrorKind::kUsage, fmt::format("{}: a table needs fields", file));
  std::set<std::string> names;
  size_t record = 1;
  for (const FieldSpec& f : fields) {
    if (f.name.empty() || f.name.size() > 10) bad(f, "needs a name of 1 to 10 characters");
    if (!std::isalpha(static_cast<unsigned char>(f.name[0]))) bad(f, "must begin with a letter");
    std::string upper;
    for (char c : f.name) {
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
        bad(f, "has a character not allowed in a name");
      upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (!names.insert(upper).second) bad(f, "appears twice");
    switch (f.type) {
      case 'C':
        if (f.length < 1 || f.length > 254) bad(f, "must be 1 to 254 wide");
        break;
      case 'N':
        if (f.length < 1 || f.length > 20) bad(f, "must be 1 to 20 wide");
        if (f.decimals < 0 || (f.decimals > 0 && f.decimals > f.length - 2))
          bad(f, "has too many decimals");
        break;
      case 'D':
        if (f.length != 8) bad(f, "of type D must be 8 wide");
        break;
      case 'L':
        if (f.length != 1) bad(f, "of type L must be 1 wide");
        break;
      case 'M':
        if (f.length != 10) bad(f, "of type M must be 10 wide");
        break;
      default:
        bad(f, "has an unknown type");
    }
    if (f.type != 'N' && f.decimals != 0) bad(f, "may not have decimals");
    record += static_cast<size_t>(f.length);
  }
  if (record > 65535) throw Error(ErrorKind::kUsage, fmt::format("{}: records too long", file));
  if (fields.size() > 1000)
    throw Error(ErrorKind::kUsage, fmt::format("{}: too many fields", file));
}

Header NewHeader(const std::vector<FieldSpec>& fields) {
  Header h;
  bool memo = false;
  uint32_t offset = 1;
  for (const FieldSpec& f : fields) {
    FieldSpec up = f;
    for (char& c : up.name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    memo = memo || f.type == 'M';
    h.offsets.push_back(offset);
    offset += static_cast<uint32_t>(f.length);
    h.fields.push_back(std::move(up));
  }
  h.version = memo ? kVersionWithMemo : kVersionPlain;
  h.record_length = offset;
  h.header_length = static_cast<uint32_t>(kPrefixSize + kDescriptorSize * fields.size() + 1);
  Date today = Date::Today();
  h.year = today.Year();
  h.month = today.Month();
  h.day = today.Day();
  return h;
}

void EncodeCountAndDate(const Header& h, uint8_t out[7]) {
  int yy = h.year - 1900;
  out[0] = static_cast<uint8_t>(yy < 0 ? 0 : yy > 255 ? 255 : yy);
  out[1] = static_cast<uint8_t>(h.month);
  out[2] = static_cast<uint8_t>(h.day);
  for (int i = 0; i < 4; ++i) out[3 + i] = static_cast<uint8_t>(h.record_count >> (8 * i));
}

std::vector<uint8_t> EncodeHeader(const Header& h) {
  std::vector<uint8_t> out(h.header_length, 0);
  out[0] = h.version;
  EncodeCountAndDate(h, out.data() + 1);
  out[8] = static_cast<uint8_t>(h.header_length);
  out[9] = static_cast<uint8_t>(h.header_length >> 8);
  out[10] = static_cast<uint8_t>(h.record_length);
  out[11] = static_cast<uint8_t>(h.record_length >> 8);
  size_t pos = kPrefixSize;
  for (const FieldSpec& f : h.fields) {
    std::memcpy(out.data() + pos, f.name.data(), std::min<size_t>(f.name.size(), 10));
    out[pos + 11] = static_cast<uint8_t>(f.type);
    out[pos + 16] = static_cast<uint8_t>(f.length);
    out[pos + 17] = static_cast<uint8_t>(f.decimals);
    pos += kDescriptorSize;
  }
  out[pos] = kTerminator;
  return out;
}

double DecodeNumber(std::string_view bytes) {
  std::string_view s = TrimBlanks(bytes);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  // Most stored numbers are whole: their digits read exactly as the general reading would.
  const bool negative = !s.empty() && s.front() == '-';
  const std::string_view digits = s.substr(negative ? 1 : 0);
  if (!digits.empty() && digits.size() <= 15 &&
      std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    int64_t whole = 0;
    for (char c : digits) whole = whole * 10 + (c - '0');
    return negative ? -static_cast<double>(whole) : static_cast<double>(whole);
  }
  double d = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
  if (ec != std::errc() || !std::isfinite(d)) return 0;
  return d;
}

Value DecodeField(const FieldSpec& f, std::string_view bytes) {
  switch (f.type) {
    case 'N':
      return Value(DecodeNumber(bytes));
    case 'D': {
      auto d = Date::FromDtos(TrimBlanks(bytes).empty() ? std::string_view() : bytes);
      return Value(d ? *d : Date());
    }
    case 'L': {
      char c = bytes.empty() ? ' ' : bytes[0];
      return Value(c == 'T' || c == 't' || c == 'Y' || c == 'y');
    }
    default:
      return Value(bytes);
  }
}

void EncodeField(const FieldSpec& f, const Value& v, char* out, std::string_view file) {
  auto mismatch = [&]() {
    throw Error(ErrorKind::kUsage,
                fmt::format("{}: field {} of type {} cannot take a value of type {}", file, f.name,
                            f.type, v.TypeLetter()));
  };
  const size_t width = static_cast<size_t>(f.length);
  switch (f.type) {
    case 'C':
    case 'M': {
      if (!v.IsChar()) mismatch();
      const std::string& s = v.str();
      size_t n = std::min(width, s.size());
      std::memcpy(out, s.data(), n);
      std::memset(out + n, ' ', width - n);
      return;
    }
    case 'N': {
      if (!v.IsNum()) mismatch();
      double d = v.num();
      // A whole number (most are) is written as its digits, as the general format writes it.
      char digits[40];
      std::string text;
      std::string_view written;
      if (std::fabs(d) < 1e15 && d == std::trunc(d) && f.decimals < 16) {
        char* end = std::to_chars(digits, digits + 20, static_cast<int64_t>(d)).ptr;
        if (f.decimals > 0) {
          *end++ = '.';
          end = std::fill_n(end, f.decimals, '0');
        }
        written = std::string_view(digits, static_cast<size_t>(end - digits));
      } else if (std::isfinite(d)) {
        text = fmt::format("{:.{}f}", d, f.decimals);
        // A value that rounds to zero is written without a minus sign.
        if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
        written = text;
      }
      if (written.empty() || written.size() > width)
        throw Error(ErrorKind::kValue, fmt::format("{}: value {} does not fit field {} (N {},{})",
                                                   file, d, f.name, f.length, f.decimals));
      std::memset(out, ' ', width - written.size());
      std::memcpy(out + width - written.size(), written.data(), written.size());
      return;
    }
    case 'D': {
      if (!v.IsDate()) mismatch();
      std::string s = v.date().Dtos();
      std::memcpy(out, s.data(), std::min(width, s.size()));
      return;
    }
    case 'L':
      if (!v.IsLogical()) mismatch();
      out[0] = v.logical() ? 'T' : 'F';
      return;
  }
  mismatch();
}

}  // namespace zur::dbf
