#pragma once
// The body lines of the stock balance report in its three layouts (see stock_balance_reader.h).
// Each function reads one line that is neither page furniture nor a heading, with the stock
// of the latest stock line in `state`, and returns the number of holdings recorded.

#include <array>
#include <string>
#include <string_view>

#include "run/readers/holdings_book.h"

namespace zur::readers {

struct BalanceState {
  std::string key;  // M_KEY: the stock of the latest stock line
  int right_shift = 0;
  int stk_shift = 0;
  // Layout A: accounts read from an account line, waiting for their quantity line. Each is
  // booked under the stock it was read with, even when the next line starts another stock.
  struct Pending {
    std::string key;
    std::string account;
    std::string quantity;  // with the later layout, read from the account line itself
  };
  std::array<Pending, 3> pending;
};

// A: accounts on one line, quantities and values on the next.
int ReadEightDigitLine(std::string_view line, bool enhanced, BalanceState& state,
                       HoldingsBook& book);
// B: three blocks of account, quantity and value on every line.
int ReadBlocksLine(std::string_view line, const BalanceState& state, HoldingsBook& book);
// C: "A/C nn ... OPENING BAL : ... CLOSING BAL : quantity".
int ReadStatementLine(std::string_view line, const BalanceState& state, HoldingsBook& book);

}  // namespace zur::readers
