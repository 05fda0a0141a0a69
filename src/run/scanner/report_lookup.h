#pragma once
// Finding a named report in the page index: where its pages start, where the next report
// starts, and whether its page numbers go backwards (pages printed twice).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "run/scanner/page_header.h"

namespace zur::scanner {

// True when the report name, as stored (blank-padded to kReportNameWidth), begins with
// `wanted`; an empty `wanted` matches every name.
bool ReportNameMatches(std::string_view name, std::string_view wanted);

enum class ReportStart {
  kFirstPage,    // read from the report's first page
  kLastPageOne,  // read from the last page numbered 1 in the report's first run of pages
};

struct ReportRange {
  size_t first = 0;                 // index of the report's first page row
  uint64_t start = 0;               // where reading starts
  uint64_t end = 0;                 // where the next report's page starts; 0: the end of the file
  bool pages_out_of_order = false;  // a page number lower than the one before it
};

// The first run of consecutive pages whose name matches `wanted`; nothing when no page does.
std::optional<ReportRange> FindReport(std::span<const PageRow> pages, std::string_view wanted,
                                      ReportStart start = ReportStart::kFirstPage);

}  // namespace zur::scanner
