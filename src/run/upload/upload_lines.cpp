#include "run/upload/upload_lines.h"

#include <cstdint>

#include "lib/format/upload_field.h"

namespace zur::upload {
namespace {

using format::TextFieldCharset;

TextFieldCharset ZurCharset(const UploadSettings& s) {
  return {s.is_ccass3, s.ccass3_charset};
}
const TextFieldCharset kStiCharset{};  // STI text is written as it is

// Text field ending at column `end_column`. Control characters (a CR or LF above all) would
// break the fixed-length lines, so they become blanks in every layout.
void Text(std::string& line, std::string_view value, int end_column,
          const TextFieldCharset& charset) {
  std::string printable(value);
  for (char& c : printable)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = ' ';
  format::AppendTextField(line, printable, end_column, charset);
}

// Number field of `width` digits, the rightmost digits of a wider number. The field emitter
// works on the run's floating-point numbers, exact for whole numbers below 2^53; a sum beyond
// that is cut to the field first and, when still that large, written as two exact parts.
void Number(std::string& line, int64_t value, int width) {
  constexpr int64_t kExactLimit = int64_t{1} << 53;
  constexpr int64_t kBillion = 1'000'000'000;
  if (value >= kExactLimit && width <= 18) {
    int64_t field_limit = 1;
    for (int i = 0; i < width; ++i) field_limit *= 10;
    value %= field_limit;
    if (value >= kExactLimit) {
      format::AppendNumberField(line, static_cast<double>(value / kBillion), width - 9);
      format::AppendNumberField(line, static_cast<double>(value % kBillion), 9);
      return;
    }
  }
  format::AppendNumberField(line, static_cast<double>(value), width);
}

// Stock number plus quantity. Numbers too large to add are added by their rightmost 14 digits,
// all that the record checksum field shows.
int64_t RecordChecksum(const Transfer& t) {
  int64_t sum = 0;
  if (!__builtin_add_overflow(t.stock_no, t.quantity, &sum)) return sum;
  constexpr int64_t kField = 100'000'000'000'000;
  return t.stock_no % kField + t.quantity % kField;
}

// Header fields shared by the ZUR file in the CCASS/3 layout and the STI file.
void HeaderFields(std::string& line, int file_no, const UploadSettings& s, std::string_view title,
                  const TextFieldCharset& charset) {
  line = "0";
  Number(line, file_no, 4);
  Text(line, s.part_id, 11, charset);
  Text(line, s.send_bic, 19, charset);
  Text(line, s.own_ref, 34, charset);
  Text(line, s.gen_date.Dtos(), 42, charset);
  Text(line, title, 57, charset);
}

// Trailer fields before the all checksum, the same in both files.
void TrailerCounts(std::string& line, const UploadTotals& totals) {
  line = "2";
  Number(line, totals.lines, 4);
  Number(line, totals.stock_sum, 7);
  Number(line, totals.quantity_sum, 14);
}

}  // namespace

DetailWidths ZurDetailWidths(ZurLayout layout) {
  return {layout == ZurLayout::kC ? 4 : 5, 11};
}

DetailWidths StiDetailWidths() {
  return {5, 11};
}

std::string ZurHeaderLine(const UploadSettings& s) {
  const ZurLayout layout = ChooseZurLayout(s.is_ccass3, s.eight_char_accounts);
  const TextFieldCharset charset = ZurCharset(s);
  std::string line;
  if (layout == ZurLayout::kC) {
    line = "0";
    Text(line, s.part_id, 7, charset);
    Text(line, s.own_ref, 22, charset);
    Text(line, s.gen_date.Dtos(), 30, charset);
    Text(line, "ZUR BATCH INPUT", 45, charset);
  } else {
    HeaderFields(line, s.zur_file_no, s, "ZUR BATCH INPUT", charset);
  }
  Text(line, "", ZurLineLength(layout), charset);
  return line;
}

std::string ZurDetailLine(const UploadSettings& s, const Transfer& t) {
  const ZurLayout layout = ChooseZurLayout(s.is_ccass3, s.eight_char_accounts);
  const TextFieldCharset charset = ZurCharset(s);
  const DetailWidths widths = ZurDetailWidths(layout);
  const int length = ZurLineLength(layout);
  std::string line = "1";
  Number(line, t.stock_no, widths.stock);
  if (layout == ZurLayout::kC) {
    Text(line, t.from_account, 7, charset);
    Text(line, t.to_account, 9, charset);
  } else {
    const int account_width = layout == ZurLayout::kA ? 8 : 2;
    Text(line, t.isin, 18, charset);
    Text(line, t.from_account, 18 + account_width, charset);
    Text(line, t.to_account, 18 + 2 * account_width, charset);
  }
  Number(line, t.quantity, widths.quantity);
  Text(line, "", length - 14, charset);
  Number(line, RecordChecksum(t), 14);
  return line;
}

std::string ZurTrailerLine(const UploadSettings& s, const UploadTotals& totals) {
  std::string line;
  TrailerCounts(line, totals);
  Number(line, totals.record_sum, 17);
  Text(line, "", ZurLineLength(ChooseZurLayout(s.is_ccass3, s.eight_char_accounts)), ZurCharset(s));
  return line;
}

std::string StiHeaderLine(const UploadSettings& s) {
  std::string line;
  HeaderFields(line, s.sti_file_no, s, "STI BATCH INPUT", kStiCharset);
  Text(line, "", kStiLineLength, kStiCharset);
  return line;
}

std::string StiDetailLine(const Transfer& t) {
  const DetailWidths widths = StiDetailWidths();
  std::string line = "1";
  Number(line, t.stock_no, widths.stock);
  Text(line, t.isin, 18, kStiCharset);
  Text(line, t.from_account, 26, kStiCharset);
  Text(line, t.to_account, 34, kStiCharset);
  Number(line, t.quantity, widths.quantity);
  Text(line, "0000000000000F", 59, kStiCharset);
  Text(line, "", 99, kStiCharset);
  Number(line, RecordChecksum(t), 14);
  Text(line, "", kStiLineLength, kStiCharset);
  return line;
}

std::string StiTrailerLine(const UploadTotals& totals) {
  std::string line;
  TrailerCounts(line, totals);
  Text(line, "0000000000000000", 42, kStiCharset);
  Number(line, totals.record_sum, 17);
  Text(line, "", kStiLineLength, kStiCharset);
  return line;
}

}  // namespace zur::upload
