#include "run/operator/run_stopped.h"
#include "run/position/client_account.h"
#include "run/position/input_fields.h"
#include "run/position/position_passes.h"

namespace zur::position {

void CheckAccountCode(run::Operator& op, const std::string& account, const std::string& owner,
                      bool segregated) {
  if (IsPrintableAccount(account)) return;
  const std::string message = "ERROR: Invalid ZUR A/C Code " + account + " of " + owner +
                              "\n       " +
                              (segregated ? "Please correct the Client Segregated A/C First !"
                                          : "Please correct it in the \"System Setup\" First !");
  op.MessageLineAndWait(message);
  throw run::RunStopped(message);
}

bool Bookable(PassContext& ctx, const std::string& key, const std::string& owner) {
  if (ctx.holdings.Fits(key)) return true;
  ctx.op.BlinkingWarning("WARNING: Stock No. " + key + " of " + owner +
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

void UseOrder(dbf::Table& table, const char* name, const char* key) {
  if (!table.SetOrder(std::string_view(name))) table.CreateOrder(name, key);
}

}  // namespace zur::position
