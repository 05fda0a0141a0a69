#include "app/startup/settings_write.h"

#include <span>

#include "app/startup/setting_compare.h"
#include "app/startup/settings_record.h"
#include "lib/text/trim_pad.h"

namespace zur::startup {
namespace {

struct FieldVar {
  std::string_view field;
  std::string_view var;
};

constexpr FieldVar kSetupFields[] = {
    {"CLA_ATI", "ATI_A"},      {"CLC_ATI", "ATI_C"},      {"CLI_ATI", "ATI_I"},
    {"CLM_ATI", "ATI_M"},      {"CLP_ATI", "ATI_P"},      {"CLF_ATI", "ATI_F"},
    {"CLO_ATI", "ATI_OTHER"},  {"ATI02", "ATI_02"},       {"ATIONLY", "ATI_ONLY"},
    {"EXCLTYPE", "EX_CLTYPE"}, {"EXSTRQTY", "EX_STRQTY"}, {"EXCOMQTY", "EX_COMQTY"},
    {"EXTDQTY", "EX_TDQTY"},   {"EXBANQTY", "EX_BANQTY"}, {"EXOTHQTY", "EX_OTHQTY"},
    {"EXSLATI", "EX_SLATI"},   {"COVERSS", "COVER_SS"},   {"COMPRESSD", "COMPRESS"},
    {"CHINESES", "CHINESE"},   {"OS2FILE", "OS2_REPORT"}, {"ATI01OUT", "ATI_01OUT"},
    {"COLORSET", "COLOR_SET"}, {"MONOSET", "MONO_SET"},   {"NOSHRATI", "NO_SHRATI"},
    {"SENDBIC", "SEND_BIC"},
};
constexpr FieldVar kRoveruFields[] = {{"EXCLA29", "EX_CLA29"}};
constexpr FieldVar kMenemiFields[] = {{"CLBM_ATI", "ATI_BM"}, {"CLBP_ATI", "ATI_BP"}};

constexpr FieldVar kRunInputFields[] = {
    {"CCASSPATH", "CCASS_DIR"}, {"STKFILE", "STK_FILE"}, {"SBPATH", "SB_DIR"},
    {"CLPATH", "CL_DIR"},       {"ATITEXT", "ATI_TEXT"}, {"OWNREF", "OWN_REF"},
    {"SBFPATH", "SBF_DIR"},     {"STITEXT", "STI_TEXT"},
};

constexpr FieldVar kBackOfficeDirFields[] = {{"SBPATH", "SB_DIR"}, {"CLPATH", "CL_DIR"}};

struct OptionalField {
  std::string_view flag;
  FieldVar field;
};
constexpr OptionalField kOptionalFields[] = {
    {"CHECK_CLS", {"CLS_ATI", "ATI_S"}},
    {"CHECK_CLT", {"CLT_ATI", "ATI_T"}},
    {"CHECK_CLB", {"CLB_ATI", "ATI_B"}},
};

void DefaultWhenBlank(VarStore& vars, std::span<const std::string_view> names,
                      std::string_view value) {
  for (std::string_view name : names) {
    if (text::IsBlank(TextOf(vars, name))) vars.Set(name, value);
  }
}

// Replaces each field that the record has from its variable when that holds a text.
void WriteTexts(dbf::Table& sys, const VarStore& vars, std::span<const FieldVar> fields) {
  for (const FieldVar& f : fields) {
    const Value* v = vars.Find(f.var);
    if (v == nullptr || !v->IsChar() || sys.FieldIndex(f.field) < 0) continue;
    sys.Replace(f.field, *v);
  }
}

dbf::Table* SettingsTable(dbf::WorkAreas& areas, SettingsWriteResult& out) {
  dbf::Table* sys = areas.Find(kSettingsAlias);
  if (sys == nullptr || sys->RecCount() == 0) {
    out.error = "ATISYSFL: the settings table is not open";
    return nullptr;
  }
  if (sys->RecNo() != 1) sys->GoTo(1);
  return sys;
}

}  // namespace

SettingsWriteResult WriteSettingsBack(VarStore& vars, dbf::WorkAreas& areas, double density_before,
                                      bool colour_display) {
  SettingsWriteResult out;
  dbf::Table* sys = SettingsTable(areas, out);
  if (sys == nullptr) return out;

  constexpr std::string_view kExclusions[] = {"EX_STRQTY", "EX_COMQTY", "EX_TDQTY", "EX_BANQTY",
                                              "EX_OTHQTY"};
  constexpr std::string_view kOptions[] = {"CHINESE",  "COVER_SS",  "ATI_02",   "COMPRESS",
                                           "ATI_ONLY", "ATI_01OUT", "NO_SHRATI"};
  DefaultWhenBlank(vars, kExclusions, "Y");
  DefaultWhenBlank(vars, kOptions, "N");
  try {
    WriteTexts(*sys, vars, kSetupFields);
    const std::string_view site = TextOf(vars, "USER_KEY");
    if (SettingIs(site, "ROVERU")) {
      WriteTexts(*sys, vars, kRoveruFields);
    } else if (SettingIs(site, "MENEMI")) {
      WriteTexts(*sys, vars, kMenemiFields);
    }
    SetDisplayVariables(vars, colour_display);
    for (const OptionalField& o : kOptionalFields) {
      if (vars.Get(o.flag).IsTrue()) WriteTexts(*sys, vars, {&o.field, 1});
    }
    const Value density = vars.Get("nXPSCRDEN");
    if (density.IsNum() && sys->FieldIndex("XPSCRDEN") >= 0) {
      sys->Replace("XPSCRDEN", density);
      out.density_changed = density.num() != density_before;
    }
    sys->Flush();
  } catch (const dbf::Error& e) {
    out.error = e.what();
  }
  return out;
}

namespace {

// Writes the texts of `fields` into the record and the record to disk.
SettingsWriteResult WriteFieldsBack(const VarStore& vars, dbf::WorkAreas& areas,
                                    std::span<const FieldVar> fields) {
  SettingsWriteResult out;
  dbf::Table* sys = SettingsTable(areas, out);
  if (sys == nullptr) return out;
  try {
    WriteTexts(*sys, vars, fields);
    sys->Flush();
  } catch (const dbf::Error& e) {
    out.error = e.what();
  }
  return out;
}

}  // namespace

SettingsWriteResult WriteRunInputsBack(const VarStore& vars, dbf::WorkAreas& areas) {
  return WriteFieldsBack(vars, areas, kRunInputFields);
}

SettingsWriteResult WriteBackOfficeDirsBack(const VarStore& vars, dbf::WorkAreas& areas) {
  return WriteFieldsBack(vars, areas, kBackOfficeDirFields);
}

}  // namespace zur::startup
