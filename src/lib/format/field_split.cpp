#include "lib/format/field_split.h"

#include <algorithm>

#include "lib/text/trim_pad.h"

namespace zur::format {
namespace {

constexpr std::string_view::size_type npos = std::string_view::npos;

std::string WithoutQuotes(std::string_view s) {
  std::string out(s);
  out.erase(std::remove(out.begin(), out.end(), '"'), out.end());
  return out;
}

void Store(std::vector<std::string>& fields, size_t index, std::string value) {
  if (fields.size() <= index) fields.resize(index + 1);
  fields[index] = std::move(value);
}

}  // namespace

size_t CutCsv2(std::string_view line, std::vector<std::string>& fields) {
  std::string_view rest = text::RTrim(line);
  size_t count = 0;
  for (;;) {
    size_t search_from = 0;
    if (rest.starts_with('"')) {
      size_t close = rest.find('"', 1);
      search_from = close == npos ? rest.size() : close + 1;
    }
    size_t comma = rest.find(',', search_from);
    if (comma == npos) {
      Store(fields, count++, WithoutQuotes(rest));
      return count;
    }
    Store(fields, count++, WithoutQuotes(rest.substr(0, comma)));
    rest = rest.substr(comma + 1);
  }
}

size_t CutField(std::string_view line, std::string_view separator,
                std::vector<std::string>& fields) {
  std::fill(fields.begin(), fields.end(), std::string());
  std::string_view rest = line;
  size_t count = 0;
  for (bool more = true; more; ++count) {
    std::string_view field;
    std::string_view trimmed = text::LTrim(rest);
    size_t end = npos;
    if (trimmed.starts_with('"') && !separator.empty()) {
      std::string closing = "\"" + std::string(separator);
      size_t close = trimmed.find(closing, 1);
      if (close != npos) {
        field = trimmed.substr(1, close - 1);
        rest = trimmed.substr(close + closing.size());
      } else {
        field = text::RTrim(trimmed.substr(1));
        if (field.ends_with('"')) field.remove_suffix(1);
        more = false;
      }
    } else {
      end = separator.empty() ? npos : rest.find(separator);
      field = rest.substr(0, end);
      if (end == npos)
        more = false;
      else
        rest = rest.substr(end + separator.size());
    }
    if (count < fields.size()) fields[count] = std::string(text::AllTrim(field));
  }
  return count;
}

}  // namespace zur::format
