// Table engine speed over a portfolio-like table of 1,000,000 records: a full scan reading
// two fields, an index build on an account + stock key, and 1,000,000 seeks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/dbf/table.h"

namespace {

using namespace zur;
using namespace zur::dbf;

constexpr uint32_t kRecords = 1'000'000;

std::string Account(uint32_t i) {
  std::string s = std::to_string(100000 + (i * 7919u) % 40000u);
  s.insert(s.begin(), 'C');
  return s;
}
std::string Stock(uint32_t i) {
  return std::to_string(1 + (i * 104729u) % 9000u);
}

// The table is made once per run in the temporary directory and removed at exit.
const std::filesystem::path& BenchTable() {
  static const std::filesystem::path path = [] {
    auto p = std::filesystem::temp_directory_path() /
             ("zur_dbf_bench_" + std::to_string(getpid()) + ".DBF");
    Table::Create(p, {{"MACCT", 'C', 10, 0},
                      {"MSTKNO", 'C', 5, 0},
                      {"MQTY", 'N', 12, 0},
                      {"MPRICE", 'N', 12, 3},
                      {"MDATE", 'D', 8, 0},
                      {"MTYPE", 'C', 2, 0},
                      {"MREF", 'C', 20, 0},
                      {"MFLAG", 'L', 1, 0}});
    auto t = Table::Open(p, Share::kExclusive);
    const Date base = *Date::FromYmd(2026, 1, 1);
    for (uint32_t i = 0; i < kRecords; ++i) {
      t->Append();
      t->Replace(0, Value(Account(i)));
      t->Replace(1, Value(Stock(i)));
      t->Replace(2, Value(static_cast<double>(i % 100000) * 100));
      t->Replace(3, Value(i % 5000 / 7.0));
      t->Replace(4, Value(base.AddDays(i % 365)));
      t->Replace(5, Value(i % 2 ? "B" : "S"));
      std::string ref = std::to_string(i);
      ref.insert(0, "REF", 3);
      t->Replace(6, Value(ref));
      t->Replace(7, Value(i % 3 == 0));
    }
    std::atexit([] { std::filesystem::remove(BenchTable()); });
    return p;
  }();
  return path;
}

expr::FunctionTable& Functions() {
  static expr::FunctionTable fns = [] {
    expr::FunctionTable f;
    // Stand-in for the program's stock key: the trimmed number right-aligned in 5 characters.
    f.Register("STRVAL3", [](std::span<Value> args, expr::Context&, std::string& error) {
      if (args.size() != 1 || !args[0].IsChar()) {
        error = "STRVAL3 needs a text";
        return Value();
      }
      const std::string& s = args[0].str();
      size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
      std::string t = b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
      return Value(std::string(t.size() < 5 ? 5 - t.size() : 0, ' ') + t);
    });
    return f;
  }();
  return fns;
}

std::string Key(uint32_t i) {
  std::string a = Account(i), s = Stock(i);
  a.resize(10, ' ');
  return a + std::string(5 - s.size(), ' ') + s;
}

void BM_FullScanTwoFields(benchmark::State& state) {
  const auto& path = BenchTable();
  for (auto _ : state) {
    auto t = Table::Open(path, Share::kShared, Access::kReadOnly);
    double sum = 0;
    size_t chars = 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
      chars += t->Get(0).str().size();
      sum += t->Get(2).num();
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(chars);
    state.SetBytesProcessed(state.bytes_processed() +
                            static_cast<int64_t>(std::filesystem::file_size(path)));
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_FullScanTwoFields)->Unit(benchmark::kMillisecond);

void BM_IndexBuildAccountStock(benchmark::State& state) {
  const auto& path = BenchTable();
  auto t = Table::Open(path, Share::kShared, Access::kReadOnly);
  t->SetEnvironment({&Functions(), nullptr, nullptr});
  for (auto _ : state) t->CreateOrder("MGNUNSTL", "MACCT+STRVAL3(MSTKNO)");
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_IndexBuildAccountStock)->Unit(benchmark::kMillisecond);

void BM_MillionSeeks(benchmark::State& state) {
  const auto& path = BenchTable();
  auto t = Table::Open(path, Share::kShared, Access::kReadOnly);
  t->SetEnvironment({&Functions(), nullptr, nullptr});
  t->CreateOrder("MGNUNSTL", "MACCT+STRVAL3(MSTKNO)");
  std::vector<Value> keys;
  std::mt19937 rng(1);
  for (uint32_t i = 0; i < kRecords; ++i) keys.emplace_back(Key(rng() % kRecords));
  for (auto _ : state) {
    size_t found = 0;
    for (const Value& k : keys) found += t->Seek(k);
    if (found != keys.size()) state.SkipWithError("a seek missed");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_MillionSeeks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
