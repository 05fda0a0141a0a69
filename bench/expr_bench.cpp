// Expression evaluation speed over one million in-memory records: index keys and a filter,
// as an index build or a filtered scan evaluates them.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/expr/expression.h"
#include "platform/expr/tests/fake_field_source.h"
#include "platform/expr/tests/stand_in_functions.h"

namespace {

using zur::Value;
using zur::expr::testing::FakeFieldSource;

constexpr size_t kRecords = 1'000'000;

std::string Padded(std::string s, size_t width) {
  s.resize(width, ' ');
  return s;
}

// One work area of client and stock fields, filled once.
FakeFieldSource& Records() {
  static FakeFieldSource* source = [] {
    auto* s = new FakeFieldSource;
    s->AddArea("MU", {"MACCT", "MSTKNO", "LACCT", "LNAME", "LNAME2"});
    s->area(0).records.reserve(kRecords);
    for (size_t i = 0; i < kRecords; ++i) {
      char acct[16];
      std::snprintf(acct, sizeof acct, "%c%zu", static_cast<char>('A' + i % 3), i % 9973);
      s->AddRecord(0, {Value(Padded(acct, 8)), Value(Padded(std::to_string(i % 99999), 5)),
                       Value(Padded(acct, 8)),
                       Value(Padded(i % 7 == 0 ? "Chan Abc Ltd" : "Lee Tai Man", 40)),
                       Value(Padded(i % 5 == 0 ? "ABC" : "", 40))});
    }
    return s;
  }();
  return *source;
}

void EvaluateOverAll(benchmark::State& state, const char* text) {
  FakeFieldSource& fields = Records();
  zur::expr::FunctionTable functions;
  zur::expr::testing::RegisterStandIns(functions);
  zur::expr::Context ctx;
  ctx.fields = &fields;
  ctx.functions = &functions;
  zur::expr::Error error;
  std::unique_ptr<zur::expr::Expression> e = zur::expr::Expression::Compile(text, error);
  if (!e) {
    state.SkipWithError(error.What().c_str());
    return;
  }
  Value out;
  size_t hits = 0;
  for (auto _ : state) {
    for (size_t r = 1; r <= kRecords; ++r) {
      fields.Goto(0, r);
      if (!e->Evaluate(ctx, out, error)) {
        state.SkipWithError(error.What().c_str());
        return;
      }
      hits += out.IsTrue();
      benchmark::DoNotOptimize(out);
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kRecords));
  state.counters["true"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}

void BM_IndexKeyWithRoutine(benchmark::State& state) {
  EvaluateOverAll(state, "MACCT+STRVAL3(MSTKNO)");
}
void BM_UpperOfField(benchmark::State& state) {
  EvaluateOverAll(state, "UPPER(LNAME)");
}
void BM_MaintenanceFilter(benchmark::State& state) {
  EvaluateOverAll(state, "LACCT=[A1] .AND. ([ABC]$UPPER(LNAME) .OR. [ABC]$LNAME2)");
}

BENCHMARK(BM_IndexKeyWithRoutine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpperOfField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaintenanceFilter)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
