// The ZUR determination over a day's holdings: `stocks` stocks with four accounts each ("01",
// one that gives, one 21 and above and one below that get, some with T+1 due bought), from a
// table prepared once and copied afresh for every run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/upgrade/required_fields.h"
#include "lib/format/format_functions.h"
#include "lib/format/stock_number.h"
#include "platform/dbf/work_areas.h"
#include "run/determine/determine_zur.h"
#include "run/operator/operator.h"

namespace {

namespace fs = std::filesystem;
using namespace zur;

fs::path MakeDir() {
  std::string tmpl = (fs::temp_directory_path() / "zur_determine_bench_XXXXXX").string();
  return mkdtemp(tmpl.data());
}

void FillTemplate(const fs::path& path, int stocks) {
  std::vector<dbf::FieldSpec> fields;
  for (const upgrade::RequiredField& f : upgrade::RequiredFieldsFor("ATIMAST", 5))
    fields.push_back({f.name, f.type, f.length, f.decimals});
  dbf::Table::Create(path, fields);
  auto t = dbf::Table::Open(path, dbf::Share::kExclusive);
  struct Account {
    const char* code;
    double cas, net, stl;
  };
  const Account accounts[] = {
      {"01", 5000, 0, 0}, {"12", 800, 300, 0}, {"25", 100, 600, 200}, {"15", 0, 400, 100}};
  for (int s = 1; s <= stocks; ++s) {
    const std::string stkno = format::StrVal(std::to_string(s), format::StockNumberRules{});
    for (const Account& a : accounts) {
      t->Append();
      t->Replace("ASTKNO", Value(stkno));
      t->Replace("AISIN", Value("HK0000000001"));
      t->Replace("AATI", Value(a.code));
      t->Replace("ACASQTY", Value(a.cas));
      t->Replace("ANETQTY", Value(a.net));
      t->Replace("ASTLQTY", Value(a.stl));
    }
  }
}

void BM_DetermineZur(benchmark::State& state) {
  const fs::path dir = MakeDir();
  const fs::path source = dir / "TEMPLATE.DBF", work = dir / "ATIMAST.DBF";
  FillTemplate(source, static_cast<int>(state.range(0)));
  VarStore vars;
  expr::FunctionTable functions;
  format::RegisterFormatFunctions(functions, vars);
  run::BatchOperator op(true, /*show_progress=*/false);
  determine::DetermineInputs in;
  in.due_bought_from_main = true;
  int64_t lines = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(source, work, fs::copy_options::overwrite_existing);
    dbf::WorkAreas areas;
    areas.SetEnvironment(&functions, &vars);
    areas.Select(1);
    dbf::Table& zur = areas.Use(work, "ZUR", dbf::Share::kExclusive);
    zur.CreateOrder("ATIMAST", "STRVAL(ASTKNO)+AATI");
    upload::UploadSettings settings;
    settings.is_ccass3 = true;
    settings.gen_date = *Date::FromYmd(2026, 12, 8);
    settings.zur_path = dir / "ATIFILE.TXT";
    upload::UploadWriter writer(settings);
    state.ResumeTiming();
    lines += determine::DetermineZur(zur, writer, in, op).zur_lines;
  }
  state.counters["lines"] =
      benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
  fs::remove_all(dir);
}
BENCHMARK(BM_DetermineZur)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
