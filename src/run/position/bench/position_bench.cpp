// Speed of the position build over back-office tables of a mid-sized broker: clients with
// positions in many stocks, a third of them with unsettled trades.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/upgrade/required_fields.h"
#include "lib/format/format_functions.h"
#include "platform/dbf/work_areas.h"
#include "platform/expr/expression.h"
#include "run/operator/operator.h"
#include "run/position/position_build.h"

namespace zur::position {
namespace {

namespace fs = std::filesystem;

struct Tables {
  fs::path dir;
  VarStore vars;
  expr::FunctionTable functions;
  dbf::WorkAreas areas;
  PositionInputs in;

  Tables(int clients, int stocks_per_client) {
    char name[] = "/tmp/zur_position_bench_XXXXXX";
    if (::mkdtemp(name) == nullptr) throw std::runtime_error("no temporary directory");
    dir = name;
    format::RegisterFormatFunctions(functions, vars);
    areas.SetEnvironment(&functions, &vars);
    auto c = [](const char* n, int w) { return dbf::FieldSpec{n, 'C', w, 0}; };
    auto n = [](const char* f) { return dbf::FieldSpec{f, 'N', 12, 0}; };
    auto d = [](const char* f) { return dbf::FieldSpec{f, 'D', 8, 0}; };
    Make("CLMAST.DBF", "CL", {c("LACCT", 10), c("LSEGAC", 8)});
    Make("PFMAST.DBF", "PF",
         {c("FACCT", 10), c("FSTKNO", 5), n("FQTYBF"), n("FQTYTT"), n("FDAYQTY"), n("FDAYBS")});
    Make("SMMAST.DBF", "SM", {c("MSTKNO", 5), c("MSTK", 15), c("MMARKET", 4), c("MCCSTOCK", 1)});
    Make("MGNUNSTL.DBF", "MU",
         {c("MACCT", 10), c("MSTKNO", 5), c("MREF", 1), n("MQTY"), d("MSDATE")});
    std::vector<dbf::FieldSpec> holdings;
    for (const auto& f : upgrade::RequiredFieldsFor("ATIMAST"))
      holdings.push_back({f.name, f.type, f.length, f.decimals});
    Make("ATIMAST.DBF", "ZUR", holdings, dbf::Share::kExclusive);

    const Date tran = *Date::FromYmd(2026, 12, 8);
    in.tran_date = tran;
    in.ntran_date = tran.AddDays(1);
    in.cash_stock = "A";
    in.accounts.c = "02";
    in.accounts.i = "05";
    in.excluded = {false, false, false, false, false};
    dbf::Table& sm = *areas.Find("SM");
    for (int s = 1; s <= 500; ++s) {
      sm.Append();
      sm.Replace("MSTKNO", Value(std::to_string(s)));
      sm.Replace("MMARKET", Value("HK"));
      sm.Replace("MCCSTOCK", Value("Y"));
    }
    dbf::Table& cl = *areas.Find("CL");
    dbf::Table& pf = *areas.Find("PF");
    dbf::Table& mu = *areas.Find("MU");
    for (int k = 0; k < clients; ++k) {
      const std::string acct = (k % 2 ? "C" : "I") + std::to_string(100000 + k);
      cl.Append();
      cl.Replace("LACCT", Value(acct));
      if (k % 10 == 0) cl.Replace("LSEGAC", Value("21"));
      for (int j = 0; j < stocks_per_client; ++j) {
        const std::string stkno = std::to_string(1 + (k * 7 + j * 13) % 500);
        pf.Append();
        pf.Replace("FACCT", Value(acct));
        pf.Replace("FSTKNO", Value(stkno));
        pf.Replace("FQTYBF", Value(1000 * (j + 1)));
        if ((k + j) % 3 == 0) {
          mu.Append();
          mu.Replace("MACCT", Value(acct));
          mu.Replace("MSTKNO", Value(stkno));
          mu.Replace("MREF", Value(j % 2 ? "B" : "S"));
          mu.Replace("MQTY", Value(200));
          mu.Replace("MSDATE", Value(tran.AddDays(1 + j % 3)));
        }
      }
    }
    for (const char* alias : {"CL", "PF", "SM", "MU"}) areas.Find(alias)->Flush();
    areas.Find("SM")->CreateOrder("SMNO", "STRVAL3(MSTKNO)");
    areas.Find("MU")->CreateOrder("MGNUNSTL", "MACCT+STRVAL3(MSTKNO)");
    areas.Find("ZUR")->CreateOrder("ATIMAST", "STRVAL(ASTKNO)+AATI");
  }
  ~Tables() {
    areas.CloseAll();
    fs::remove_all(dir);
  }

  void Make(const char* file, const char* alias, const std::vector<dbf::FieldSpec>& fields,
            dbf::Share share = dbf::Share::kExclusive) {
    dbf::Table::Create(dir / file, fields);
    areas.Select(0);
    areas.Use(dir / file, alias, share);
  }
};

using run::QuietOperator;

void BM_BuildPositions(benchmark::State& state) {
  Tables tables(static_cast<int>(state.range(0)), 10);
  QuietOperator op;
  for (auto _ : state) {
    tables.areas.Find("ZUR")->Zap();
    benchmark::DoNotOptimize(BuildPositions(tables.areas, tables.in, op));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 10);
}
BENCHMARK(BM_BuildPositions)->Arg(100)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zur::position

BENCHMARK_MAIN();
