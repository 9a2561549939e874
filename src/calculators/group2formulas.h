#pragma once
// The formulas behind the Group 2 calculator window, free of any widget so
// that they can be checked on their own. Lengths are in feet unless a name
// says otherwise, angles in degrees. Results are plain doubles; a result
// beyond the double range comes back as an infinity and the window refuses
// to show it.

#include <optional>

namespace calculators::group2 {

// Rafter lengths and cutting angles of a roof with equal pitches on every
// side (a regular hip: the hip runs at 45 degrees in plan).
struct RafterInput {
    double pitch = 0;             // rise in inches per 12 inches of run
    double ridgeWidthInches = 0;  // nominal thickness of the ridge board
    double planDistance = 0;      // run in plan, outside of wall to ridge centre
    double eaveOverhang = 0;      // run in plan of the overhang past the wall
};

struct RafterResult {
    double rafterLength = 0;          // common rafter, ridge face to tail
    double hipRafterLength = 0;       // hip rafter, ridge face to tail
    double hipPeakToBirdsmouth = 0;   // along the hip, ridge face to the wall line
    double hipHeelToBirdsmouth = 0;   // along the hip, tail to the wall line
    double mainRafterMiterAngle = 0;  // plumb cut of the common rafter
    double hipRafterBevelAngle = 0;   // side (cheek) cut across the hip's top edge
    double hipRafterMiterAngle = 0;   // plumb cut of the hip rafter
};

// Run in plan from the wall to the face of the ridge; below 0 when the
// ridge is thicker than twice the plan distance (no rafter fits).
double rafterRun(const RafterInput& in);
RafterResult rafter(const RafterInput& in);

// Paint for the ceiling and the walls of one room.
struct PaintInput {
    double length = 0;
    double width = 0;
    double wallHeight = 0;
    double doors = 0;
    double windows = 0;
    double coverage = 0;  // square feet one gallon covers on the surface
    double costPerGallon = 0;
};

struct PaintResult {
    double ceilingSquareFeet = 0;
    double ceilingGallons = 0;
    double ceilingCost = 0;
    double wallSquareFeet = 0;
    double wallGallons = 0;
    double wallCost = 0;
    double totalCost = 0;
};

// Door and window openings left unpainted, in square feet: a 3 by 7 ft door
// and a 3 by 5 ft window.
inline constexpr double doorOpening = 21;
inline constexpr double windowOpening = 15;

// Nothing when the coverage is zero (no surface chosen).
std::optional<PaintResult> paint(const PaintInput& in);

// Concrete for a round slab or column.
struct CircularResult {
    double cubicYards = 0;  // rounded up to whole yards
    double concreteCost = 0;
    double laborCost = 0;
    double totalCost = 0;
};

// Labour for placing and finishing, as a share of the concrete's cost.
inline constexpr double circularLaborShare = 0.5;

CircularResult circularConcrete(double diameter, double depth, double costPerCubicYard);

// Cutting angles for crown moulding laid flat on a compound mitre saw.
struct CrownResult {
    double miterAngle = 0;
    double bevelAngle = 0;
    double angleFromLevel = 0;  // of the moulding's back, from the ceiling
};

CrownResult crownMolding(double wallAngle, double springAngle);

// Feet, inches and sixteenths of an inch as decimal feet.
double decimalFeet(double feet, double inches, double sixteenths);
// The hypotenuse of a right triangle with these two sides.
double hypotenuse(double side1, double side2);

// The simple frames.
double lengthsTotal(double first, double second, double third, double fourth);
double area(double length, double widthOrHeight);

}  // namespace calculators::group2
