// CCASS report text from the fuzzer, as a file: the buffered line reader must give exactly the
// lines of the plain one (250 bytes read at each line's offset) whatever its buffer size, the
// page pass and the report index must hold together, and every report found must read to its
// end. Nothing may crash, hang or read outside the file.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "run/scanner/page_scan.h"
#include "run/scanner/report_index.h"
#include "run/scanner/report_line_reader.h"
#include "run/scanner/report_lines.h"
#include "run/scanner/report_lookup.h"
#include "run/scanner/tests/reference_line_reader.h"

using namespace zur::scanner;

namespace {

constexpr size_t kMaxLines = 20000;
constexpr std::string_view kReports[] = {"STI STATUS REPORT", "DAILY STOCK BALANCE REPORT",
                                         "STOCK ACCOUNTS STATEMENT", "SETTLEMENT REPORT", ""};

void CompareWithThePlainReader(const std::string& path, size_t buffer, LineEndRule rule) {
  OpenError error;
  auto reader = ReportLineReader::Open(path, &error, kReportWindow, buffer);
  if (!reader) std::abort();  // a regular file always opens
  testing::ReferenceLineReader plain(path);
  const auto got = testing::AllLines(*reader, rule, kMaxLines);
  const auto want = plain.All(rule, kMaxLines);
  if (got != want || !reader->error().empty()) std::abort();
}

void ScanAndWalk(const std::string& path, uint64_t size) {
  OpenError error;
  auto reader = ReportLineReader::Open(path, &error);
  if (!reader) std::abort();
  const PageScan scan = ScanPages(*reader);
  if (!scan.ok()) std::abort();
  uint64_t last = 0;
  for (const PageRow& row : scan.pages) {
    if (row.offset < last || row.offset >= size || row.name.size() > kReportNameWidth) std::abort();
    last = row.offset;
  }
  const std::vector<ReportRow> index = BuildReportIndex(scan.pages);
  if (index.empty()) std::abort();  // at least the one blank row
  for (std::string_view wanted : kReports) {
    for (ReportStart start : {ReportStart::kFirstPage, ReportStart::kLastPageOne}) {
      const auto range = FindReport(scan.pages, wanted, start);
      if (!range) continue;
      if (range->first >= scan.pages.size() || (range->end != 0 && range->end < range->start))
        std::abort();
      ReportLines lines(*reader, range->start, range->end);
      ReportLine line;
      size_t count = 0;
      while (count < kMaxLines && lines.Next(line)) {
        if (line.next <= line.offset || line.text.size() > kReportWindow) std::abort();
        ++count;
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = memfd_create("fuzz_report", MFD_CLOEXEC);
  if (fd < 0) return 0;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    // Buffers smaller and larger than the file, and of the window's size.
    for (size_t buffer : {kReportWindow, kReportWindow + 7, size_t{4096}, kReportBuffer})
      CompareWithThePlainReader(path, buffer,
                                buffer % 2 ? LineEndRule::kEarliest : LineEndRule::kFormFeedFirst);
    CompareWithThePlainReader(path, 1000, LineEndRule::kEarliest);
    ScanAndWalk(path, size);
  }
  close(fd);
  return 0;
}
