#include "run/scanner/report_lookup.h"

namespace zur::scanner {

bool ReportNameMatches(std::string_view name, std::string_view wanted) {
  if (wanted.size() > kReportNameWidth) return false;
  for (size_t i = 0; i < wanted.size(); ++i) {
    char c = i < name.size() ? name[i] : ' ';
    if (c != wanted[i]) return false;
  }
  return true;
}

std::optional<ReportRange> FindReport(std::span<const PageRow> pages, std::string_view wanted,
                                      ReportStart start) {
  size_t i = 0;
  while (i < pages.size() && !ReportNameMatches(pages[i].name, wanted)) ++i;
  if (i == pages.size()) return std::nullopt;
  ReportRange range;
  range.first = i;
  range.start = pages[i].offset;
  int previous = pages[i].page;
  for (; i < pages.size() && ReportNameMatches(pages[i].name, wanted); ++i) {
    const PageRow& page = pages[i];
    if (previous > page.page) range.pages_out_of_order = true;
    previous = page.page;
    if (start == ReportStart::kLastPageOne && page.page == 1) range.start = page.offset;
  }
  if (i < pages.size()) range.end = pages[i].offset;
  return range;
}

}  // namespace zur::scanner
