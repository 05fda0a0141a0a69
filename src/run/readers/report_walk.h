#pragma once
// What the three report readers share: the report text file with its page index, and the
// walk over one report's lines.

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "run/operator/operator.h"
#include "run/scanner/page_header.h"
#include "run/scanner/report_line_reader.h"

namespace zur::readers {

// The open report text file and the page index its first pass built.
struct ReportSource {
  scanner::ReportLineReader& reader;
  std::span<const scanner::PageRow> pages;
};

// Calls `each` with every line of the report named `report` from `start` up to the line that
// reaches `end` (0: the end of the file), until it returns false. A file that cannot be read
// to the end stops the run: the message, naming the file, is shown in a box titled "ZUR" and
// run::RunStopped thrown. A report that runs to the end of the file without an "END OF REPORT"
// line may have been cut short: a warning says so, and the run goes on.
void WalkReport(const ReportSource& source, uint64_t start, uint64_t end, run::Operator& op,
                std::string_view report, const std::function<bool(std::string_view line)>& each);

}  // namespace zur::readers
