#pragma once
// The three lines that open every page of a CCASS report:
//   first:  participant id from column 12, "RUN DATE : " and the run date (7 characters);
//   second: participant name (columns 1-40), report name (columns 41-110),
//           "RUN TIME : " and the run time (8 characters);
//   third:  "PAGE : " and the page number (5 characters).
// A page printed one column to the right shows it by a blank in column 1 of its second line;
// the first line of the next page is read with that shift.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zur::scanner {

inline constexpr size_t kReportNameWidth = 60;  // RNAME of the page and report indexes
inline constexpr size_t kRunDateWidth = 7;
inline constexpr size_t kRunTimeWidth = 8;

// One page header: a row of the page index.
struct PageRow {
  std::string name;     // report name, at most kReportNameWidth characters
  int page = 0;         // page number
  uint64_t offset = 0;  // where the page's first header line starts
  std::string date;     // run date text
  std::string time;     // run time text
  friend bool operator==(const PageRow&, const PageRow&) = default;
};

// What the header lines read so far have left; a page row is made from it when the page
// line comes. Fields of a garbled line come out blank or zero.
struct HeaderState {
  std::string part_id;
  std::string part_name;
  std::string report_name;  // as read, up to 70 characters
  std::string run_date;
  std::string run_time;
  int page = 0;
  int right_shift = 0;     // 0 or 1, from the latest second header line
  uint64_t start_pos = 0;  // offset of the latest first header line
};

enum class HeaderLine { kNone, kRunDate, kRunTime, kPage };

// Which header line `line` is: one holding "RUN DATE :" is a first line, else one holding
// "RUN TIME :" a second line, else one holding "PAGE :" a third line.
HeaderLine ClassifyHeaderLine(std::string_view line);

// Takes the fields of a header line into `state`. The page line completes a page and gives
// its row; other lines give nothing. `line_offset` is where the line starts in the file.
std::optional<PageRow> ReadHeaderLine(HeaderState& state, std::string_view line,
                                      uint64_t line_offset);

// Lines every report reader passes over: blank lines, the header lines and the rules of
// hyphens under column headings.
bool IsPageFurniture(std::string_view line);

}  // namespace zur::scanner
