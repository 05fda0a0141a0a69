#pragma once
// The holdings table ATIMAST (alias ZUR), found through the run's holdings index (stock number,
// then account): one record per stock and CCASS stock account, to which the position build
// adds the back-office quantities.

#include <string>
#include <string_view>

#include "platform/dbf/table.h"
#include "run/holdings/holdings_index.h"
#include "run/position/stock_master.h"

namespace zur::position {

class Holdings {
 public:
  // Resolves the fields; InputError when the table lacks one.
  explicit Holdings(holdings::HoldingsIndex& index);

  // True when some record holds the stock `key` (STRVAL form), under any account.
  bool HasStock(std::string_view key);
  // True when the stock number `key` fits ASTKNO whole: a longer one (a mainland code that
  // has no mapping) would be stored cut and mixed up with another stock.
  bool Fits(std::string_view key) const { return key.size() <= stkno_width_; }

  // Makes the record of `key` and `account` current, appending it (ASTKNO, ASTK, AATI and
  // AISIN from `stock`) when there is none; a found record with a blank ASTK gets the name.
  void Select(std::string_view key, std::string_view account, const StockInfo& stock);

  // Adds `delta` to a numeric field of the current record (nothing when it is 0).
  void Add(int field, double delta);

  // Nets the due and undue quantities of the main account `main_account` (formatted): a
  // positive due quantity takes up a negative undue one. Returns the records changed.
  int NetMainAccount(const std::string& main_account);

  int net, due, undue, short_qty, short_due, short_undue;  // ANETQTY .. ASUSTLQTY

 private:
  holdings::HoldingsIndex& index_;
  dbf::Table& table_;
  int stkno_, name_, isin_, account_;
  size_t account_width_;
  size_t stkno_width_;
  std::string want_;  // the key sought, kept for its storage
};

}  // namespace zur::position
