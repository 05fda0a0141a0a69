#pragma once
// The arithmetic of the ZUR determination on the quantities of one holdings record: what an
// account needs, what it holds too much, what the main account "01" can give, the T+1 due
// bought of an account, and the shortage test of "01" that the checking reports print too.
// Quantities are numbers of shares as the holdings table stores them.

#include <cstdint>
#include <optional>

namespace zur::determine {

// The quantities of one ATIMAST record.
struct Holding {
  double ccass = 0;        // ACASQTY: held in this CCASS account
  double overdue = 0;      // AODQTY: CCASS unsettled, account "01" only
  double net = 0;          // ANETQTY: back-office holding of the account's clients
  double due = 0;          // ASTLQTY: due for settlement tomorrow (negative: to deliver)
  double undue = 0;        // AUSTLQTY: settling later
  double transferred = 0;  // ATFRQTY: "01" only, transfers decided into (+) and out of (-) it
  double short_cover = 0;  // ASSQTY: short-selling cover of the account's clients
};

// Pass 1: the shares above what the account must keep (all it holds when its clients are
// short overall), or 0. A negative due quantity lowers what it must keep unless
// `suppress_due_shortage`; a negative undue quantity does, after netting with a positive due.
double ExcessHolding(const Holding& account, bool suppress_due_shortage);

// Passes 2 and 3: the shares the account lacks to cover its clients with every negative due
// and undue quantity taken off, or 0 (also when the clients are short overall).
double Shortfall(const Holding& account);

// Passes 2 and 3: the shares "01" can still give: its balance and the transfers decided so
// far, less what it owes (negative overdue, due and undue quantities). May be 0 or negative.
double AvailableInMain(const Holding& main);

// Passes 4 and 5: the T+1 due bought to move from "01" now, or 0 when the account is passed
// over (nothing due in, clients not long after the due, or a net delivery over due and undue).
double DueBought(const Holding& account);

// The shortage test of a "01" record: short when its balance with the overdue and the
// decided transfers, then with the due, then with the undue quantity, or its balance with
// overdue and due alone, goes below 0. `quantity` is the shortage (negative, 0 when none).
struct Shortage {
  bool is_short = false;
  double quantity = 0;
};
Shortage ShortageOf(const Holding& main);

// A quantity as a whole number of shares, rounded half away from zero; nothing when it is not
// a finite number of at most 15 digits.
std::optional<int64_t> WholeShares(double quantity);

}  // namespace zur::determine
