#pragma once
// The report index: one row per run of consecutive pages that carry the same report name.
// A report whose pages are interleaved with another's has several rows.

#include <string>
#include <vector>

#include "run/scanner/page_header.h"

namespace zur::scanner {

struct ReportRow {
  std::string name;   // report name
  std::string date;   // run date of the run's first page
  std::string time;   // hours and minutes ("HH:MM") of the run's first page
  int last_page = 0;  // page number of the run's last page
  friend bool operator==(const ReportRow&, const ReportRow&) = default;
};

inline constexpr size_t kReportTimeWidth = 5;

// Groups the page index into runs. An empty page index still gives one row, all blank, as
// the report index has always held at least one record.
std::vector<ReportRow> BuildReportIndex(const std::vector<PageRow>& pages);

}  // namespace zur::scanner
