#pragma once
// The unsettled trades of a client position (alias MU, or MUF for the finance company), read
// once in their order on MACCT+STRVAL3(MSTKNO): which positions count them, and their sum
// split into the quantity due by the next trading day and the quantity settling later.

#include <string>
#include <string_view>
#include <vector>

#include "platform/dbf/record_scan.h"
#include "platform/dbf/seek_index.h"
#include "platform/dbf/table.h"
#include "run/position/position_inputs.h"

namespace zur::position {

// Whether the unsettled trades of the client `facct` in a stock count (`cc_stock`: the stock
// is a CCASS stock).
bool CountsUnsettled(std::string_view facct, bool cc_stock, const PositionInputs& in);

struct UnsettledSum {
  double due = 0;    // settling on or before the next trading day
  double undue = 0;  // settling later
};

class UnsettledTrades {
 public:
  // Resolves the fields and reads the table; InputError when one the run needs is missing.
  // Deletion dates are honoured only when CC_READY is set and this table has MDELDATE.
  UnsettledTrades(dbf::Table& table, const PositionInputs& in);

  // Sums the trades of `facct` in the stock `stkno3` (STRVAL3 form): buys add, sells subtract;
  // trades that settled by the trade date, or were deleted, are left out. The trades are
  // those a seek of the account (padded to MACCT) and the stock finds and the records after
  // it in the order, as long as they are of the same account and stock.
  UnsettledSum Sum(std::string_view facct, const std::string& stkno3);
  // Starts loading what Sum(facct, stkno3) reads first (for a record coming next).
  void Prefetch(std::string_view facct, const std::string& stkno3);

 private:
  const PositionInputs& in_;
  int acct_, stkno_, ref_, qty_, sdate_, ssdate_, deldate_, market_;
  size_t acct_width_;
  dbf::TableCopy copy_;
  std::vector<std::string> stkno3_;  // STRVAL3(MSTKNO) of each record
  dbf::SeekIndex order_;
  // The key sought for `facct` and `stkno3` into `want`; false when the account cannot have
  // trades (blank, or wider than MACCT).
  bool Want(std::string_view facct, const std::string& stkno3, std::string& want) const;

  std::string want_, ahead_;  // the keys sought, kept for their storage
};

}  // namespace zur::position
