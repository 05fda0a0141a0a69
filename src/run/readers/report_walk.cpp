#include "run/readers/report_walk.h"

#include <string>

#include "run/operator/run_stopped.h"
#include "run/scanner/report_lines.h"

namespace zur::readers {

void WalkReport(const ReportSource& source, uint64_t start, uint64_t end, run::Operator& op,
                const std::function<bool(std::string_view line)>& each) {
  scanner::ReportLines lines(source.reader, start, end);
  scanner::ReportLine line;
  while (lines.Next(line))
    if (!each(line.text)) return;
  if (!source.reader.error().empty()) {
    const std::string& message = source.reader.error();
    op.MessageBox("ZUR", message);
    throw run::RunStopped(message);
  }
}

}  // namespace zur::readers
