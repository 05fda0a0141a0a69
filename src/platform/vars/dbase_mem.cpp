#include "platform/vars/dbase_mem.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/vars/date.h"

namespace zur {
namespace {

constexpr char kEndMarker = 0x1A;
constexpr size_t kNameField = 11;  // name bytes before the type byte
constexpr size_t kTypeOffset = 11;
constexpr size_t kLengthOffset = 16;
constexpr size_t kDecimalsOffset = 17;
constexpr int64_t kFirstJulianDay = 1721426;  // 0001-01-01
constexpr int64_t kLastJulianDay = 5373484;   // 9999-12-31

bool IsDbaseName(std::string_view name) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (name.empty() || !letter(name[0])) return false;
  for (const char c : name)
    if (!letter(c) && !(c >= '0' && c <= '9') && c != '_') return false;
  return true;
}

char TypeLetter(unsigned char b) {
  const unsigned char t = b >= 128 ? static_cast<unsigned char>(b - 128) : b;
  if (t == 'C' || t == 'D' || t == 'N' || t == 'L') return static_cast<char>(t);
  return static_cast<char>(b);
}

double LittleEndianDouble(const char* p) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(p[i]);
  return std::bit_cast<double>(bits);
}

std::string Printable(std::string_view name) {
  std::string out;
  for (const char c : name) out += (c >= 0x20 && c < 0x7F) ? c : '?';
  return out;
}

}  // namespace

DbaseMemRead ReadDbaseMem(std::string_view bytes) {
  DbaseMemRead out;
  auto problem = [&](std::string text) {
    ++out.errors;
    out.problems.push_back(std::move(text));
  };
  size_t pos = 0;
  while (bytes.size() - pos >= kDbaseMemHeaderBytes) {
    const std::string_view header = bytes.substr(pos, kDbaseMemHeaderBytes);
    if (header[0] == kEndMarker) break;
    const std::string_view field = header.substr(0, kNameField);
    const std::string_view name = field.substr(0, field.find('\0'));
    const char type = TypeLetter(static_cast<unsigned char>(header[kTypeOffset]));
    const size_t length = static_cast<unsigned char>(header[kLengthOffset]);
    const size_t decimals = static_cast<unsigned char>(header[kDecimalsOffset]);
    const std::string where =
        "offset " + std::to_string(pos) + ": variable \"" + Printable(name) + "\"";
    size_t size = 0;
    switch (type) {
      case 'C':
        size = length + 256 * decimals;
        break;
      case 'L':
        size = 1;
        break;
      case 'N':
      case 'D':
        size = 8;
        break;
      default:
        problem(where + ": unknown type, reading stopped");
        return out;
    }
    pos += kDbaseMemHeaderBytes;
    if (bytes.size() - pos < size) {
      problem(where + ": value cut short, reading stopped");
      return out;
    }
    const char* data = bytes.data() + pos;
    pos += size;
    if (!IsDbaseName(name)) {
      problem(where + ": invalid name, value skipped");
      continue;
    }
    Value value;
    switch (type) {
      case 'C':
        value = Value(std::string_view(data, size == 0 ? 0 : size - 1));
        break;
      case 'L':
        value = Value(data[0] != 0);
        break;
      case 'N': {
        const double n = LittleEndianDouble(data);
        // Any 8 bytes make a double; a memory file holds finite numbers only.
        if (!std::isfinite(n)) {
          problem(where + ": not a finite number, value skipped");
          continue;
        }
        value = Value(n);
        break;
      }
      default: {
        const double day = std::floor(LittleEndianDouble(data));
        if (day == 0) {
          value = Value(Date());
        } else if (day >= kFirstJulianDay && day <= kLastJulianDay) {
          value = Value(Date::FromJulianDay(static_cast<int64_t>(day)));
        } else {
          problem(where + ": day number is no date, value skipped");
          continue;
        }
      }
    }
    out.vars.push_back({std::string(name), std::move(value)});
  }
  return out;
}

}  // namespace zur
