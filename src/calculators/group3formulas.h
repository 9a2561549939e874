#pragma once
// The formulas behind the Group 3 calculator window (site work, floor and
// wall coverings), free of any widget. Where a step uses an earlier result,
// it uses that result as its box shows it: written as the default number
// text and read back, after any rounding of that step.

#include "calcnumbers.h"

#include <optional>

namespace calculators::group3 {

// A value as a box holds it once written and read back.
double asStored(double value);
// Up to the next whole number: Int(x) + 1 when x has a fraction.
using calculators::roundUpWhole;
// Up to the next quarter (of a ton).
double roundUpQuarter(double x);
// Up to the next half (of a roll).
double roundUpHalf(double x);

struct TankInput {
    bool round = true;  // "No" not chosen
    double diameter = 0;
    double excavationWidth = 0;
    double excavationDepth = 0;
    double excavationLength = 0;
    double tankWidth = 0;
    double tankLength = 0;
    double tankDepth = 0;
    double bedDepthInches = 0;
};

struct TankResult {  // cubic yards
    double holeVolume = 0;
    double bedFillVolume = 0;
    double backFillVolume = 0;
    double tankVolume = 0;
};

// Why a tank cannot stand on its bed in its hole, when it cannot.
enum class TankMisfit {
    None,
    Diameter,   // a round tank wider or longer than the hole
    Footprint,  // a square tank that fits the hole neither way round
    Depth,      // the tank on its bed deeper than the hole
};
TankMisfit tankMisfit(const TankInput& in);

// The back fill never goes below 0: a tank that fits leaves room, and only
// the tank's round-up to whole yards can take more than there is.
TankResult tankTrench(const TankInput& in);

struct UtilityInput {
    double widthInches = 0;
    double depthInches = 0;
    double length = 0;  // feet
    double pipeWidthInches = 0;
    double pipeHeightInches = 0;
    double bedDepthInches = 0;
};

struct UtilityResult {  // cubic yards
    double excavationVolume = 0;
    double bedFillVolume = 0;
    double backFillVolume = 0;
    double pipeDeduct = 0;
};

// Why a pipe cannot lie on its bed in its trench, when it cannot.
enum class PipeMisfit {
    None,
    Width,  // wider than the trench
    Depth,  // the pipe on its bed higher than the trench is deep
};
PipeMisfit pipeMisfit(const UtilityInput& in);

// As with tanks, the back fill never goes below 0 (only the rounding of
// the three volumes to hundredths could take it there).
UtilityResult utilityTrench(const UtilityInput& in);

// Cubic feet over a surface from the heights at its four corners.
double excavationVolume(double surfaceArea, double a, double b, double c, double d);

struct BeamResult {
    double tons = 0;  // up to the next quarter ton
    double pounds = 0;
};

BeamResult steelBeam(double unitWeight, double length);

struct CeramicResult {
    double area = 0;
    double tiles = 0;  // with one tenth for waste, unrounded
};

// Nothing when the tile side is zero (no size chosen).
std::optional<CeramicResult> ceramicTile(double length, double width, double tileSideInches);

// Carpet and sheet vinyl share one layout: three areas and a stairway.
struct FloorInput {
    double widths[3] = {0, 0, 0};
    double lengths[3] = {0, 0, 0};
    double stairWidth = 0;
    double stairs = 0;
};

struct FloorResult {
    double rowTotals[3] = {0, 0, 0};
    double stairTotal = 0;
    double totalArea = 0;    // square feet
    double squareYards = 0;  // up to the next whole yard
};

// Carpet wraps each stair's tread and riser: width x stairs x 2.
FloorResult carpet(const FloorInput& in);
// Vinyl counts the stairway as width x the second box, not doubled.
FloorResult sheetVinyl(const FloorInput& in);

struct WallpaperInput {
    double wallHeight = 0;
    double roomPerimeter = 0;
    double ceilingLength = 0;
    double ceilingWidth = 0;
    double slopeHeight = 0;
    double slopeBase = 0;
};

struct WallpaperResult {
    double wall = 0;
    double ceiling = 0;
    double slopingWall = 0;
    double totalArea = 0;
    double rolls = 0;  // up to the next half roll
};

WallpaperResult wallpaper(const WallpaperInput& in);

struct ResilientInput {
    double widths[3] = {0, 0, 0};
    double lengths[3] = {0, 0, 0};
};

struct ResilientResult {
    double rowTotals[3] = {0, 0, 0};
    double totalArea = 0;
    double tiles = 0;  // up to the next whole tile
};

// Nothing when the tile side is zero (no size chosen).
std::optional<ResilientResult> resilientTile(const ResilientInput& in, double tileSideInches);

}  // namespace calculators::group3
