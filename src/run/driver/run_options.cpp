#include "run/driver/run_options.h"

#include <array>

#include "lib/format/account_code.h"
#include "lib/text/setting_match.h"
#include "lib/text/trim_pad.h"

namespace zur::driver {
namespace {

using text::SettingIs;

template <size_t N>
bool SiteIn(std::string_view site, const std::array<std::string_view, N>& codes) {
  for (std::string_view code : codes) {
    if (SettingIs(site, code)) return true;
  }
  return false;
}

constexpr std::array<std::string_view, 10> kCashTypeSites = {"DESUBU", "BAVAPE", "NUMOMO", "RADARE",
                                                             "GORUZA", "ZEKOFU", "LOVILA", "TEDUKU",
                                                             "LETUBU", "MEZEBI"};
constexpr std::array<std::string_view, 26> kProfessionalTypeSites = {
    "LOGEDE", "VULERE", "DURELA", "FOMASA", "DONOTA", "DUMAZU", "LEMADU", "DENOPI", "ROBEBU",
    "SUSOKO", "BAMODE", "ZONONI", "DENEDI", "PALUBA", "KOTABI", "BINIGU", "GAGOGI", "NIKEVE",
    "DAPOFI", "VURILI", "FESEBO", "NIVAZA", "DUKUZE", "KATIPI", "RANAGI", "FIVEPU"};

std::string_view Site(const VarStore& vars) {
  const Value* v = vars.Find("USER_KEY");
  return v != nullptr ? v->StrOr() : std::string_view{};
}

void DefaultDate(VarStore& vars, std::string_view name) {
  if (vars.Type(name) != 'D') vars.Set(name, Date());
}

void DefaultLogical(VarStore& vars, std::string_view name) {
  if (vars.Type(name) != 'L') vars.Set(name, false);
}

}  // namespace

std::string ConvTypeFor(std::string_view site, bool sbf1_user) {
  if (sbf1_user) return "M";
  if (SettingIs(site, "DEDITI")) return "A";
  if (SiteIn(site, kCashTypeSites)) return "C";
  if (SiteIn(site, kProfessionalTypeSites)) return "P";
  return "F";
}

void SetRunOptions(VarStore& vars) {
  const std::string site(Site(vars));
  const Value* slati = vars.Find("EX_SLATI");
  const bool locations = slati != nullptr && slati->IsChar() && !text::IsBlank(slati->str());
  if (locations && vars.Type("CLEAR_LCN") != 'C') vars.Set("CLEAR_LCN", "CCASS   ");
  if (locations && SettingIs(site, "NIVAZA") && vars.Type("CLEAR_LCN2") != 'C') {
    vars.Set("CLEAR_LCN2", "C-CASH  ");
  }
  DefaultDate(vars, "CAS3_START");
  DefaultDate(vars, "CAS3_0705");
  if (vars.Type("SNO_JUST") != 'C') vars.Set("SNO_JUST", "L");
  if (SettingIs(site, "ZEROFI")) vars.Set("SNO_JUST", "R");
  if (SettingIs(site, "DEMO")) vars.Set("SNO_JUST", "L");
  vars.Set("CONV_TYPE", ConvTypeFor(site, vars.Get("SBF1_USER").IsTrue()));
  DefaultLogical(vars, "SBF3_USER");
  // The key of the older environment's key setter (N_SETKEY), which has nothing to set here.
  vars.Set("LOCK_KEY", site.substr(0, 8));
}

void SetLayoutSwitches(VarStore& vars) {
  const Value start = vars.Get("CAS3_START");
  const Value trade = vars.Get("TRAN_DATE");
  const bool ccass3 = start.IsDate() && !start.date().IsBlank() && trade.IsDate() &&
                      !trade.date().IsBlank() && start.date() <= trade.date();
  vars.Set("IS_CCASS3", ccass3);
  vars.Set("ATI_LEN", ccass3 ? (format::Ccass0705(vars) ? 99 : 87) : 74);
}

}  // namespace zur::driver
