#pragma once
// The lines of one report as its reader reads them: from the report's first page, each line
// cut at the earlier of its window's form feed and CR LF pair, until the line that reaches
// the next report's first page (that line is still given) or the end of the file.

#include <cstdint>

#include "run/scanner/report_line_reader.h"

namespace zur::scanner {

class ReportLines {
 public:
  // Seeks `reader` to `start`. `end` 0 reads to the end of the file.
  ReportLines(ReportLineReader& reader, uint64_t start, uint64_t end);

  // The next line; false when the report is done, the file ends or cannot be read (the
  // reader's error() then tells why).
  bool Next(ReportLine& line);

 private:
  ReportLineReader& reader_;
  uint64_t end_;
  bool done_ = false;
};

}  // namespace zur::scanner
