#pragma once
// The Group 4 calculators' arithmetic, apart from the boxes.

#include <optional>

namespace calculators::group4 {

// The roof-area factor of the pitch at list position `pitchIndex`
// (0 for "4 in 12" .. 8 for "12 in 12"); nothing for any other position.
std::optional<double> pitchFactor(int pitchIndex);

// Squares of roofing (100 square feet each), a started square counting
// as a whole one.
double roofingSquares(double actualSquareFeet);

// What the lineal feet cost.
double lumberCost(double pricePerFoot, double feet);

}  // namespace calculators::group4
