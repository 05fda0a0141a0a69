#include "screens/screen_header.h"

#include <fmt/chrono.h>
#include <fmt/format.h>

#include <ctime>

#include "lib/format/date_text.h"
#include "lib/text/setting_match.h"
#include "lib/text/trim_pad.h"
#include "platform/term/colour.h"
#include "platform/term/static_text.h"
#include "print/device/printer_state.h"

namespace zur::screens {
namespace {

constexpr int kColumns = 80;
constexpr std::string_view kMainMenu = "** MAIN  MENU **";

std::string TextOf(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v != nullptr && v->IsChar() ? v->str() : std::string();
}

// Centred as the screens centre: (80 - length) / 2 + 1.
int Centred(std::string_view text) {
  return std::max(0, (kColumns - static_cast<int>(text.size())) / 2 + 1);
}

// The headers drawn now, so that a printer dialog can bring their printer fields up to date.
std::vector<ScreenHeader*>& LiveHeaders() {
  static std::vector<ScreenHeader*> live;
  return live;
}

std::string TimeOfDay(std::optional<std::chrono::system_clock::time_point> now) {
  const std::time_t t =
      std::chrono::system_clock::to_time_t(now.value_or(std::chrono::system_clock::now()));
  std::tm local{};
  localtime_r(&t, &local);
  return fmt::format("{:02}:{:02}:{:02}", local.tm_hour, local.tm_min, local.tm_sec);
}

}  // namespace

std::string HeaderPrinterText(const VarStore& vars) {
  const print::PrinterState state = print::PrinterStateFromVars(vars, true);
  if (print::IsWinPtr(state))
    return "(Windows " + std::string(text::RTrim(TextOf(vars, "WinPtFont"))) + ")";
  // A blank printer name prints on LPT1, and is shown so.
  const bool network = text::SettingIs(state.prt_server, "Y");
  return state.print_name + (network ? "!" : "");
}

void RefreshHeaderPrinters(const VarStore& vars) {
  for (ScreenHeader* header : LiveHeaders())
    if (auto* field = dynamic_cast<term::StaticText*>(header->printer_))
      field->SetText(HeaderPrinterText(vars));
}

std::string MarketText(std::string_view system_key) {
  if (text::SettingIs(system_key, "SAS ")) return "SAS Market";
  if (text::SettingIs(system_key, "SZMK")) return "SZMK Market";
  return "HK Market";
}

term::Widget* ScreenHeader::Label(int row, int col, std::string text, bool underlined,
                                  const VarStore& vars, bool market) {
  term::Attr attr = term::LabelAttr(TextOf(vars, "cXpBgClr1"), TextOf(vars, "cXpFgClr1"));
  if (market) attr.fg = term::Colour::kRed;
  attr.underline = underlined;
  objects_.push_back(screen_.Add<term::StaticText>(row, col, std::move(text), attr));
  return objects_.back();
}

void ScreenHeader::Draw(const VarStore& vars,
                        std::optional<std::chrono::system_clock::time_point> now) {
  Clear();
  term::Console& console = screen_.console();
  console.ClearAll();
  console.SetIntensity(false);
  // The two rules: rows 1 and 3 underlined across the window.
  const term::Attr rule = [&] {
    term::Attr a = term::LabelAttr(TextOf(vars, "cXpBgClr1"), TextOf(vars, "cXpFgClr1"));
    a.underline = true;
    return a;
  }();
  objects_.push_back(screen_.Add<term::StaticText>(1, 0, std::string(kColumns, ' '), rule));
  objects_.push_back(screen_.Add<term::StaticText>(3, 0, std::string(kColumns, ' '), rule));

  const Value* tran = vars.Find("TRAN_DATE");
  Label(2, 2, format::Dmyy(tran != nullptr && tran->IsDate() ? tran->date() : Date()), false, vars);
  const std::string system = TextOf(vars, "SYSTEM");
  Label(2, Centred(system), system, false, vars);
  Label(2, 70, TimeOfDay(now), false, vars);
  printer_ = Label(3, 2, HeaderPrinterText(vars), true, vars);
  LiveHeaders().push_back(this);
  const std::string msg = TextOf(vars, "MSG");
  Label(3, Centred(msg), msg, true, vars);
  Label(4, 2, MarketText(TextOf(vars, "SYSTEM_KEY")), false, vars, true);
}

void ScreenHeader::DrawMenuHead(const VarStore& vars,
                                std::optional<std::chrono::system_clock::time_point> now) {
  Draw(vars, now);
  const std::string status = TextOf(vars, "Stat_Msg");
  if (!status.empty()) Label(24, Centred(status), status, false, vars);
  if (TextOf(vars, "MSG") == kMainMenu) {
    Label(20, 5, "CCASS Participant ID: " + TextOf(vars, "PART_ID"), false, vars);
    Label(20, 42, "Sender BIC: " + TextOf(vars, "SEND_BIC"), false, vars);
  }
}

void ScreenHeader::Clear() {
  for (term::Widget* w : objects_) screen_.Destroy(w);
  objects_.clear();
  printer_ = nullptr;
  std::erase(LiveHeaders(), this);
}

}  // namespace zur::screens
