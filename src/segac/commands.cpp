// The commands of the maintenance's command bar that change what is shown: Amend, Search,
// Filter and List.
#include <vector>

#include "lib/format/account_code.h"
#include "lib/text/trim_pad.h"
#include "platform/expr/text_case.h"
#include "platform/term/get_read.h"
#include "segac/dialogue.h"
#include "segac/filter_text.h"
#include "segac/lookup_list.h"
#include "segac/prompts.h"
#include "segac/record_lock.h"

namespace zur::segac {
namespace {

// Entries show what the record holds; the first letter typed replaces it.
constexpr std::string_view kUpperReplacing = "@!K";

std::string Upper(std::string_view text) {
  std::string out;
  expr::AppendUpper(text, out);
  return out;
}

}  // namespace

void Dialogue::Amend() {
  if (!RecLock(screen_, vars_, *clients_)) return;
  try {
    AmendLocked();
  } catch (...) {
    clients_->UnlockAll();
    throw;
  }
  RelELock(*clients_);
}

void Dialogue::AmendLocked() {
  // The record as it is on disk now that it is held: another user may have changed it.
  ShowRecord();
  const uint32_t mrec = clients_->RecNo();
  vars_.Set("MREC", static_cast<double>(mrec));
  vars_.Set("ESC_EXIT", false);
  const std::string acct = FieldText(fields_.acct);
  std::string segac = FieldText(fields_.segac);
  vars_.Set("M_NAME", FieldText(fields_.name));
  vars_.Set("M_NAME2", FieldText(fields_.name2));
  std::vector<term::GetEntry> entries{{12, 29, &segac, std::string(kUpperReplacing), {}}};
  term::ReadGets(screen_, entries);
  vars_.Set("M_ACCT", acct);
  vars_.Set("M_SEGAC", segac);
  if (!text::IsBlank(segac) && segac != FieldText(fields_.segac) &&
      !ConfirmDuplicate(acct, segac, mrec)) {
    return;  // the amendment is dropped
  }
  if (!ExitKey()) clients_->Replace(fields_.segac, Value(segac));
}

// Whether another client holds the segregated account already, and if so whether the operator
// confirms it. The search looks at every client, whatever the filter shows. The order and the
// record are as they were afterwards.
bool Dialogue::ConfirmDuplicate(const std::string& acct, const std::string& segac, uint32_t mrec) {
  const int order = clients_->ActiveOrder();
  const std::string filter(clients_->filter());
  if (!filter.empty()) clients_->SetFilter("");
  if (order != 2) clients_->SetOrder(2);
  clients_->Seek(Value(segac));
  if (!clients_->Eof() && FieldText(fields_.acct) == acct) clients_->Skip();
  const bool used = !clients_->Eof() && FieldText(fields_.segac) == segac;
  bool confirmed = true;
  if (used) {
    term::Console& console = screen_.console();
    console.Bell();
    console.ClearRows(22, 23);
    console.Say(22, 0, "WARNING: The Segregated A/C Code is used by another client !");
    const bool eight = format::Ccass0705(vars_);
    const char preset = format::FmtAcNum(segac, eight) <= format::FmtAcNum("10", eight) ? 'Y' : ' ';
    confirmed = AskLetter(screen_, vars_, 23, "Please key in \"Y\" to confirm :", preset) == "Y";
    console.ClearRows(22, 23);
  }
  if (order != 2) clients_->SetOrder(order);
  if (!filter.empty()) clients_->SetFilter(filter);
  clients_->GoTo(mrec);
  return confirmed;
}

void Dialogue::Search() {
  term::Console& console = screen_.console();
  const term::ScreenImage saved = console.Save();
  term::Attr bright = console.colours().standard;
  bright.bold = true;
  const std::string frame = FrameOf(vars_);
  console.Box(term::Corners(10, 2, 19, 77), frame, bright, true);
  for (const int row : {13, 16}) console.Say(row, 3, std::string(74, frame[1]), bright);
  console.Say(11, 5, " 1st SEARCH KEY: ");
  console.Say(12, 15, "CLIENT A/C NO:");
  console.Say(14, 5, " 2nd SEARCH KEY: ");
  console.Say(15, 14, "SEGREGATED A/C:");
  console.Say(17, 5, " 3rd SEARCH KEY: ");
  console.Say(18, 17, "CLIENT NAME:");
  std::string acct = FieldText(fields_.acct);
  std::string segac = FieldText(fields_.segac);
  std::string name = FieldText(fields_.name);
  const uint32_t mrec = clients_->RecNo();
  const std::string picture(kUpperReplacing);
  std::vector<term::GetEntry> entries{
      {12, 30, &acct, picture, {}}, {15, 30, &segac, picture, {}}, {18, 30, &name, picture, {}}};
  term::ReadGets(screen_, entries);
  vars_.Set("M_ACCT1", acct);
  vars_.Set("M_SEGAC2", segac);
  vars_.Set("M_NAME3", name);
  if (!ExitKey()) {
    // The first key given wins.
    int order = 0;
    std::string key;
    if (!text::IsBlank(acct)) {
      order = 1, key = text::RTrim(acct);
    } else if (!text::IsBlank(segac)) {
      order = 2, key = text::RTrim(segac);
    } else if (!text::IsBlank(name)) {
      order = 3, key = Upper(text::RTrim(name));
    }
    if (order != 0) {
      if (clients_->ActiveOrder() != order) clients_->SetOrder(order);
      vars_.Set("M_ORDER", order);
      if (!clients_->Seek(Value(key))) {
        SayMsg("SEARCH KEY NOT FOUND -- " + key);
        clients_->GoTo(mrec);
      }
    }
  }
  console.Restore(saved);
}

void Dialogue::Filter() {
  filter_.clear();
  std::string acct = FieldText(fields_.acct);
  std::string name = FieldText(fields_.name);
  std::string segac = FieldText(fields_.segac);
  const std::string picture(kUpperReplacing);
  std::vector<term::GetEntry> entries{
      {7, 29, &acct, picture, {}}, {9, 29, &name, picture, {}}, {12, 29, &segac, picture, {}}};
  term::ReadGets(screen_, entries);
  vars_.Set("M_ACCT", acct);
  vars_.Set("M_NAME", name);
  vars_.Set("M_SEGAC", segac);
  // Esc leaves no filter in force.
  if (!ExitKey()) {
    CatFiltC(filter_, "LACCT", acct);
    CatFiltC(filter_, "LSEGAC", segac);
    CatNameFilter(filter_, name);
  }
  vars_.Set("FILTER_STR", filter_);
  SetFiltr();
}

void Dialogue::SetFiltr() {
  if (filter_.empty()) {
    clients_->SetFilter("");
    return;
  }
  SayWait(screen_);
  const uint32_t mrec = clients_->RecNo();
  clients_->SetFilter(filter_);
  clients_->GoTop();
  if (clients_->Eof()) {
    SayMsg("NO RECORD FOUND !");
    clients_->SetFilter("");
    filter_.clear();
    vars_.Set("FILTER_STR", "");
    clients_->GoTo(mrec);
  }
}

void Dialogue::List() {
  ScanType type = ScanType::kAccount;
  std::string key = FieldText(fields_.acct);
  if (clients_->ActiveOrder() == 2) {
    type = ScanType::kSegregated;
    key = FieldText(fields_.segac);
  } else if (clients_->ActiveOrder() == 3) {
    type = ScanType::kName;
    key = Upper(FieldText(fields_.name));
  }
  header_.Clear();  // the list takes the whole screen below the menu bar
  AtScan(screen_, vars_, *clients_, fields_, key, type);
  DrawScreen();
  if (clients_->Eof()) clients_->GoTop();
}

}  // namespace zur::segac
