// The segregated account maintenance on the large broker's client master of 100,000 clients:
// the screen opened and left (directories, back-office settings, the client master opened and
// its three orders built, the first client drawn), a search in each order, a filter on a name
// fragment over all clients, and the pages of the lookup list.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/startup/settings_record.h"
#include "brokers/large_broker.h"
#include "platform/big5/big5_text.h"
#include "platform/term/headless_backend.h"
#include "platform/term/screen.h"
#include "segac/client_master.h"
#include "segac/filter_text.h"
#include "segac/lookup_list.h"
#include "segac/segregated_accounts.h"
#include "segac/soft_seek.h"

namespace {

namespace fs = std::filesystem;
using namespace zur;

constexpr int kClients = 100'000;

// The large broker with names for its clients: one in twenty "CHAN ...", one in ten Chinese.
// Written once per run, removed at exit.
const fs::path& Broker() {
  static const fs::path dir = [] {
    std::string tmpl = (fs::temp_directory_path() / "zur_segac_bench_XXXXXX").string();
    const fs::path made = ::mkdtemp(tmpl.data());
    brokers::InstallationSpec spec = brokers::LargeBroker(1, 1, kClients);
    const std::string chinese = big5::Utf8ToBig5("孫美珠");
    for (size_t c = 0; c < spec.clients.size(); ++c) {
      const std::string n = std::to_string(c);
      const std::string name = c % 20 == 0   ? "CHAN TAI MAN " + n
                               : c % 10 == 5 ? chinese + " " + n
                                             : "CLIENT " + n;
      spec.clients[c].emplace_back("LNAME", Value(name));
    }
    brokers::WriteInstallation(spec, made);
    std::atexit([] { fs::remove_all(Broker()); });
    return made;
  }();
  return dir;
}

fs::path ClientFile() {
  return Broker() / brokers::kObxDir / "CLMAST.DBF";
}

// The client master opened and indexed as the screen has it.
struct Opened {
  dbf::WorkAreas areas;
  std::ostringstream lines;
  upgrade::StreamConsole console{lines, lines};
  segac::ClientMasterOpen open;
  Opened() {
    open = segac::OpenClientMaster(areas, ClientFile(), console);
    if (open.table != nullptr) segac::BuildClientOrders(*open.table);
  }
};

void BM_ScreenOpensAndCloses(benchmark::State& state) {
  term::HeadlessBackend backend;
  term::Screen screen(backend);
  VarStore vars;
  expr::FunctionTable functions;
  dbf::WorkAreas areas;
  areas.SetEnvironment(&functions, &vars);
  dbf::Table& sys = areas.Use(Broker() / "ATISYSFL.DBF", "SYS", dbf::Share::kExclusive);
  sys.GoTop();
  startup::LoadSettings(sys, vars, true);
  std::ostringstream lines;
  upgrade::StreamConsole console(lines, lines);
  for (auto _ : state) {
    // The directories as they are, then Exit and no report.
    backend.Press(term::KeyId::kPgDn);
    backend.Press(term::KeyId::kEsc);
    backend.Press(term::KeyId::kEsc);
    segac::SegregatedAccounts(screen, vars, areas, console, Broker());
  }
  if (backend.Text().find("CLIENT A/C NO :") == std::string::npos)
    state.SkipWithError("the screen did not open");
}
BENCHMARK(BM_ScreenOpensAndCloses)->Unit(benchmark::kMillisecond);

// One search in each order, as the Search command makes them.
void BM_Search(benchmark::State& state) {
  Opened o;
  dbf::Table& t = *o.open.table;
  const std::string keys[] = {"C05001", "21", "CHAN TAI MAN 5000", "CLIENT 99999"};
  int found = 0;
  for (auto _ : state) {
    for (int order = 1; order <= 3; ++order) {
      t.SetOrder(order);
      found += t.Seek(Value(keys[order - 1]));
    }
    segac::SoftSeek(t, keys[3] + "X");
  }
  state.counters["found"] = found / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Search)->Unit(benchmark::kMicrosecond);

// The filter of a name fragment set and the first client found, in the account order; "NOBODY"
// matches no one, so every client is tested, also in the name order (whose records lie all
// over the file).
void BM_FilterByName(benchmark::State& state, std::string fragment, int order) {
  Opened o;
  dbf::Table& t = *o.open.table;
  t.SetOrder(order);
  std::string filter;
  segac::CatNameFilter(filter, big5::Utf8ToBig5(fragment));
  for (auto _ : state) {
    t.SetFilter(filter);
    t.GoTop();
    benchmark::DoNotOptimize(t.Eof());
    t.SetFilter("");
  }
}
BENCHMARK_CAPTURE(BM_FilterByName, chan, std::string("chan"), 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterByName, chinese, std::string("美珠"), 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterByName, nobody, std::string("NOBODY"), 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterByName, nobody_by_name, std::string("NOBODY"), 3)
    ->Unit(benchmark::kMillisecond);

// Next and Previous through the lookup list in the name order, unfiltered and under the
// filter of a Chinese name (one client in ten, all after the others in this order), from the
// middle of the clients and from the first of the filter (where Previous passes every client
// before it to find that there is none, then starts again at the top).
void BM_LookupPages(benchmark::State& state, bool filtered, const char* from) {
  Opened o;
  dbf::Table& t = *o.open.table;
  t.SetOrder(3);
  if (filtered) {
    std::string filter;
    segac::CatNameFilter(filter, big5::Utf8ToBig5("孫"));
    t.SetFilter(filter);
  }
  const std::string key = big5::Utf8ToBig5(from);
  size_t entries = 0;
  for (auto _ : state) {
    segac::SoftSeek(t, key);                                    // the list opens
    entries += segac::ReadLookupPage(t, o.open.fields).size();  // its first page
    entries += segac::ReadLookupPage(t, o.open.fields).size();  // Next
    t.Skip(-34);                                                // Previous
    entries += segac::ReadLookupPage(t, o.open.fields).size();
  }
  state.counters["entries"] = entries / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(BM_LookupPages, all, false, "CLIENT 5")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LookupPages, filtered, true, "孫美珠 5")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LookupPages, filtered_first, true, "")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
