#pragma once
// The settings that steer the ZUR determination, read once from the memory variables.

#include "lib/format/stock_number.h"
#include "platform/vars/var_store.h"

namespace zur::determine {

struct DetermineInputs {
  bool keep_account_02 = false;        // ATI_02 "Y": account "02" is neither emptied nor topped up
  bool suppress_due_shortage = false;  // NO_SHRATI "Y": a delivery due tomorrow keeps its shares
  bool due_bought_from_main = false;   // ATI_01OUT "Y": T+1 due bought goes out of "01" today
  bool eight_digit_accounts = false;   // CCASS0705(): 8-digit codes, STI file for accounts > 20
  format::StockNumberRules stock_numbers = {};  // STRVAL of the holdings key

  // ATI_02, NO_SHRATI and ATI_01OUT count only when exactly "Y" (missing: "N"); the account
  // format from CAS3_0705 and GEN_DATE; the stock number rules as the format library reads
  // them.
  static DetermineInputs FromVars(VarStore& vars);
};

}  // namespace zur::determine
