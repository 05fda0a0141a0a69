#include "run/operator/run_stopped.h"
#include "run/position/client_account.h"
#include "run/position/input_fields.h"
#include "run/position/position_passes.h"

namespace zur::position {

void CheckAccountCode(run::Operator& op, std::string_view account, std::string_view what,
                      std::string_view who, bool segregated) {
  if (IsPrintableAccount(account)) return;
  const std::string message = "ERROR: Invalid ZUR A/C Code " + std::string(account) + " of " +
                              std::string(what) + std::string(who) + " !\n       " +
                              (segregated ? "Please correct the Client Segregated A/C First !"
                                          : "Please correct it in the \"System Setup\" First !");
  op.MessageLineAndWait(message);
  throw run::RunStopped(message);
}

bool Bookable(PassContext& ctx, std::string_view key, std::string_view what, std::string_view who) {
  if (ctx.holdings.Fits(key)) return true;
  ctx.op.BlinkingWarning("WARNING: Stock No. " + std::string(key) + " of " + std::string(what) +
                         std::string(who) +
                         " is too long for the holdings table and is left out !");
  return false;
}

dbf::Table& OpenTable(dbf::WorkAreas& areas, const char* alias) {
  dbf::Table* table = areas.Find(alias);
  if (table == nullptr)
    throw InputError(std::string("ERROR: the table ") + alias +
                     " is not open for the position build !");
  return *table;
}

}  // namespace zur::position
