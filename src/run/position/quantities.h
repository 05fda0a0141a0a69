#pragma once
// The quantities of one client position and the short cover taken from them.

namespace zur::position {

struct Quantities {
  double holding = 0;   // M_QTYOH: settled holding
  double due = 0;       // M_STLQTY: settling by the next trading day
  double undue = 0;     // M_UNSTLQTY: settling later
  double excluded = 0;  // M_OTHQTY: allocated quantities left out of the holding

  bool AllZero() const { return holding == 0 && due == 0 && undue == 0; }
  bool NoneNegative() const { return holding >= 0 && due >= 0 && undue >= 0; }
};

// QTY_SS, QTY_SSTL, QTY_SUSTL: the short position still open, and the parts of it covered by
// the due and the undue quantities (both <= 0).
struct ShortCover {
  double open = 0;
  double from_due = 0;
  double from_undue = 0;

  bool NoneNegative() const { return open >= 0 && from_due >= 0 && from_undue >= 0; }
};

// Starts from the short position `short_qty` (a positive value counts as 0) and covers it first
// from a negative due quantity, then from a negative undue quantity; what is taken is removed
// from `q.due` / `q.undue`.
ShortCover CoverShort(double short_qty, Quantities& q);

}  // namespace zur::position
