#include "run/determine/determine_inputs.h"

#include "lib/format/account_code.h"

namespace zur::determine {
namespace {

bool IsExactlyYes(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v != nullptr && v->IsChar() && v->str() == "Y";
}

}  // namespace

DetermineInputs DetermineInputs::FromVars(VarStore& vars) {
  DetermineInputs in;
  in.keep_account_02 = IsExactlyYes(vars, "ATI_02");
  in.suppress_due_shortage = IsExactlyYes(vars, "NO_SHRATI");
  in.due_bought_from_main = IsExactlyYes(vars, "ATI_01OUT");
  in.eight_digit_accounts = format::Ccass0705(vars);
  in.stock_numbers = format::StockNumberRules::FromVars(vars);
  return in;
}

}  // namespace zur::determine
