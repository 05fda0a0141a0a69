// Whole checking runs (start-up, scan, readers, position build, determination, upload files,
// the two reports as PDF files) on a large broker written once into a scratch directory; and
// the position build and the ZUR determination on their own, timed within whole runs between
// the progress lines that begin them and the ones that follow them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "brokers/large_broker.h"
#include "run/driver/bench/bench_check_options.h"
#include "run/driver/check_command.h"
#include "run/operator/operator.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A large broker in a scratch directory, written once per size.
class Broker {
 public:
  // `stocks` stocks of `clients_per_stock` positions each, over `clients` clients; one
  // position in five with an unsettled buy.
  Broker(int stocks, int clients_per_stock, int clients) {
    std::string tmpl = (fs::temp_directory_path() / "zur_check_bench_XXXXXX").string();
    dir_ = ::mkdtemp(tmpl.data());
    zur::brokers::WriteInstallation(
        zur::brokers::LargeBroker(stocks, clients_per_stock, clients, 5), dir_);
  }
  ~Broker() { fs::remove_all(dir_); }
  const fs::path& dir() const { return dir_; }

  static Broker& OfSize(int stocks, int clients_per_stock, int clients) {
    static std::map<std::tuple<int, int, int>, std::unique_ptr<Broker>> made;
    auto& broker = made[{stocks, clients_per_stock, clients}];
    if (!broker) broker = std::make_unique<Broker>(stocks, clients_per_stock, clients);
    return *broker;
  }

 private:
  fs::path dir_;
};

zur::driver::CheckCommandOptions Options(const fs::path& dir, bool pdf) {
  return zur::driver::bench::BenchCheckOptions(dir, pdf);
}

// Notes when each progress line of a run is shown.
class TimingOperator : public zur::run::QuietOperator {
 public:
  void ProgressLine(std::string_view text) override { shown_[std::string(text)] = Clock::now(); }
  // Seconds from the line that begins with `from` to the one that begins with `to`.
  double Between(std::string_view from, std::string_view to) const {
    return std::chrono::duration<double>(At(to) - At(from)).count();
  }

 private:
  Clock::time_point At(std::string_view start) const {
    for (const auto& [text, when] : shown_)
      if (text.starts_with(start)) return when;
    return Clock::time_point();
  }
  std::map<std::string, Clock::time_point> shown_;
};

void BM_CheckingRun(benchmark::State& state) {
  const int stocks = static_cast<int>(state.range(0));
  const Broker& broker = Broker::OfSize(stocks, 10, 0);
  const zur::driver::CheckCommandOptions options = Options(broker.dir(), true);
  zur::run::QuietOperator op;
  for (auto _ : state) {
    if (zur::driver::CheckCommand(options, op) != 0) {
      state.SkipWithError("the run stopped");
      break;
    }
  }
  state.counters["positions"] = stocks * 10;
  state.counters["upload_bytes"] = static_cast<double>(fs::file_size(broker.dir() / "ZURFILE.TXT") +
                                                       fs::file_size(broker.dir() / "STIFILE.TXT"));
}
BENCHMARK(BM_CheckingRun)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

// A step of the run on the large broker of `stocks` stocks of 333 positions each (3000: the
// broker of bench/large-broker), timed from the progress line `from` to the line `to`.
void TimeStep(benchmark::State& state, std::string_view from, std::string_view to) {
  const int stocks = static_cast<int>(state.range(0));
  const Broker& broker = Broker::OfSize(stocks, 333, stocks * 100 / 3);
  const zur::driver::CheckCommandOptions options = Options(broker.dir(), false);
  for (auto _ : state) {
    TimingOperator op;
    zur::driver::CheckCommand(options, op);
    const double seconds = op.Between(from, to);
    if (seconds <= 0) {
      state.SkipWithError("the run did not show both progress lines");
      break;
    }
    state.SetIterationTime(seconds);
  }
  state.SetItemsProcessed(state.iterations() * stocks * 333);
}

void BM_PositionBuild(benchmark::State& state) {
  TimeStep(state, "Generating Client Master Index", "Determining ZUR");
}
BENCHMARK(BM_PositionBuild)->Arg(300)->Arg(3000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Determination(benchmark::State& state) {
  TimeStep(state, "Determining ZUR", "Printing \"STOCK SHORTAGE REPORT\"");
}
BENCHMARK(BM_Determination)->Arg(300)->Arg(3000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
