#include "group2formulas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace calculators::group2 {

namespace {

constexpr double degreesPerRadian = 180.0 / std::numbers::pi;

double radians(double degrees) { return degrees / degreesPerRadian; }
double degrees(double radians) { return radians * degreesPerRadian; }

}  // namespace

double rafterRun(const RafterInput& in)
{
    // Half the ridge's thickness comes off the plan distance measured to
    // its centre line.
    return in.planDistance - in.ridgeWidthInches / 24.0;
}

RafterResult rafter(const RafterInput& in)
{
    const double run = rafterRun(in);
    // Length per foot of run: common rafter sqrt(p^2 + 12^2) / 12; the hip
    // runs 17 (sqrt 288) inches in plan for every 12 of the common rafter.
    const double hipUnitRun = std::sqrt(288.0);
    const double commonPerFoot = std::hypot(in.pitch, 12.0) / 12.0;
    const double hipPerFoot = std::hypot(in.pitch, hipUnitRun) / 12.0;

    RafterResult r;
    r.rafterLength = (run + in.eaveOverhang) * commonPerFoot;
    r.hipPeakToBirdsmouth = run * hipPerFoot;
    r.hipHeelToBirdsmouth = in.eaveOverhang * hipPerFoot;
    r.hipRafterLength = r.hipPeakToBirdsmouth + r.hipHeelToBirdsmouth;
    r.mainRafterMiterAngle = degrees(std::atan2(in.pitch, 12.0));
    r.hipRafterMiterAngle = degrees(std::atan2(in.pitch, hipUnitRun));
    // The 45 degree plan cut seen on the sloping top edge: tan = cos(hip slope).
    r.hipRafterBevelAngle = degrees(std::atan2(hipUnitRun, std::hypot(in.pitch, hipUnitRun)));
    return r;
}

std::optional<PaintResult> paint(const PaintInput& in)
{
    if (in.coverage == 0)
        return std::nullopt;
    PaintResult r;
    r.ceilingSquareFeet = in.length * in.width;
    // Four walls round the room, less the openings; never below nothing.
    const double gross = 2.0 * (in.length + in.width) * in.wallHeight;
    r.wallSquareFeet = std::max(0.0, gross - in.doors * doorOpening - in.windows * windowOpening);
    r.ceilingGallons = r.ceilingSquareFeet / in.coverage;
    r.wallGallons = r.wallSquareFeet / in.coverage;
    r.ceilingCost = r.ceilingGallons * in.costPerGallon;
    r.wallCost = r.wallGallons * in.costPerGallon;
    r.totalCost = r.ceilingCost + r.wallCost;
    return r;
}

CircularResult circularConcrete(double diameter, double depth, double costPerCubicYard)
{
    const double radius = diameter / 2.0;
    const double cubicFeet = std::numbers::pi * radius * radius * depth;
    const double yards = cubicFeet / 27.0;
    CircularResult r;
    // Concrete is ordered by the whole yard.
    r.cubicYards = std::ceil(yards);
    r.concreteCost = r.cubicYards * costPerCubicYard;
    r.laborCost = r.concreteCost * circularLaborShare;
    r.totalCost = r.concreteCost + r.laborCost;
    return r;
}

CrownResult crownMolding(double wallAngle, double springAngle)
{
    // Compound mitre for crown laid flat: tan(miter) = sin(spring) / tan(wall/2),
    // sin(bevel) = cos(spring) * cos(wall/2). atan2 keeps a zero wall angle finite.
    const double half = radians(wallAngle) / 2.0;
    const double spring = radians(springAngle);
    CrownResult r;
    r.miterAngle = degrees(std::atan2(std::sin(spring) * std::cos(half), std::sin(half)));
    const double s = std::clamp(std::cos(spring) * std::cos(half), -1.0, 1.0);
    r.bevelAngle = degrees(std::asin(s));
    r.angleFromLevel = 90.0 - springAngle;
    return r;
}

double decimalFeet(double feet, double inches, double sixteenths) { return feet + inches / 12.0 + sixteenths / 192.0; }

double hypotenuse(double side1, double side2) { return std::hypot(side1, side2); }

double lengthsTotal(double first, double second, double third, double fourth)
{
    return first + second + third + fourth;
}

double area(double length, double widthOrHeight) { return length * widthOrHeight; }

}  // namespace calculators::group2
