#include "app/startup/settings_record.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/startup/setting_compare.h"
#include "lib/text/trim_pad.h"

namespace zur::startup {
namespace {

struct Setting {
  std::string_view field;
  std::string_view var;
};

// The settings every site reads, in the order of the record.
constexpr std::array<Setting, 37> kCommonSettings = {{
    {"PARTID", "PART_ID"},       {"PRINTNAME", "PRINT_NAME"}, {"USERKEY", "USER_KEY"},
    {"COLORSET", "COLOR_SET"},   {"MONOSET", "MONO_SET"},     {"CCASSPATH", "CCASS_DIR"},
    {"SBPATH", "SB_DIR"},        {"SBFPATH", "SBF_DIR"},      {"CLPATH", "CL_DIR"},
    {"STKFILE", "STK_FILE"},     {"EXCLTYPE", "EX_CLTYPE"},   {"EXSTRQTY", "EX_STRQTY"},
    {"EXCOMQTY", "EX_COMQTY"},   {"EXTDQTY", "EX_TDQTY"},     {"EXBANQTY", "EX_BANQTY"},
    {"EXOTHQTY", "EX_OTHQTY"},   {"EXSLATI", "EX_SLATI"},     {"CLA_ATI", "ATI_A"},
    {"CLC_ATI", "ATI_C"},        {"CLI_ATI", "ATI_I"},        {"CLM_ATI", "ATI_M"},
    {"CLP_ATI", "ATI_P"},        {"CLF_ATI", "ATI_F"},        {"CLO_ATI", "ATI_OTHER"},
    {"COMPRESSD", "COMPRESS"},   {"CHINESES", "CHINESE"},     {"ATITEXT", "ATI_TEXT"},
    {"STITEXT", "STI_TEXT"},     {"OWNREF", "OWN_REF"},       {"COVERSS", "COVER_SS"},
    {"ATI02", "ATI_02"},         {"ATIONLY", "ATI_ONLY"},     {"OS2FILE", "OS2_REPORT"},
    {"ATI01OUT", "ATI_01OUT"},   {"NOSHRATI", "NO_SHRATI"},   {"SENDBIC", "SEND_BIC"},
    {"SYSTEMKEY", "SYSTEM_KEY"},
}};

// Optional accounts: used, with their flag, only when the record has the field.
struct OptionalAccount {
  std::string_view field;
  std::string_view var;
  std::string_view flag;
};
constexpr std::array<OptionalAccount, 3> kOptionalAccounts = {{
    {"CLS_ATI", "ATI_S", "CHECK_CLS"},
    {"CLT_ATI", "ATI_T", "CHECK_CLT"},
    {"CLB_ATI", "ATI_B", "CHECK_CLB"},
}};

constexpr std::string_view kDefaultAccount = "03";

bool HasField(const dbf::Table& t, std::string_view name) {
  return t.FieldIndex(name) >= 0;
}

bool HasFieldOfType(const dbf::Table& t, std::string_view name, char type) {
  const int i = t.FieldIndex(name);
  return i >= 0 && t.fields()[static_cast<size_t>(i)].type == type;
}

int FieldWidth(const dbf::Table& t, std::string_view name) {
  const int i = t.FieldIndex(name);
  return i < 0 ? 0 : t.fields()[static_cast<size_t>(i)].length;
}

// A character field's stored text; "" when the field is missing or not character.
std::string FieldText(const dbf::Table& t, std::string_view name) {
  if (!HasFieldOfType(t, name, 'C')) return {};
  return t.Get(name).str();
}

// The field's text, or `fallback` padded to the field's width when the text is blank.
std::string TextOrPadded(const dbf::Table& t, std::string_view name, std::string_view fallback) {
  std::string value = FieldText(t, name);
  if (!text::IsBlank(value)) return value;
  return text::PadR(fallback, std::max<size_t>(fallback.size(), FieldWidth(t, name)));
}

}  // namespace

bool SettingsNeedUpgrade(const dbf::Table& sys) {
  for (std::string_view f : {"EXSLATI", "CLPATH", "CLF_ATI", "OS2FILE", "ATI01OUT", "NOSHRATI",
                             "SENDBIC", "STITEXT", "SYSTEMKEY", "NETSOLDDAY"}) {
    if (!HasFieldOfType(sys, f, 'C')) return true;
  }
  if (!HasFieldOfType(sys, "XPSCRDEN", 'N')) return true;
  const std::string site = FieldText(sys, "USERKEY");
  if (SettingIs(site, "ROVERU") && !HasFieldOfType(sys, "EXCLA29", 'C')) return true;
  if (SettingIs(site, "MENEMI") && !HasFieldOfType(sys, "CLBM_ATI", 'C')) return true;
  return false;
}

void SetDisplayVariables(VarStore& vars, bool colour_display) {
  vars.Set("VIDEO_SET", std::string(TextOf(vars, colour_display ? "COLOR_SET" : "MONO_SET")));
  // Corners and sides clockwise from the top left.
  vars.Set("PC_FRAME", "\xda\xc4\xbf\xb3\xd9\xc4\xc0\xb3");
  vars.Set("CHI_FRAME", "+-+|+-+|");
  // The program always runs windowed, where the plain frame is drawn whatever CHINESE says.
  vars.Set("FRAME", vars.Get("CHI_FRAME"));
}

void LoadSettings(const dbf::Table& sys, VarStore& vars, bool colour_display) {
  for (const Setting& s : kCommonSettings) vars.Set(s.var, FieldText(sys, s.field));
  vars.Set("ATI_F", TextOrPadded(sys, "CLF_ATI", kDefaultAccount));
  vars.Set("ATI_TEXT", TextOrPadded(sys, "ATITEXT", "ATIFILE.TXT"));
  vars.Set("STI_TEXT", TextOrPadded(sys, "STITEXT", "STIFILE.TXT"));
  for (const OptionalAccount& a : kOptionalAccounts) {
    const bool present = HasField(sys, a.field);
    vars.Set(a.flag, present);
    if (present) vars.Set(a.var, TextOrPadded(sys, a.field, kDefaultAccount));
  }
  SetDisplayVariables(vars, colour_display);

  const std::string site = FieldText(sys, "USERKEY");
  if (SettingIs(site, "ROVERU")) {
    vars.Set("EX_CLA29", FieldText(sys, "EXCLA29"));
  } else if (SettingIs(site, "MENEMI")) {
    if (HasField(sys, "CLBM_ATI")) vars.Set("ATI_BM", TextOrPadded(sys, "CLBM_ATI", "08"));
    if (HasField(sys, "CLBP_ATI")) vars.Set("ATI_BP", TextOrPadded(sys, "CLBP_ATI", "07"));
  }
  vars.Set("nXPSCRDEN", HasFieldOfType(sys, "XPSCRDEN", 'N') ? sys.Get("XPSCRDEN") : Value());
  vars.Set("STKNO_LEN", 5);
  const std::string_view market = TextOf(vars, "SYSTEM_KEY");
  if (SettingIs(market, "SAS ") || SettingIs(market, "SZMK")) vars.Set("ATI_01OUT", "N");
}

}  // namespace zur::startup
