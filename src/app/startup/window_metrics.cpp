#include "app/startup/window_metrics.h"

#include <cmath>

namespace zur::startup {

double NormaliseDensity(const Value& density) {
  if (!density.IsNum() || density.num() == 0) return kDefaultDensity;
  return density.num();
}

std::string FontSizeFor(double density) {
  if (density == 125) return "11";
  if (density == 150) return "9";
  if (density == 200) return "7";
  return "14";
}

void SetWindowMetrics(VarStore& vars) {
  const double density = NormaliseDensity(vars.Get("nXPSCRDEN"));
  vars.Set("nXPSCRDEN", density);
  const auto size = [] { return Value::NewArray({Value(kWindowWidth), Value(kWindowHeight)}); };
  vars.Set("AppSize1", size());  // the desktop is the virtual window itself
  vars.Set("AppSize2", size());
  vars.Set("nXpCrtRow", kGridRows);
  vars.Set("nXpCrtCol", kGridColumns);
  const double col = static_cast<double>(kWindowWidth - 17) / kGridColumns - 0.8;
  const double row = static_cast<double>(kWindowHeight - 45) / kGridRows;
  vars.Set("nXpCol", col);
  vars.Set("nXpRow", row);
  vars.Set("nXpHeight", std::floor(row));
  vars.Set("nXpFontName", "Courier");
  vars.Set("nXpFontSize", FontSizeFor(density));
  vars.Set("nXpColadj1", 33);
  vars.Set("nXpColadj2", 4);
  vars.Set("nXpSLEAdj1", -1);
  vars.Set("nXpSLEAdj2", 5);
}

}  // namespace zur::startup
