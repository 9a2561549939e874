#include "group4formulas.h"

#include "calcnumbers.h"

#include <array>

namespace calculators::group4 {

std::optional<double> pitchFactor(int pitchIndex)
{
    static constexpr std::array<double, 9> factors{1.06, 1.08, 1.12, 1.16, 1.2, 1.25, 1.3, 1.36, 1.42};
    if (pitchIndex < 0 || pitchIndex >= int(factors.size()))
        return std::nullopt;
    return factors[std::size_t(pitchIndex)];
}

double roofingSquares(double actualSquareFeet) { return roundUpWhole(actualSquareFeet / 100); }

double lumberCost(double pricePerFoot, double feet) { return pricePerFoot * feet; }

}  // namespace calculators::group4
