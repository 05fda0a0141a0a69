#pragma once
// The bytes of a dBASE table file: the 32-byte header, the field descriptors, and the
// conversion between a field's stored bytes and a Value. Pure functions, no file access.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbf/table.h"

namespace zur::dbf {

inline constexpr size_t kPrefixSize = 32;  // fixed part of the header
inline constexpr uint8_t kEofByte = 0x1A;
inline constexpr uint8_t kVersionPlain = 0x03;
inline constexpr uint8_t kVersionWithMemo = 0x83;

struct Header {
  uint8_t version = kVersionPlain;
  int year = 0, month = 0, day = 0;  // last update
  uint32_t record_count = 0;
  uint32_t header_length = 0;
  uint32_t record_length = 0;
  std::vector<FieldSpec> fields;
  std::vector<uint32_t> offsets;  // of each field inside a record (the deletion flag is byte 0)

  uint64_t DataEnd() const { return header_length + uint64_t{record_count} * record_length; }
};

// The header length stored in the fixed part; `prefix` holds at least kPrefixSize bytes.
uint32_t StoredHeaderLength(std::span<const uint8_t> prefix);

// Parses a whole header (`bytes` = the file's first bytes, at least the stored header length)
// and checks it against the file size. Throws Error(kDamaged) naming `file` when the header
// is short, the header length does not fit the field count, a field descriptor is invalid,
// the record length is not the sum of the field widths, or the file is shorter than the
// header says.
Header ParseHeader(std::span<const uint8_t> bytes, uint64_t file_size, std::string_view file);

// Checks a field list for a new table; throws Error(kUsage) naming `file` when it is not valid.
void ValidateFields(const std::vector<FieldSpec>& fields, std::string_view file);

// A header for a new, empty table with these fields (already validated).
Header NewHeader(const std::vector<FieldSpec>& fields);

// The header bytes: the fixed part, the descriptors and the 0x0D terminator.
std::vector<uint8_t> EncodeHeader(const Header& h);
// Only the fixed part's update date and record count (bytes 1..7).
void EncodeCountAndDate(const Header& h, uint8_t out[7]);

// A field's stored bytes as a Value (see Table::Get).
Value DecodeField(const FieldSpec& f, std::string_view bytes);
double DecodeNumber(std::string_view bytes);

// Writes `v` into the field's `out` bytes (exactly f.length of them). Throws Error naming
// `file`: kUsage for a value of the wrong kind, kValue for a number that does not fit.
void EncodeField(const FieldSpec& f, const Value& v, char* out, std::string_view file);

}  // namespace zur::dbf
