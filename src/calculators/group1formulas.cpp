#include "group1formulas.h"

#include "calcnumbers.h"
#include "data/conversions.h"

#include <QRegularExpression>
#include <cmath>

namespace calculators::group1 {

namespace {
constexpr double cubicFeetPerYard = 27;
constexpr double wallHeightFeet = 8;
constexpr double platesPerWall = 3;
constexpr double plateLengthFeet = 16;

double studBoardFeet(double thickness, double width) { return boardFeet(thickness, width, wallHeightFeet); }

Framing framing(double lengthFeet, double spacingInches, double corners, double spaces, double openings,
                double studThickness, double studWidth)
{
    // One stud per spacing along the run, two more per corner, one closing
    // stud per separate run, two per opening for its king studs.
    Framing f;
    f.studs = divideOrZero(lengthFeet * 12, spacingInches) + 2 * corners + spaces + 2 * openings;
    f.boardFeet = f.studs * studBoardFeet(studThickness, studWidth);
    f.plates = lengthFeet * platesPerWall / plateLengthFeet;
    return f;
}
}  // namespace

double blocksAlong(double lengthFeet, double blockSizeInches) { return divideOrZero(lengthFeet * 12, blockSizeInches); }

double blocksTotal(double footerBlocks, double heightFeet)
{
    // Courses of 8-inch blocks up the wall, each as long as the footer.
    return footerBlocks * (heightFeet * 12 / blockCourseInches);
}

ConcreteMaterials concreteMaterials(double width, double length, double slabDepth, double baseDepth,
                                    bool depthsInInches)
{
    ConcreteMaterials c;
    c.slabArea = width * length;
    double slab, base;
    if (depthsInInches) {
        slab = width * length * (slabDepth / 12) / cubicFeetPerYard;
        base = width * length * (baseDepth / 12) / cubicFeetPerYard;
    } else {
        slab = width * length * slabDepth / cubicFeetPerYard;
        base = width * length * baseDepth / cubicFeetPerYard;
    }
    c.slabVolume = conv::roundTo(slab, 5);
    c.baseVolume = conv::roundTo(base, 5);
    c.totalVolume = conv::roundTo(slab + base, 5);
    return c;
}

double blockWallCubicYards(double height, double length, bool eightInchBlock)
{
    const double x =
        eightInchBlock ? height * length * 0.32 / cubicFeetPerYard : height * length * 0.51 / cubicFeetPerYard;
    return conv::roundTo(x, 5);
}

double columnCubicYards(double height, double diameterInches)
{
    const double r = diameterInches / 24;
    return conv::roundTo(r * height * r * 3.14159265358979 / cubicFeetPerYard, 5);
}

BrickArea brickArea(double length, double width, double customPerSquareFoot)
{
    // Counts per square foot of wall face.
    BrickArea b;
    b.area = length * width;
    b.at7 = b.area * 7;
    b.at9 = b.area * 9;
    b.custom = b.area * customPerSquareFoot;
    return b;
}

FoundationVolumes foundationVolumes(double perimeterFeet, double footingWidthInches, double footingDepthInches,
                                    double stemHeightFeet, double stemWidthInches)
{
    // A concentric footing and stem wall: the perimeter is the midline of both.
    FoundationVolumes v;
    v.footing = perimeterFeet * (footingWidthInches / 12) * (footingDepthInches / 12) / cubicFeetPerYard;
    v.stemWall = perimeterFeet * stemHeightFeet * (stemWidthInches / 12) / cubicFeetPerYard;
    return v;
}

FoundationCost foundationCost(double footingYards, double stemYards, double costPerYard)
{
    FoundationCost c;
    c.footingTotal = roundUpWhole(asShown(footingYards * 1.12));
    c.stemTotal = roundUpWhole(asShown(stemYards * 1.08));
    c.totalYards = c.footingTotal + c.stemTotal;
    c.material = c.totalYards * costPerYard;
    c.labour = 3 * c.material;
    c.totalCost = c.material + c.labour;
    return c;
}

Framing exteriorFraming(double perimeterFeet, double spacingInches, double corners, double spaces, double openings)
{
    return framing(perimeterFeet, spacingInches, corners, spaces, openings, 2, 6);
}

Framing interiorFraming(double lengthFeet, double spacingInches, double corners, double spaces, double openings)
{
    return framing(lengthFeet, spacingInches, corners, spaces, openings, 2, 4);
}

RoofArea roofArea(double pitchPer12, double width, double length, double costPerSheet)
{
    // Plan area times the slope factor: rafter length per foot of run is
    // sqrt(pitch^2 + 12^2) / 12, the same for a gable and a simple hip.
    RoofArea r;
    const double slope = std::sqrt(pitchPer12 * pitchPer12 + 144) / 12;
    r.area = roundUpWhole(asShown(width * length * slope));
    r.sheets = roundUpWhole(asShown(r.area / sheetSquareFeet));
    r.cost = r.sheets * costPerSheet;
    return r;
}

std::optional<std::pair<double, double>> nominalSize(const QString& text)
{
    static const QRegularExpression size(QStringLiteral("^\\s*(\\d+)\\s*x\\s*(\\d+)"));
    const QRegularExpressionMatch m = size.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return std::pair{conv::val(m.captured(1)), conv::val(m.captured(2))};
}

double boardFeet(double thicknessInches, double widthInches, double lengthFeet)
{
    // One board foot is 12 x 12 x 1 inches: thickness x width x length(ft) / 12.
    return thicknessInches * widthInches * lengthFeet / 12;
}

}  // namespace calculators::group1
