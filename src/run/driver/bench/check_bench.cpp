// Whole checking runs (start-up, scan, readers, position build, determination, upload files,
// the two reports as PDF files) on a large broker written once into a scratch directory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "run/driver/check_command.h"
#include "brokers/large_broker.h"
#include "run/operator/operator.h"

namespace {

namespace fs = std::filesystem;

using zur::run::QuietOperator;

void BM_CheckingRun(benchmark::State& state) {
  std::string tmpl = (fs::temp_directory_path() / "zur_check_bench_XXXXXX").string();
  const fs::path dir = ::mkdtemp(tmpl.data());
  const int stocks = static_cast<int>(state.range(0));
  zur::brokers::WriteInstallation(zur::brokers::LargeBroker(stocks, 10), dir);
  zur::driver::CheckCommandOptions options;
  options.working_dir = dir;
  options.exe_path = (dir / "zur").string();
  options.change_directory = false;
  options.today = *zur::Date::FromYmd(2026, 12, 8);
  options.screen.gen_date = options.today;
  options.pdf = true;
  QuietOperator op;
  for (auto _ : state) {
    if (zur::driver::CheckCommand(options, op) != 0) {
      state.SkipWithError("the run stopped");
      break;
    }
  }
  state.counters["positions"] = stocks * 10;
  state.counters["upload_bytes"] =
      static_cast<double>(fs::file_size(dir / "ZURFILE.TXT") + fs::file_size(dir / "STIFILE.TXT"));
  fs::remove_all(dir);
}
BENCHMARK(BM_CheckingRun)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
