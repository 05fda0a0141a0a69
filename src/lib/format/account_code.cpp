#include "lib/format/account_code.h"

#include "lib/text/trim_pad.h"

namespace zur::format {
namespace {

// CAS3_0705 and GEN_DATE as dates, or false when either is not a non-blank date.
bool SwitchDates(const VarStore& vars, Date& from, Date& gen) {
  const Value* f = vars.Find("CAS3_0705");
  const Value* g = vars.Find("GEN_DATE");
  if (f == nullptr || !f->IsDate() || f->date().IsBlank()) return false;
  if (g == nullptr || !g->IsDate()) return false;
  from = f->date();
  gen = g->date();
  return true;
}

}  // namespace

bool Ccass0705(const VarStore& vars) {
  Date from, gen;
  return SwitchDates(vars, from, gen) && from <= gen;
}

bool Ccass0705R(const VarStore& vars) {
  Date from, gen;
  return SwitchDates(vars, from, gen) && from < gen;
}

std::string FmtAcNum(std::string_view account, bool eight_digit_format) {
  std::string_view trimmed = text::AllTrim(account);
  if (eight_digit_format) {
    if (trimmed.size() >= 8) return std::string(trimmed);
    return text::PadL(trimmed, 8, '0');
  }
  return text::PadR(trimmed, 2);
}

}  // namespace zur::format
