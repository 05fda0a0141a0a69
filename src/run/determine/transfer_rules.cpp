#include "run/determine/transfer_rules.h"

#include <algorithm>
#include <cmath>

namespace zur::determine {
namespace {

double Negative(double q) {
  return q < 0 ? q : 0;
}

}  // namespace

double ExcessHolding(const Holding& a, bool suppress_due_shortage) {
  double keep = a.net + a.short_cover;
  if (a.due < 0 && !suppress_due_shortage) keep += a.due;
  if (a.undue < 0) keep += Negative(a.due > 0 ? a.undue + a.due : a.undue);
  if (keep < 0) return std::max(a.ccass, 0.0);
  return keep < a.ccass ? a.ccass - keep : 0;
}

double Shortfall(const Holding& a) {
  const double need = a.net + a.short_cover + Negative(a.due) + Negative(a.undue);
  if (need < 0 || need <= a.ccass) return 0;
  return need - a.ccass;
}

double AvailableInMain(const Holding& m) {
  return m.ccass + m.transferred + Negative(m.overdue) + Negative(m.due) + Negative(m.undue);
}

double DueBought(const Holding& a) {
  if (a.due <= 0 || a.net + a.due <= 0 || a.due + a.undue < 0) return 0;
  return std::max(a.due + Negative(a.net) + Negative(a.undue), 0.0);
}

Shortage ShortageOf(const Holding& m) {
  Shortage s;
  double balance = m.ccass + m.overdue + m.transferred;
  for (double step : {0.0, m.due, m.undue}) {
    balance += step;
    if (balance < 0) {
      s.is_short = true;
      s.quantity = std::min(s.quantity, balance);
    }
  }
  const double without_transfers = m.ccass + m.overdue + m.due;
  if (without_transfers < 0) s = {true, without_transfers};
  return s;
}

std::optional<int64_t> WholeShares(double quantity) {
  constexpr double kLimit = 1e15;
  if (!std::isfinite(quantity) || std::fabs(quantity) >= kLimit) return std::nullopt;
  return static_cast<int64_t>(std::llround(quantity));
}

}  // namespace zur::determine
