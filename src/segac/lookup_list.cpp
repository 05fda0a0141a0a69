#include "segac/lookup_list.h"

#include "platform/term/light_bar_menu.h"
#include "segac/prompts.h"
#include "segac/soft_seek.h"

namespace zur::segac {
namespace {

constexpr int kFirstRow = 3;
constexpr int kButtonRow = 22;
// Previous moves back two pages less the line the pages share; Next from end of file shows
// the last page.
constexpr int kPreviousStep = 2 * (kPageEntries + 1) - 2;

class LookupList {
 public:
  LookupList(term::Screen& screen, dbf::Table& clients, const ClientFields& fields)
      : screen_(screen), clients_(clients), fields_(fields) {}

  // The record chosen, or 0 after Quit or Esc.
  uint32_t Run() {
    bool previous = false;
    for (;;) {
      const std::vector<LookupEntry> page = DrawPage();
      std::vector<term::Prompt> prompts;
      for (size_t i = 0; i < page.size(); ++i)
        prompts.push_back({kFirstRow + static_cast<int>(i), 0, page[i].text, ""});
      const int buttons = static_cast<int>(prompts.size());
      prompts.push_back({kButtonRow, 25, " Previous ", ""});
      prompts.push_back({kButtonRow, 35, " Next ", ""});
      prompts.push_back({kButtonRow, 41, " Quit ", ""});
      const int chosen = term::LightBarMenu(screen_, prompts, buttons + (previous ? 1 : 2));
      if (chosen >= 1 && chosen <= buttons) return page[static_cast<size_t>(chosen - 1)].recno;
      previous = chosen == buttons + 1;
      if (chosen == buttons + 2) {
        Next();
      } else if (previous) {
        Previous();
      } else {
        return 0;  // Quit or Esc
      }
    }
  }

 private:
  std::vector<LookupEntry> DrawPage() {
    term::Console& console = screen_.console();
    const term::Attr& attr = console.colours().standard;
    console.ClearRows(1, term::kGridRows - 1);
    console.Line(1, 0, term::kGridColumns - 1, attr);
    console.Line(21, 0, term::kGridColumns - 1, attr);
    const std::string title = " Segregated A/C Lookup Table ";
    console.Say(1, (term::kGridColumns - static_cast<int>(title.size())) / 2, title);
    console.Say(2, 4, "Client A/C No & Name");
    console.Say(2, 43, "Segregated A/C");
    std::vector<LookupEntry> page = ReadLookupPage(clients_, fields_);
    if (clients_.Eof())
      console.Say(kFirstRow + static_cast<int>(page.size()), 0,
                  std::string(20, ' ') + "** End of File **");
    return page;
  }

  // A step back that passes the beginning stays on the first client (the table engine's
  // Skip does), which is where the list goes then: no second search for it under a filter.
  void Next() {
    if (!clients_.Eof()) return;  // the next page starts on the last client listed
    clients_.Skip(-kPageEntries);
  }

  void Previous() {
    if (!clients_.filter().empty()) SayWait(screen_);
    clients_.Skip(-kPreviousStep);
  }

  term::Screen& screen_;
  dbf::Table& clients_;
  const ClientFields& fields_;
};

}  // namespace

std::vector<LookupEntry> ReadLookupPage(dbf::Table& clients, const ClientFields& fields) {
  std::vector<LookupEntry> page;
  for (; !clients.Eof(); clients.Skip()) {
    if (clients.Deleted()) continue;
    std::string text = " ";
    text += kEntryLetters[page.size()];
    text += ". ";
    text += clients.Raw(fields.acct);
    text += ' ';
    text += clients.Raw(fields.name);
    text += std::string(6, ' ');
    text += clients.Raw(fields.segac);
    text += ' ';
    page.push_back({clients.RecNo(), std::move(text)});
    if (page.size() == kPageEntries) break;
  }
  return page;
}

std::optional<std::string> AtScan(term::Screen& screen, VarStore& vars, dbf::Table& clients,
                                  const ClientFields& fields, std::string_view key, ScanType type) {
  SoftSeek(clients, key);
  const uint32_t start = clients.Eof() ? 0 : clients.RecNo();
  const term::ScreenImage saved = screen.console().Save();
  // Nothing is printed while the list is shown.
  const Value show_prt = vars.Get("SHOW_PRT");
  vars.Set("SHOW_PRT", false);
  const uint32_t chosen = LookupList(screen, clients, fields).Run();
  vars.Set("SHOW_PRT", show_prt.IsNil() ? Value(true) : show_prt);
  screen.console().Restore(saved);
  if (chosen == 0) {
    if (start != 0) clients.GoTo(start);
    return std::nullopt;
  }
  clients.GoTo(chosen);
  const int field = type == ScanType::kAccount      ? fields.acct
                    : type == ScanType::kSegregated ? fields.segac
                                                    : fields.name;
  return std::string(clients.Raw(field));
}

}  // namespace zur::segac
