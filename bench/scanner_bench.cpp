// Scanning a 100 MB CCASS report text file: the page pass, the readers' line read, and the
// same line read done with one 250-byte system read per line for comparison.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "run/scanner/page_scan.h"
#include "run/scanner/report_line_reader.h"
#include "run/scanner/tests/reference_line_reader.h"
#include "run/scanner/tests/report_text.h"

namespace zur::scanner {
namespace {

constexpr size_t kFileSize = 100u << 20;

// A file of full pages (three header lines, a rule, 55 body lines of 132 columns, a form
// feed), cycling through four reports; written once and removed at exit.
class ReportFile {
 public:
  ReportFile(const char* tag, size_t size, bool with_pages) {
    path_ = std::string("/tmp/zur_scanner_bench_") + tag + "_" + std::to_string(::getpid());
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (!f) return;
    static const char* kReports[] = {"STI STATUS REPORT", "DAILY STOCK BALANCE REPORT",
                                     "SETTLEMENT REPORT", "CCASS ACTIVITY REPORT"};
    std::string chunk;
    for (int page = 1; written_ < size; ++page) {
      if (with_pages) {
        testing::PageFields fields;
        fields.report = kReports[(page / 50) % 4];
        fields.page = page % 50 + 1;
        fields.body_lines = 55;
        chunk = testing::Page(fields);
      } else {
        chunk.assign(1 << 20, 'x');  // one endless line
      }
      written_ += std::fwrite(chunk.data(), 1, chunk.size(), f);
    }
    std::fclose(f);
  }
  ~ReportFile() { ::unlink(path_.c_str()); }
  const std::string& path() const { return path_; }
  size_t size() const { return written_; }

 private:
  std::string path_;
  size_t written_ = 0;
};

const ReportFile& Pages() {
  static ReportFile file("pages", kFileSize, true);
  return file;
}

std::unique_ptr<ReportLineReader> OpenReader(benchmark::State& state, const ReportFile& file) {
  OpenError error;
  auto reader = ReportLineReader::Open(file.path(), &error);
  if (!reader) state.SkipWithError(error.message.c_str());
  return reader;
}

void BM_PagePass(benchmark::State& state) {
  auto reader = OpenReader(state, Pages());
  if (!reader) return;
  size_t pages = 0;
  for (auto _ : state) {
    PageScan scan = ScanPages(*reader);
    pages = scan.pages.size();
    benchmark::DoNotOptimize(pages);
  }
  state.counters["pages"] = static_cast<double>(pages);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Pages().size()));
}
BENCHMARK(BM_PagePass)->Unit(benchmark::kMillisecond);

void BM_ReaderLineRead(benchmark::State& state) {
  auto reader = OpenReader(state, Pages());
  if (!reader) return;
  for (auto _ : state) {
    reader->Seek(0);
    ReportLine line;
    size_t lines = 0;
    while (reader->Next(LineEndRule::kEarliest, line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Pages().size()));
}
BENCHMARK(BM_ReaderLineRead)->Unit(benchmark::kMillisecond);

void BM_OneReadPerLine(benchmark::State& state) {
  for (auto _ : state) {
    testing::ReferenceLineReader reader(Pages().path());
    testing::PlainLine line;
    size_t lines = 0;
    while (reader.Next(LineEndRule::kEarliest, line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Pages().size()));
}
BENCHMARK(BM_OneReadPerLine)->Unit(benchmark::kMillisecond)->Iterations(1);

// A damaged file of 8 MB without any terminator: every byte starts a 250-byte window.
void BM_PagePassNoTerminators(benchmark::State& state) {
  static ReportFile file("junk", 8u << 20, false);
  auto reader = OpenReader(state, file);
  if (!reader) return;
  for (auto _ : state) benchmark::DoNotOptimize(ScanPages(*reader).pages.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_PagePassNoTerminators)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zur::scanner

BENCHMARK_MAIN();
