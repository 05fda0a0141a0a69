// The shortage test of a main account record and the whole-share rounding, on quantities
// worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "run/determine/transfer_rules.h"

namespace zur::determine {
namespace {

TEST(ShortageOf, StepsAndTheBalanceWithoutTransfers) {
  // 100 held; after the due -150: -50; after the undue -100: -150; but held with overdue and
  // due alone is -50, and that replaces the smaller figure.
  Shortage s = ShortageOf({.ccass = 100, .due = -150, .undue = -100});
  EXPECT_TRUE(s.is_short);
  EXPECT_EQ(s.quantity, -50);

  // Transfers out make it short by 100 at once; the due +50 and the balance without
  // transfers (150) change nothing.
  s = ShortageOf({.ccass = 100, .due = 50, .transferred = -200});
  EXPECT_TRUE(s.is_short);
  EXPECT_EQ(s.quantity, -100);

  // An overdue delivery counts with the balance.
  s = ShortageOf({.ccass = 100, .overdue = -300, .transferred = 250});
  EXPECT_TRUE(s.is_short);
  EXPECT_EQ(s.quantity, -200);

  s = ShortageOf({.ccass = 100, .due = 50, .undue = -150});
  EXPECT_FALSE(s.is_short);
  EXPECT_EQ(s.quantity, 0);
}

TEST(WholeShares, HalfAwayFromZeroAndRefusesWhatIsNoQuantity) {
  EXPECT_EQ(WholeShares(2.5), 3);
  EXPECT_EQ(WholeShares(-2.5), -3);
  EXPECT_EQ(WholeShares(500.49), 500);
  EXPECT_EQ(WholeShares(99999999999.0), 99999999999);
  EXPECT_FALSE(WholeShares(std::nan("")));
  EXPECT_FALSE(WholeShares(1e15));
  EXPECT_FALSE(WholeShares(-INFINITY));
}

}  // namespace
}  // namespace zur::determine
