#include "run/scanner/page_scan.h"

namespace zur::scanner {

PageScan ScanPages(ReportLineReader& reader) {
  PageScan scan;
  reader.Seek(0);
  ReportLine line;
  while (reader.Next(LineEndRule::kFormFeedFirst, line)) {
    if (auto row = ReadHeaderLine(scan.header, line.text, line.offset))
      scan.pages.push_back(std::move(*row));
  }
  scan.error = reader.error();
  return scan;
}

}  // namespace zur::scanner
