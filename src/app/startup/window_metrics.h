#pragma once
// The window metrics: the program draws its 25 x 80 text grid into a virtual application
// window of 881 x 545 pixels, so that a text cell is exactly 10 x 20 pixels.

#include <string>

#include "platform/vars/var_store.h"

namespace zur::startup {

inline constexpr int kWindowWidth = 881;
inline constexpr int kWindowHeight = 545;
inline constexpr int kGridRows = 25;
inline constexpr int kGridColumns = 80;
inline constexpr int kDefaultDensity = 100;

// The screen density; 100 when `density` is not a number or is 0.
double NormaliseDensity(const Value& density);
// The font size for a density: "14" (100 and any unknown density), "11" (125), "9" (150),
// "7" (200).
std::string FontSizeFor(double density);

// Sets nXPSCRDEN (normalised), AppSize1, AppSize2, nXpCrtRow, nXpCrtCol, nXpCol, nXpRow,
// nXpHeight, the font and the column and entry adjustments.
void SetWindowMetrics(VarStore& vars);

}  // namespace zur::startup
