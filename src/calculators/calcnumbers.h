#pragma once
// Small numeric helpers the calculators' formulas and windows share, free
// of any widget.

namespace calculators {

// a / b, or 0 when b is 0 (a zero block size or spacing gives no count
// rather than "inf").
double divideOrZero(double a, double b);

// Whole-number round-up as the calculators use it: x unchanged when whole,
// else Int(x) + 1.
double roundUpWhole(double x);

// The value as its box would show it (the default number text, 15
// significant digits, read back). A later step that rounds up works on
// this, so 2800.0000000000005 square feet count as 28 squares, not 29.
double asShown(double x);

}  // namespace calculators
