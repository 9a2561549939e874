#pragma once
// The Group 1 calculators' arithmetic, apart from the boxes: feet, inches,
// square feet and cubic yards as the frames' labels say. Results are not
// checked for range here; the window reports a result that overflows.

#include <QString>
#include <optional>
#include <utility>

namespace calculators::group1 {

// Blocks: how many blocks of `blockSizeInches` length lie along a run.
double blocksAlong(double lengthFeet, double blockSizeInches);
// Blocks: the footer count times the courses of a wall `heightFeet` high.
double blocksTotal(double footerBlocks, double heightFeet);
// Height of one course of standard concrete blocks, in inches.
inline constexpr double blockCourseInches = 8;

struct ConcreteMaterials {
    double slabArea = 0;
    double slabVolume = 0;  // rounded to 5 decimals, as the three below
    double baseVolume = 0;
    double totalVolume = 0;
};
// Depths in inches when `depthsInInches`, else in feet.
ConcreteMaterials concreteMaterials(double width, double length, double slabDepth, double baseDepth,
                                    bool depthsInInches);

double blockWallCubicYards(double height, double length, bool eightInchBlock);
double columnCubicYards(double height, double diameterInches);

struct BrickArea {
    double area = 0;
    double at7 = 0;
    double at9 = 0;
    double custom = 0;
};
BrickArea brickArea(double length, double width, double customPerSquareFoot);

struct FoundationVolumes {
    double footing = 0;
    double stemWall = 0;
};
FoundationVolumes foundationVolumes(double perimeterFeet, double footingWidthInches, double footingDepthInches,
                                    double stemHeightFeet, double stemWidthInches);

struct FoundationCost {
    double footingTotal = 0;  // with the 12% add factor, rounded up to whole CY
    double stemTotal = 0;     // with the 8% add factor, rounded up to whole CY
    double totalYards = 0;
    double material = 0;
    double labour = 0;
    double totalCost = 0;
};
FoundationCost foundationCost(double footingYards, double stemYards, double costPerYard);

struct Framing {
    double studs = 0;
    double boardFeet = 0;
    double plates = 0;
};
// Walls 8 feet high with three plates, in 16-foot plate stock.
Framing exteriorFraming(double perimeterFeet, double spacingInches, double corners, double spaces, double openings);
Framing interiorFraming(double lengthFeet, double spacingInches, double corners, double spaces, double openings);

struct RoofArea {
    double area = 0;
    double sheets = 0;
    double cost = 0;
};
RoofArea roofArea(double pitchPer12, double width, double length, double costPerSheet);
// Square feet one roof sheet covers (4 by 8 feet).
inline constexpr double sheetSquareFeet = 32;

// Thickness and width in inches from a size text as "2 x 4" or
// "1 x 6 / 2 x 3" (the first size counts); nothing for "Select".
std::optional<std::pair<double, double>> nominalSize(const QString& text);
double boardFeet(double thicknessInches, double widthInches, double lengthFeet);

}  // namespace calculators::group1
