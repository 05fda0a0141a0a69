#include "run/position/quantities.h"

namespace zur::position {
namespace {

// Moves the short position into `taken` as far as the negative `qty` allows.
void Take(double& open, double& qty, double& taken) {
  if (!(open < 0 && qty < 0)) return;
  if (open <= qty) {
    open -= qty;
    taken = qty;
    qty = 0;
  } else {
    qty -= open;
    taken = open;
    open = 0;
  }
}

}  // namespace

ShortCover CoverShort(double short_qty, Quantities& q) {
  ShortCover sc;
  sc.open = short_qty > 0 ? 0 : short_qty;
  Take(sc.open, q.due, sc.from_due);
  Take(sc.open, q.undue, sc.from_undue);
  return sc;
}

}  // namespace zur::position
