#include "screens/system_setup.h"

#include "lib/text/setting_match.h"
#include "screens/account_check.h"
#include "screens/form_screen.h"

namespace zur::screens {
namespace {

constexpr const char* kTitle = "(1) SYSTEM SETUP";

bool Flag(const VarStore& vars, const char* name) {
  return vars.Get(name).IsTrue();
}

bool IsMultiSite(const VarStore& vars) {
  return text::SettingIs(vars.Get("USER_KEY").StrOr(), "ROVERU");
}

// The optional "S", "T" and "B" account rows, each shown one row further down.
struct OptionalRows {
  explicit OptionalRows(const VarStore& vars)
      : s(Flag(vars, "CHECK_CLS")), t(Flag(vars, "CHECK_CLT")), b(Flag(vars, "CHECK_CLB")) {}
  bool s, t, b;
  int row_s() const { return 10 + (s ? 1 : 0); }
  int row_t() const { return 10 + (s ? 1 : 0) + (t ? 1 : 0); }
  int row_b() const { return 10 + count(); }
  int count() const { return (s ? 1 : 0) + (t ? 1 : 0) + (b ? 1 : 0); }
};

class SystemSetupScreen : public FormScreen {
 public:
  void DrawLabels(Form& form) override {
    VarStore& vars = form.vars();
    vars.Set("MSG", kTitle);
    form.DrawHeader();
    const OptionalRows rows(vars);
    const int n = rows.count();
    form.AddLabel(0, 5, "CCASS A/C for \"A\" CLIENTS ");
    form.AddLabel(0, 6, "CCASS A/C for \"C\" CLIENTS ");
    form.AddLabel(0, 7, "CCASS A/C for \"I\" CLIENTS ");
    form.AddLabel(0, 8, "CCASS A/C for \"M\" CLIENTS ");
    form.AddLabel(0, 9, "CCASS A/C for \"P\" CLIENTS ");
    form.AddLabel(0, 10, "CCASS A/C for \"F\" CLIENTS ");
    if (rows.s) form.AddLabel(0, rows.row_s(), "CCASS A/C for \"S\" CLIENTS ");
    if (rows.t) form.AddLabel(0, rows.row_t(), "CCASS A/C for \"T\" CLIENTS ");
    if (rows.b) form.AddLabel(0, rows.row_b(), "CCASS A/C for \"B\" CLIENTS ");
    form.AddLabel(0, 11 + n, "CCASS A/C for \"Other\"     ");
    if (IsMultiSite(vars)) form.AddLabel(0, 13 + n, "Exclude \"A29\" Clients (Y/N)");
    form.AddLabel(38, 5, "Exclude Client Type (ACIMP) ");
    form.AddLabel(38, 6, "Exclude Stock Allocations :- (Y/N)");
    form.AddLabel(41, 7, "1. Company - Street Name ");
    form.AddLabel(41, 8, "2. Company - Nominee Name");
    form.AddLabel(41, 9, "3. CCASS - Street Name");
    form.AddLabel(41, 10, "4. CCASS - Nominee Name");
    form.AddLabel(41, 11, "5. Registry              ");
    form.AddLabel(41, 12, "6. Bank Custody          ");
    form.AddLabel(41, 13, "7. Other Allocations     ");
    form.AddLabel(31, 14, "Deduct \"SL\" Other Loc from CCASS A/C ");
    form.AddLabel(7, 15, "To Cover Short Sell of a Client by another (Y/N) ");
    form.AddLabel(17, 16, "To keep CCASS A/C \"02\" unchanged (Y/N) ");
    form.AddLabel(15, 17, "To use 80 columns paper for Report (Y/N) ");
    form.AddLabel(6, 18, "To print \"Require ZUR\" or \"Short Sell\" only (Y/N) ");
    form.AddLabel(1, 19, "To Transfer CCASS A/C \"01\" to other for T+1 Due Bought ");
    form.AddLabel(23, 20, "To Suppress ZUR for T+1 Shortage ");
    form.AddLabel(10, 21, "CCASS/3 Sender BIC ");
    form.AddLabel(0, 22, "Screen Colour Set (Colour) ");
    form.AddLabel(47, 22, "(Monochrome) ");
    form.AddLabel(0, 23, "Screen density (100, 125, 150, 200)");
    if (IsMultiSite(vars)) form.AddValue(28, 5, "Multi");
  }

  std::vector<FieldSpec> Fields(Form& form) override {
    const VarStore& vars = form.vars();
    const OptionalRows rows(vars);
    const int n = rows.count();
    const bool multi = IsMultiSite(vars);
    const auto account = [&form](const char* var, int row, bool shown) {
      FieldSpec f = FieldAt(var, 28, row);
      f.shown = shown;
      f.validate = [&form](term::EntryField& field) {
        return AccountValid(form.screen(), form.vars(), field.text());
      };
      return f;
    };
    const auto option = FieldAt;
    std::vector<FieldSpec> fields = {
        account("ATI_A", 5, !multi),
        account("ATI_C", 6, true),
        account("ATI_I", 7, true),
        account("ATI_M", 8, true),
        account("ATI_P", 9, true),
        account("ATI_F", 10, true),
        account("ATI_S", rows.row_s(), rows.s),
        account("ATI_T", rows.row_t(), rows.t),
        account("ATI_B", rows.row_b(), rows.b),
        account("ATI_OTHER", 11 + n, true),
        option("EX_CLA29", 28, 13 + n),
        option("EX_CLTYPE", 68, 5),
        option("EX_STRQTY", 68, 7),
        option("EX_COMQTY", 68, 8),
        option("EX_TDQTY", 68, 11),
        option("EX_BANQTY", 68, 12),
        option("EX_OTHQTY", 68, 13),
        option("EX_SLATI", 68, 14),
        option("COVER_SS", 58, 15),
        option("ATI_02", 58, 16),
        option("COMPRESS", 58, 17),
        option("ATI_ONLY", 58, 18),
        option("ATI_01OUT", 58, 19),
        option("NO_SHRATI", 58, 20),
        option("SEND_BIC", 30, 21),
        option("COLOR_SET", 26, 22),
        option("MONO_SET", 60, 22),
        option("nXPSCRDEN", 37, 23),
    };
    fields[10].shown = multi;
    // For the mainland markets the option stays "N", as start-up sets it.
    fields[22].read_only = text::SettingIn(vars.Get("SYSTEM_KEY").StrOr(), {"SAS ", "SZMK"});
    FieldSpec& density = fields[27];
    density.kind = FieldKind::kNumber;
    density.width = density.buffer = 3;
    density.picture = "999";
    return fields;
  }

  // The "A" clients have no field at the multi-account site: the "C" clients' field is first.
  size_t FirstFocus(const Form& form) const override { return IsMultiSite(form.vars()) ? 1 : 0; }
};

}  // namespace

bool SystemSetup(term::Screen& screen, VarStore& vars) {
  vars.Set("page", 1);
  SystemSetupScreen layout;
  return RunFormScreen(screen, vars, layout);
}

}  // namespace zur::screens
