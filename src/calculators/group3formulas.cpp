#include "group3formulas.h"

#include "data/conversions.h"

#include <algorithm>
#include <cmath>

namespace calculators::group3 {

namespace {

// The constant the old tank formula used, kept so the yards come out alike.
constexpr double oldPi = 3.14159265358979;

double round2(double x) { return asStored(conv::roundTo(x, 2)); }

// How far a tank or pipe may stand past its hole before it does not fit.
constexpr double fitSlack = 1e-9;

}  // namespace

// An infinity stays one, so that the window can refuse it.
double asStored(double value) { return asShown(value); }

double roundUpQuarter(double x)
{
    if (!std::isfinite(x))
        return x;
    const double whole = conv::intFloor(x);
    const double f = x - whole;
    if (f == 0)
        return x;
    if (f <= 0.25)
        return whole + 0.25;
    if (f <= 0.5)
        return whole + 0.5;
    if (f <= 0.75)
        return whole + 0.75;
    return whole + 1;
}

double roundUpHalf(double x)
{
    if (!std::isfinite(x))
        return x;
    const double whole = conv::intFloor(x);
    const double f = x - whole;
    if (f == 0 || f == 0.5)
        return x;
    if (f < 0.5)
        return whole + 0.5;
    return whole + 1;
}

TankMisfit tankMisfit(const TankInput& in)
{
    // A hair of slack, so that a bed of 1/3 ft under a tank of 7 2/3 fits
    // a hole 8 deep whatever the binary sum says.
    const double width = in.excavationWidth + fitSlack;
    const double length = in.excavationLength + fitSlack;
    if (in.round) {
        if (in.diameter > width || in.diameter > length)
            return TankMisfit::Diameter;
    } else {
        const bool straight = in.tankWidth <= width && in.tankLength <= length;
        const bool turned = in.tankWidth <= length && in.tankLength <= width;
        if (!straight && !turned)
            return TankMisfit::Footprint;
    }
    if (in.tankDepth + in.bedDepthInches / 12 > in.excavationDepth + fitSlack)
        return TankMisfit::Depth;
    return TankMisfit::None;
}

TankResult tankTrench(const TankInput& in)
{
    TankResult r;
    r.holeVolume = round2(in.excavationWidth * in.excavationDepth * in.excavationLength / 27);
    r.bedFillVolume = round2(in.excavationLength * in.excavationWidth * (in.bedDepthInches / 12) / 27);
    const double radius = in.diameter / 2;
    const double tank =
        in.round ? oldPi * (radius * radius) * in.tankDepth / 27 : in.tankWidth * in.tankLength * in.tankDepth / 27;
    r.tankVolume = asStored(roundUpWhole(tank));
    r.backFillVolume = std::max(0.0, round2(r.holeVolume - r.bedFillVolume - r.tankVolume));
    return r;
}

PipeMisfit pipeMisfit(const UtilityInput& in)
{
    if (in.pipeWidthInches > in.widthInches + fitSlack)
        return PipeMisfit::Width;
    if (in.pipeHeightInches + in.bedDepthInches > in.depthInches + fitSlack)
        return PipeMisfit::Depth;
    return PipeMisfit::None;
}

UtilityResult utilityTrench(const UtilityInput& in)
{
    UtilityResult r;
    const double width = in.widthInches / 12;
    r.excavationVolume = round2((in.depthInches / 12) * width * in.length / 27);
    r.bedFillVolume = round2((in.bedDepthInches / 12) * width * in.length / 27);
    r.pipeDeduct = round2((in.pipeHeightInches / 12) * (in.pipeWidthInches / 12) * in.length / 27);
    r.backFillVolume = std::max(0.0, round2(r.excavationVolume - r.pipeDeduct - r.bedFillVolume));
    return r;
}

double excavationVolume(double surfaceArea, double a, double b, double c, double d)
{
    return surfaceArea * (a + b + c + d) / 4;
}

BeamResult steelBeam(double unitWeight, double length)
{
    BeamResult r;
    r.tons = roundUpQuarter(unitWeight * length / 2000);
    r.pounds = unitWeight * length;
    return r;
}

std::optional<CeramicResult> ceramicTile(double length, double width, double tileSideInches)
{
    if (tileSideInches == 0)
        return std::nullopt;
    CeramicResult r;
    r.area = asStored(length * width);
    r.tiles = r.area * 144 / (tileSideInches * tileSideInches) * 1.1;
    return r;
}

namespace {

FloorResult floorCovering(const FloorInput& in, bool stairsTwice)
{
    FloorResult r;
    double total = 0;
    for (int i = 0; i < 3; ++i) {
        r.rowTotals[i] = asStored(in.widths[i] * in.lengths[i]);
        total += r.rowTotals[i];
    }
    r.stairTotal = asStored(stairsTwice ? in.stairWidth * in.stairs * 2 : in.stairWidth * in.stairs);
    total += r.stairTotal;
    r.totalArea = asStored(total);
    r.squareYards = roundUpWhole(r.totalArea / 9);
    return r;
}

}  // namespace

FloorResult carpet(const FloorInput& in) { return floorCovering(in, true); }

FloorResult sheetVinyl(const FloorInput& in) { return floorCovering(in, false); }

WallpaperResult wallpaper(const WallpaperInput& in)
{
    WallpaperResult r;
    r.wall = asStored(in.wallHeight * in.roomPerimeter);
    r.ceiling = asStored(in.ceilingLength * in.ceilingWidth);
    r.slopingWall = asStored(in.slopeHeight * in.slopeBase);
    r.totalArea = asStored(r.wall + r.ceiling + r.slopingWall);
    r.rolls = roundUpHalf(r.totalArea / 27);
    return r;
}

std::optional<ResilientResult> resilientTile(const ResilientInput& in, double tileSideInches)
{
    if (tileSideInches == 0)
        return std::nullopt;
    ResilientResult r;
    double total = 0;
    for (int i = 0; i < 3; ++i) {
        r.rowTotals[i] = asStored(in.widths[i] * in.lengths[i]);
        total += r.rowTotals[i];
    }
    r.totalArea = asStored(total);
    r.tiles = roundUpWhole(r.totalArea * 144 / (tileSideInches * tileSideInches));
    return r;
}

}  // namespace calculators::group3
