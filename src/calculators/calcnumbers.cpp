#include "calcnumbers.h"

#include "data/conversions.h"

#include <cmath>

namespace calculators {

double divideOrZero(double a, double b) { return b == 0 ? 0.0 : a / b; }

double roundUpWhole(double x)
{
    const double whole = conv::intFloor(x);
    return whole == x ? x : whole + 1;
}

double asShown(double x)
{
    if (!std::isfinite(x))
        return x;
    const conv::ValResult shown = conv::valChecked(conv::numberText(x));
    return shown.overflow ? x : shown.value;
}

}  // namespace calculators
