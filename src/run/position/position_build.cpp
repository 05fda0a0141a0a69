#include "run/position/position_build.h"

#include <memory>

#include "lib/format/account_code.h"
#include "lib/text/trim_pad.h"
#include "run/operator/run_stopped.h"
#include "run/position/input_fields.h"
#include "run/position/position_passes.h"

namespace zur::position {
namespace {

[[noreturn]] void Stop(run::Operator& op, const std::string& message) {
  op.MessageBox("ZUR", message);
  throw run::RunStopped(message);
}

PositionResult Build(dbf::WorkAreas& areas, const PositionInputs& in, run::Operator& op,
                     holdings::HoldingsIndex* index) {
  dbf::Table& zur = OpenTable(areas, "ZUR");
  std::unique_ptr<holdings::HoldingsIndex> own_index;
  if (index == nullptr)
    index = (own_index = std::make_unique<holdings::HoldingsIndex>(zur, in.rules)).get();
  dbf::Table& sm = OpenTable(areas, "SM");
  Holdings holdings(*index);
  StockMaster stocks(sm, in.rules);
  PassContext ctx{in, op, holdings, stocks, format::FmtAcNum("01", in.eight_digit)};

  PositionResult result;
  result.mapping_alerts = in.mapping_alerts;
  result.positions = PortfolioPass(areas, ctx);
  if (!text::IsBlank(in.location_account))
    result.locations = LocationPass(OpenTable(areas, "SL"), ctx, result.mapping_alerts);
  if (in.use_finance && !in.cover_short)
    result.finance_positions = FinancePass(OpenTable(areas, "PFF"), OpenTable(areas, "MUF"), ctx);
  result.netted = holdings.NetMainAccount(ctx.main_account);
  zur.Flush();
  areas.Select("ZUR");
  return result;
}

}  // namespace

PositionResult BuildPositions(dbf::WorkAreas& areas, const PositionInputs& in, run::Operator& op,
                              holdings::HoldingsIndex* index) {
  try {
    return Build(areas, in, op, index);
  } catch (const InputError& e) {
    Stop(op, e.what());
  } catch (const dbf::Error& e) {
    Stop(op, std::string("ERROR: ") + e.what());
  }
}

}  // namespace zur::position
