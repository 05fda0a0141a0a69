#pragma once
// Report pages as the CCASS system prints them, built byte by byte for the tests.

#include <string>
#include <string_view>
#include <vector>

#include "lib/text/trim_pad.h"

namespace zur::scanner::testing {

struct PageFields {
  std::string report = "DAILY STOCK BALANCE REPORT";
  int page = 1;
  std::string date = "08DEC26";
  std::string time = "18:05:33";
  std::string part_id = "B01234";
  std::string part_name = "SAMPLE SECURITIES LTD";
  bool shifted = false;  // printed one column to the right
  int body_lines = 5;
};

// The three header lines, each ended by CR LF, with the fields at their columns: participant
// id at column 12, the report name at column 41, all one further right when shifted.
inline std::string PageHeader(const PageFields& p) {
  std::string lead = p.shifted ? " " : "";
  std::string first = lead + text::PadR("CCMS5001", 11) + text::PadR(p.part_id, 10) +
                      std::string(30, ' ') + "RUN DATE : " + p.date + "\r\n";
  std::string second = lead + text::PadR(p.part_name, 40) + text::PadR(p.report, 70) +
                       "RUN TIME : " + p.time + "\r\n";
  std::string third =
      lead + std::string(100, ' ') + "PAGE : " + text::PadL(std::to_string(p.page), 5) + "\r\n";
  return first + second + third;
}

// A whole page: header, a rule, body lines long enough that no form feed falls within a
// window of the header lines, and a closing form feed followed by the blank that the page
// pass consumes with it.
inline std::string Page(const PageFields& p) {
  std::string out = PageHeader(p) + std::string(120, '-') + "\r\n";
  for (int i = 0; i < p.body_lines; ++i)
    out += "  " + text::PadR("BODY LINE " + std::to_string(i) + " OF " + p.report, 70) + "\r\n";
  return out + "\f ";
}

}  // namespace zur::scanner::testing
