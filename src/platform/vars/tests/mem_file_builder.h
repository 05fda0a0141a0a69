#pragma once
// Builds dBASE .MEM file bytes from the published layout, one variable at a time.

#include <bit>
#include <cstdint>
#include <string>

namespace zur::testing {

class MemFileBuilder {
 public:
  // A 32-byte header: the name NUL-padded into 11 bytes, the type byte, length and decimals.
  MemFileBuilder& Header(const std::string& name, unsigned char type, unsigned char length,
                         unsigned char decimals) {
    std::string h(32, '\0');
    h.replace(0, std::min<size_t>(name.size(), 11), name.substr(0, 11));
    h[11] = static_cast<char>(type);
    h[16] = static_cast<char>(length);
    h[17] = static_cast<char>(decimals);
    bytes_ += h;
    return *this;
  }
  MemFileBuilder& Text(const std::string& name, const std::string& text) {
    const size_t size = text.size() + 1;  // with its terminating NUL
    Header(name, 'C' + 128, static_cast<unsigned char>(size % 256),
           static_cast<unsigned char>(size / 256));
    bytes_ += text;
    bytes_ += '\0';
    return *this;
  }
  MemFileBuilder& Number(const std::string& name, double d) {
    Header(name, 'N' + 128, 19, 2);
    return Double(d);
  }
  MemFileBuilder& DayNumber(const std::string& name, double day) {
    Header(name, 'D' + 128, 8, 0);
    return Double(day);
  }
  MemFileBuilder& Logical(const std::string& name, bool b) {
    Header(name, 'L' + 128, 1, 0);
    bytes_ += b ? '\1' : '\0';
    return *this;
  }
  MemFileBuilder& Double(double d) {
    uint64_t bits = std::bit_cast<uint64_t>(d);
    for (int i = 0; i < 8; ++i, bits >>= 8) bytes_ += static_cast<char>(bits & 0xFF);
    return *this;
  }
  MemFileBuilder& Raw(const std::string& bytes) {
    bytes_ += bytes;
    return *this;
  }
  MemFileBuilder& End() { return Raw("\x1A"); }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace zur::testing
