#include "run/readers/report_walk.h"

#include <string>

#include "run/operator/run_stopped.h"
#include "run/scanner/report_lines.h"

namespace zur::readers {

void WalkReport(const ReportSource& source, uint64_t start, uint64_t end, run::Operator& op,
                std::string_view report, const std::function<bool(std::string_view line)>& each) {
  scanner::ReportLines lines(source.reader, start, end);
  scanner::ReportLine line;
  bool end_line_seen = false;
  while (lines.Next(line)) {
    end_line_seen = end_line_seen || line.text.find("END OF REPORT") != std::string_view::npos;
    if (!each(line.text)) return;
  }
  if (!source.reader.error().empty()) {
    const std::string& message = source.reader.error();
    op.MessageBox("ZUR", message);
    throw run::RunStopped(message);
  }
  if (end == 0 && !end_line_seen)
    op.BlinkingWarning("WARNING: \"" + std::string(report) + "\" ends at the end of " +
                       source.reader.path() +
                       " without its \"END OF REPORT\" line: the file may be cut short !");
}

}  // namespace zur::readers
