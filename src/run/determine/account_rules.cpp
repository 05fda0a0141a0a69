#include "run/determine/account_rules.h"

#include "lib/format/account_code.h"

namespace zur::determine {
namespace {

std::string Code(std::string_view account, bool eight_digit) {
  std::string code = format::FmtAcNum(account, eight_digit);
  code.erase(code.find_last_not_of(' ') + 1);
  return code;
}

}  // namespace

AccountRules::AccountRules(bool eight_digit_accounts, bool keep_account_02)
    : eight_digit_(eight_digit_accounts),
      keep_02_(keep_account_02),
      main_(Code("01", eight_digit_accounts)),
      a02_(Code("02", eight_digit_accounts)),
      a17_(Code("17", eight_digit_accounts)),
      a18_(Code("18", eight_digit_accounts)),
      a20_(Code("20", eight_digit_accounts)),
      a21_(Code("21", eight_digit_accounts)) {}

bool AccountRules::NamesNoAccount(std::string_view code) {
  return code.find_first_not_of(" 0") == std::string_view::npos;
}

bool AccountRules::Selects(Pass pass, std::string_view code) const {
  switch (pass) {
    case Pass::kExcessOut:
      return !IsMain(code) && !IsKept02(code) && code != a20_ && !IsReserved(code);
    case Pass::kTopUpHigh:
      return IsHigh(code);
    case Pass::kTopUpOther:
      return !IsMain(code) && !IsHigh(code) && !IsKept02(code) && !IsReserved(code);
    case Pass::kDueBoughtHigh:
      return IsMain(code) || IsHigh(code);
    case Pass::kDueBoughtOther:
      return !IsHigh(code) && code != a02_ && !IsReserved(code);
  }
  return false;
}

UploadFile AccountRules::FileFor(std::string_view code) const {
  return eight_digit_ && code > a20_ ? UploadFile::kSti : UploadFile::kZur;
}

}  // namespace zur::determine
