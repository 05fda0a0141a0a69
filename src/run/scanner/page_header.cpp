#include "run/scanner/page_header.h"

#include <cmath>
#include <cstring>

#include "lib/text/numeric_text.h"
#include "lib/text/trim_pad.h"

namespace zur::scanner {
namespace {

constexpr std::string_view kRunDate = "RUN DATE :";
constexpr std::string_view kRunTime = "RUN TIME :";
constexpr std::string_view kPage = "PAGE :";

// `count` characters from the 1-based column `column`; fewer at the end of the line.
std::string_view Columns(std::string_view line, size_t column, size_t count) {
  if (column < 1 || column > line.size()) return {};
  return line.substr(column - 1, count);
}

// 1-based column where `needle` starts (the caller knows it is there).
size_t ColumnOf(std::string_view line, std::string_view needle) {
  return line.find(needle) + 1;
}

bool EndsAt(std::string_view line, size_t colon, std::string_view needle) {
  return colon + 1 >= needle.size() &&
         line.substr(colon + 1 - needle.size(), needle.size()) == needle;
}

}  // namespace

HeaderLine ClassifyHeaderLine(std::string_view line) {
  // Every marker ends in a colon; look only where the colons are.
  bool time = false;
  bool page = false;
  const char* data = line.data();
  for (size_t i = 0; i < line.size(); ++i) {
    const void* hit = std::memchr(data + i, ':', line.size() - i);
    if (!hit) break;
    i = static_cast<size_t>(static_cast<const char*>(hit) - data);
    if (EndsAt(line, i, kRunDate)) return HeaderLine::kRunDate;
    time = time || EndsAt(line, i, kRunTime);
    page = page || EndsAt(line, i, kPage);
  }
  if (time) return HeaderLine::kRunTime;
  return page ? HeaderLine::kPage : HeaderLine::kNone;
}

std::optional<PageRow> ReadHeaderLine(HeaderState& state, std::string_view line,
                                      uint64_t line_offset) {
  switch (ClassifyHeaderLine(line)) {
    case HeaderLine::kNone:
      return std::nullopt;
    case HeaderLine::kRunDate: {
      size_t shift = static_cast<size_t>(state.right_shift);
      state.part_id = text::AllTrim(Columns(line, 12 + shift, 10));
      state.run_date = Columns(line, ColumnOf(line, kRunDate) + 11, kRunDateWidth);
      state.start_pos = line_offset;
      return std::nullopt;
    }
    case HeaderLine::kRunTime: {
      state.right_shift = !line.empty() && line[0] == ' ' ? 1 : 0;
      size_t shift = static_cast<size_t>(state.right_shift);
      state.part_name = text::AllTrim(Columns(line, shift + 1, 40));
      state.report_name = text::AllTrim(Columns(line, shift + 41, 70));
      state.run_time = Columns(line, ColumnOf(line, kRunTime) + 11, kRunTimeWidth);
      return std::nullopt;
    }
    case HeaderLine::kPage: {
      // The page field is 5 characters wide: its value always fits an int.
      double page = text::Val(Columns(line, ColumnOf(line, kPage) + 7, 5));
      state.page = static_cast<int>(std::lround(page));
      PageRow row;
      row.name = text::RTrim(std::string_view(state.report_name).substr(0, kReportNameWidth));
      row.page = state.page;
      row.offset = state.start_pos;
      row.date = state.run_date;
      row.time = state.run_time;
      return row;
    }
  }
  return std::nullopt;
}

bool IsPageFurniture(std::string_view line) {
  return text::IsBlank(line) || ClassifyHeaderLine(line) != HeaderLine::kNone ||
         line.find("------------") != std::string_view::npos;
}

}  // namespace zur::scanner
