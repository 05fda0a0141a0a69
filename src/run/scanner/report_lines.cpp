#include "run/scanner/report_lines.h"

namespace zur::scanner {

ReportLines::ReportLines(ReportLineReader& reader, uint64_t start, uint64_t end)
    : reader_(reader), end_(end) {
  reader_.Seek(start);
}

bool ReportLines::Next(ReportLine& line) {
  if (done_ || !reader_.Next(LineEndRule::kEarliest, line)) {
    done_ = true;
    return false;
  }
  done_ = end_ > 0 && line.next >= end_;
  return true;
}

}  // namespace zur::scanner
