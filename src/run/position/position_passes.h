#pragma once
// The passes of the position build over the open tables, sharing what every pass books into.

#include <string>

#include "platform/dbf/work_areas.h"
#include "run/operator/operator.h"
#include "run/position/holdings.h"
#include "run/position/position_inputs.h"
#include "run/position/stock_master.h"

namespace zur::position {

struct PassContext {
  const PositionInputs& in;
  run::Operator& op;
  Holdings& holdings;
  StockMaster& stocks;
  std::string main_account;  // the formatted main account "01"
};

// Shows the invalid account message and ends the run (run::RunStopped) when `account` holds
// a character outside 32..126. `what` and `who` complete "of ... !" ("Client A/C " and the
// account, or "Stock Location" alone).
void CheckAccountCode(run::Operator& op, std::string_view account, std::string_view what,
                      std::string_view who, bool segregated);

// True when the stock number `key` can be booked; otherwise warns that the record of `what`
// and `who` ("Client A/C " and the account) is left out.
bool Bookable(PassContext& ctx, std::string_view key, std::string_view what, std::string_view who);

// The table with this alias, or an InputError naming it.
dbf::Table& OpenTable(dbf::WorkAreas& areas, const char* alias);

// Every client position of PF, each client found in CL; returns the positions booked.
int PortfolioPass(dbf::WorkAreas& areas, PassContext& ctx);
// Stock at locations other than CCASS, deducted from the EX_SLATI account; returns the
// records deducted. `alerts` is the "continue alerting" answer for unmapped codes.
int LocationPass(dbf::Table& locations, PassContext& ctx, bool& alerts);
// Short positions of the finance company's margin clients; returns the positions booked.
int FinancePass(dbf::Table& portfolio, dbf::Table& trades, PassContext& ctx);

}  // namespace zur::position
