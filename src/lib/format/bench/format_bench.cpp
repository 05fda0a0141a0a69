// Speed of the routines the checking run calls once per record: stock number keys, account
// codes, upload fields and report quantities.

#include <benchmark/benchmark.h>

#include "lib/format/account_code.h"
#include "lib/format/field_split.h"
#include "lib/format/stock_number.h"
#include "lib/format/upload_field.h"
#include "lib/text/numeric_text.h"

namespace zur::format {
namespace {

void BM_StrVal(benchmark::State& state) {
  StockNumberRules rules;
  const char* numbers[] = {"5", "00005", "12A", "  388", "600519"};
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(StrVal(numbers[i++ % 5], rules));
}
BENCHMARK(BM_StrVal);

void BM_StockRulesFromVars(benchmark::State& state) {
  VarStore vars;
  vars.Set("STKNO_LEN", Value(5));
  vars.Set("SAS_MKT", Value(false));
  vars.Set("SNO_JUST", Value("R"));
  for (auto _ : state) benchmark::DoNotOptimize(StockNumberRules::FromVars(vars));
}
BENCHMARK(BM_StockRulesFromVars);

void BM_UploadLine(benchmark::State& state) {
  TextFieldCharset charset{true, " /+-?:(),'.0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"};
  std::string line;
  for (auto _ : state) {
    line.clear();
    AppendTextField(line, "ZUR", 3, charset);
    AppendTextField(line, FmtAcNum("21", true), 11, charset);
    AppendNumberField(line, 1234567, 12);
    AppendTextField(line, "HSBC & CO", 40, charset);
    benchmark::DoNotOptimize(line);
  }
}
BENCHMARK(BM_UploadLine);

void BM_CutComma(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(text::CutComma("    12,345,678- "));
}
BENCHMARK(BM_CutComma);

void BM_CutCsv2(benchmark::State& state) {
  std::vector<std::string> fields;
  for (auto _ : state)
    benchmark::DoNotOptimize(CutCsv2("00005,\"HSBC, HOLDINGS\",1000,HKD,20070606", fields));
}
BENCHMARK(BM_CutCsv2);

}  // namespace
}  // namespace zur::format

BENCHMARK_MAIN();
