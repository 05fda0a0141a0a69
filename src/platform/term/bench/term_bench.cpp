// Key presses answered by a data-entry form of 28 fields on the headless terminal: each key
// goes through the event queue to the focused field, and the whole picture is composed and
// compared for every key, as on a real terminal.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/term/entry_field.h"
#include "platform/term/headless_backend.h"
#include "platform/term/screen.h"
#include "platform/term/static_text.h"

namespace zur::term {
namespace {

struct Form {
  HeadlessBackend backend;
  Screen screen{backend};
  std::vector<EntryField*> fields;

  Form() {
    for (int i = 0; i < 28; ++i) {
      const int row = 5 + i % 19;
      const int col = i < 19 ? 3 : 44;
      screen.Add<StaticText>(row, col, "CCASS A/C for \"A\" CLIENTS ");
      EntryField* f = screen.Add<EntryField>(row, col + 28, 8, 8);
      f->SetPlaceholder("ATI_" + std::to_string(i));
      f->SetText("0000001");
      f->on_key = [this, f](int code) {
        if (code != event::kTab) return false;
        screen.SetFocus(screen.NextTabStop(f));
        return true;
      };
      fields.push_back(f);
    }
    screen.console().Say(24, 10,
                         "Last Modified on 24 Feb 2025, and is able to match with CCASS/3.");
    screen.SetFocus(fields[0]);
  }
};

// 1,000 keys: eight characters typed into a field, a Backspace, a Tab to the next one.
void BM_KeyPressesInAnEntryForm(benchmark::State& state) {
  Form form;
  std::vector<Key> keys;
  while (keys.size() < 1000) {
    for (char c : std::string("12345678")) keys.push_back(Key::Char(c));
    keys.push_back(Key::Named(KeyId::kBackspace));
    keys.push_back(Key::Named(KeyId::kTab));
  }
  keys.resize(1000);
  for (auto _ : state) {
    for (const Key& k : keys) form.backend.Press(k);
    try {
      for (;;) form.screen.Dispatch(form.screen.NextEvent());
    } catch (const InputExhausted&) {
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
  benchmark::DoNotOptimize(form.backend.presents());
}
BENCHMARK(BM_KeyPressesInAnEntryForm)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zur::term

BENCHMARK_MAIN();
