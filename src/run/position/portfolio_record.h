#pragma once
// A record of a portfolio master (PF, or PFF for the finance company): the client, the stock
// and the quantities the position is worked out from.

#include <string_view>

#include "platform/dbf/record_scan.h"
#include "platform/dbf/table.h"
#include "run/position/position_inputs.h"
#include "run/position/quantities.h"
#include "run/position/stock_master.h"
#include "run/position/unsettled.h"

namespace zur::position {

class PortfolioRecord {
 public:
  // Resolves the fields; InputError when one the run needs is missing (the allocated
  // quantities are needed only when they are excluded).
  PortfolioRecord(dbf::Table& table, const PositionInputs& in);

  std::string_view Account(const dbf::RecordView& record) const;  // FACCT as stored
  std::string_view StockNo(const dbf::RecordView& record) const;  // FSTKNO as stored
  size_t AccountWidth() const { return account_width_; }

  // The position of `record`: the holding less the unsettled trades (when they count for this
  // client and stock) and less the excluded allocations.
  Quantities Calculate(const dbf::RecordView& record, UnsettledTrades& trades,
                       const PortfolioStock& stock) const;

 private:
  const PositionInputs& in_;
  int acct_, stkno_, bf_, tt_, day_, day_bs_;
  int excluded_[5];
  size_t account_width_;
};

// The market filter of the run: a China connect installation sees only its own market; a
// Hong Kong one with several markets leaves the mainland stocks out.
bool InRunMarket(const StockInfo& stock, const PositionInputs& in);

}  // namespace zur::position
