// Whole checking runs on a large broker, once with an operator that shows nothing (as zur check
// without its messages) and once on the screen (the headless terminal, every picture drawn), so
// that the cost of drawing a run's progress can be compared.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "brokers/large_broker.h"
#include "platform/term/headless_backend.h"
#include "platform/term/screen.h"
#include "run/driver/bench/bench_check_options.h"
#include "run/driver/check_command.h"
#include "run/operator/operator.h"
#include "screens/screen_operator.h"

namespace {

namespace fs = std::filesystem;

void Run(benchmark::State& state, bool on_screen) {
  std::string tmpl = (fs::temp_directory_path() / "zur_screen_bench_XXXXXX").string();
  const fs::path dir = ::mkdtemp(tmpl.data());
  const int stocks = static_cast<int>(state.range(0));
  zur::brokers::WriteInstallation(zur::brokers::LargeBroker(stocks, 10), dir);
  const zur::driver::CheckCommandOptions options = zur::driver::bench::BenchCheckOptions(dir, true);
  zur::term::HeadlessBackend backend;
  // Every box and key wait is answered at once.
  backend.on_idle = [](zur::term::HeadlessBackend& b) { b.Press(zur::term::KeyId::kEnter); };
  zur::term::Screen screen(backend);
  zur::screens::ScreenOperator screen_op(screen);
  zur::run::QuietOperator quiet_op;
  zur::run::Operator& op = on_screen ? static_cast<zur::run::Operator&>(screen_op) : quiet_op;
  for (auto _ : state) {
    if (zur::driver::CheckCommand(options, op) != 0) {
      state.SkipWithError("the run stopped");
      break;
    }
  }
  state.counters["pictures"] = backend.presents();
  fs::remove_all(dir);
}

void BM_RunQuiet(benchmark::State& state) {
  Run(state, false);
}
void BM_RunOnScreen(benchmark::State& state) {
  Run(state, true);
}
BENCHMARK(BM_RunQuiet)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunOnScreen)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
