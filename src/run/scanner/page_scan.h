#pragma once
// The first pass over the report text file: every page header found, in file order.

#include <string>
#include <vector>

#include "run/scanner/page_header.h"
#include "run/scanner/report_line_reader.h"

namespace zur::scanner {

struct PageScan {
  std::vector<PageRow> pages;  // the page index, in file order
  HeaderState header;          // what the last header lines left (participant, shift ...)
  std::string error;           // empty, or why the file could not be read to its end
  bool ok() const { return error.empty(); }
};

// Reads the whole file from its start. Lines are cut at the first form feed of their window,
// or only when there is none at the first CR LF pair, so a page break always ends a line.
// On a read error the pages found so far are kept and the error names the file.
PageScan ScanPages(ReportLineReader& reader);

}  // namespace zur::scanner
