#include "run/position/client_account.h"

#include <cctype>

#include "lib/format/account_code.h"
#include "lib/text/trim_pad.h"

namespace zur::position {
namespace {

const std::string& FinanceTypeAccount(const PositionInputs& in) {
  const TypeAccounts& ac = in.accounts;
  if (BeginsWithCode(in.conv_type, "A")) return ac.a;
  if (BeginsWithCode(in.conv_type, "C")) return ac.c;
  if (BeginsWithCode(in.conv_type, "P")) return ac.p;
  return ac.f;
}

bool SecondIsDigit(std::string_view facct) {
  return facct.size() > 1 && std::isdigit(static_cast<unsigned char>(facct[1]));
}

// Type "A" at the site that splits its "A" clients by account range.
std::string_view RoveruAccount(std::string_view facct) {
  if (BeginsWithCode(facct, "A29")) return "06";
  if (BeginsWithCode(facct, "A2") || BeginsWithCode(facct, "A8")) return "05";
  if (BeginsWithCode(facct, "A4")) return "07";
  return "03";
}

// The unformatted choice of account.
std::string_view ChooseAccount(std::string_view facct, std::string_view segregated,
                               const PositionInputs& in) {
  const TypeAccounts& ac = in.accounts;
  if (!text::IsBlank(segregated)) return segregated;
  if (in.sbf3_user) {
    if (BeginsWithCode(facct, in.finance_ac) || BeginsWithCode(facct, in.conv_type))
      return FinanceTypeAccount(in);
    if (in.IsSite("KATIPI") && BeginsWithCode(facct, in.nominee_ac)) return FinanceTypeAccount(in);
  }
  const char type = facct.empty() ? ' ' : facct.front();
  switch (type) {
    case 'A':
      return in.IsSite("ROVERU") ? RoveruAccount(facct) : std::string_view(ac.a);
    case 'C':
      return ac.c;
    case 'I':
      return ac.i;
    case 'M':
      return in.IsSite("MENEMI") && SecondIsDigit(facct) ? ac.bm : ac.m;
    case 'P':
      return in.IsSite("MENEMI") && SecondIsDigit(facct) ? ac.bp : ac.p;
    case 'F':
      return ac.f;
    case 'S':
      if (ac.has_s) return ac.s;
      break;
    case 'T':
      if (ac.has_t) return ac.t;
      break;
    case 'B':
      if (ac.has_b) return ac.b;
      break;
    default:
      break;
  }
  return ac.other;
}

}  // namespace

std::string ClientAccount(std::string_view facct, std::string_view segregated,
                          const PositionInputs& in) {
  return format::FmtAcNum(ChooseAccount(facct, segregated, in), in.eight_digit);
}

std::string FinanceAccount(const PositionInputs& in) {
  return format::FmtAcNum(FinanceTypeAccount(in), in.eight_digit);
}

bool IsPrintableAccount(std::string_view account) {
  for (unsigned char c : account)
    if (c < 32 || c > 126) return false;
  return true;
}

}  // namespace zur::position
