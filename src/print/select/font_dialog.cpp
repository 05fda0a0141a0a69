#include "print/select/font_dialog.h"

#include <fmt/format.h>

#include <charconv>
#include <vector>

#include "lib/compat/named_flags.h"
#include "lib/text/trim_pad.h"
#include "platform/term/get_read.h"
#include "platform/term/inkey_codes.h"
#include "print/select/printer_fonts.h"

namespace zur::print {
namespace {

constexpr int kMaxOffset = 10;
// With extra fonts the dialog starts on row 11 instead of 15.
constexpr int kExtraFontsShift = 4;
constexpr int kFontsPerRow = 4;
constexpr int kFontColumnStep = 20;

// The number a two-character offset entry holds; -1 when it is not one.
int OffsetOf(std::string_view text) {
  const std::string_view digits = text::AllTrim(text);
  if (digits.empty()) return 0;
  int n = -1;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  return ec == std::errc() && end == digits.data() + digits.size() ? n : -1;
}

std::string OffsetText(const VarStore& vars, std::string_view name) {
  // An offset out of range is shown as it is, so that it is corrected rather than lost.
  const double n = vars.Get(name).NumOr(0);
  const int offset = n >= 0 && n <= 99 ? static_cast<int>(n) : 0;
  return fmt::format("{:>2}", offset);
}

bool OffsetValid(const std::string& text) {
  const int n = OffsetOf(text);
  return n >= 0 && n <= kMaxOffset;
}

// The extra fonts, four to a row from row `row` on; the row after the last.
int ShowExtraFonts(term::Console& console, const std::vector<NumberedFont>& fonts, int row) {
  for (size_t i = 0; i < fonts.size(); ++i) {
    const int at = row + static_cast<int>(i) / kFontsPerRow;
    const int col = 2 + static_cast<int>(i) % kFontsPerRow * kFontColumnStep;
    console.Say(at, col, std::to_string(fonts[i].number) + "=" + fonts[i].name);
  }
  return row + (static_cast<int>(fonts.size()) + kFontsPerRow - 1) / kFontsPerRow;
}

}  // namespace

bool ChooseFont(const PrinterDialogs& dialogs) {
  VarStore& vars = dialogs.vars;
  term::Console& console = dialogs.screen.console();
  const bool extras = HasExtraFonts(vars);
  const int top = extras ? 15 - kExtraFontsShift : 15;
  if (extras) {
    console.ClearRows(9, term::kGridRows - 1);
    console.Say(9, 25, " W. Windows Default Printer ");
  } else {
    console.ClearRows(top, term::kGridRows - 1);
  }
  const auto font = [&vars](int n) { return VarText(vars, "ChiFont" + std::to_string(n)); };
  console.Say(top, 10, "Print Font Option:-");
  console.Say(top + 1, 12, "1=" + font(1) + ", 2=" + font(2) + ", 3=" + font(3) + ", 4=" + font(4));
  console.Say(top + 2, 10, "Please select print font (1-4 ):");
  console.Say(top + 3, 10, "Offset in Landscape mode (0-10):");
  console.Say(top + 3, 48, "Portrait mode (0-10):");
  int row = top + 4;
  if (extras) {
    console.Say(row + 1, 10, "Additional Font Option:-");
    row = ShowExtraFonts(console, ExtraFonts(vars), row + 2);
  }
  if (compat::IsFlagSet(vars, "WIN_GUI")) {
    console.Say(row, 10, "Selected Windows Pinter : " + VarText(vars, "DEF_ATI_PTR"));
    console.Say(row + 1, 10, "Selected PDF Pinter     : " + VarText(vars, "DEF_PDF_PTR"));
  }

  std::string answer = CurrentFontAnswer(vars);
  std::string landscape = OffsetText(vars, "WinPtOfset");
  std::string portrait = OffsetText(vars, "WinPrtOfst");
  std::vector<term::GetEntry> gets = {
      {top + 2, 43, &answer, "@K 99", nullptr},
      {top + 3, 43, &landscape, "@K 99", OffsetValid},
      {top + 3, 70, &portrait, "@K 99", OffsetValid},
  };
  if (term::ReadGets(dialogs.screen, gets).exit_key == term::inkey::kEsc) return false;
  vars.Set("WinPtFont", FontOfAnswer(vars, answer));
  vars.Set("WinPtOfset", OffsetOf(landscape));
  vars.Set("WinPrtOfst", OffsetOf(portrait));
  return true;
}

}  // namespace zur::print
