#include "screens/account_check.h"

#include "lib/format/account_code.h"
#include "lib/text/setting_match.h"
#include "platform/term/message_box.h"

namespace zur::screens {

std::string AccountProblem(std::string_view typed, bool eight_digit_accounts) {
  if (text::SettingIs(typed, format::FmtAcNum("01", eight_digit_accounts)))
    return "ERROR: \"CCASS A/C\" CANNOT BE \"01\" !";
  if (text::SettingIs(typed, format::FmtAcNum("00", eight_digit_accounts)))
    return "ERROR: \"CCASS A/C\" CANNOT BE \"00\" !";
  for (const char c : typed)
    if (c != ' ' && (c < '0' || c > '9')) return "ERROR: \"CCASS A/C\" MUST BE NUMERIC !";
  return {};
}

bool AccountValid(term::Screen& screen, const VarStore& vars, std::string_view typed) {
  const std::string problem = AccountProblem(typed, format::Ccass0705(vars));
  if (problem.empty()) return true;
  term::MessageBox(screen, problem, "ZUR");
  return false;
}

}  // namespace zur::screens
