#pragma once
// The estimate screen's room calculator, kept apart from its widgets: from a
// room's length, width and height (each read as the number at the start of
// its text) the nine figures the frame shows, each written in the default
// number-to-text form, and the rule that picks the figure to copy into the
// quantity box.

#include <QString>
#include <array>

namespace estimates {

// The figures, top to bottom as the frame shows them; the numbers are also
// the option buttons' numbers (chkarea1 .. chkarea9).
enum class AreaRow {
    Perimeter = 1,
    Walls = 2,
    CeilingWalls = 3,
    Concrete = 4,
    FloorCeiling = 5,
    TotalArea = 6,
    Plywood = 7,
    Drywall4x12 = 8,
    Drywall4x8 = 9,
};
constexpr int areaRowCount = 9;

struct AreaFigures {
    std::array<QString, areaRowCount> text;

    const QString& operator[](AreaRow row) const { return text[std::size_t(int(row) - 1)]; }
    QString& operator[](AreaRow row) { return text[std::size_t(int(row) - 1)]; }
};

// All nine figures for the three inputs. Ceiling+walls and the total area
// are computed from the texts written before them, as the screen reads them
// back from its boxes. A figure that would leave the double range (or that
// needs an input that does) is empty rather than a number nobody can use.
AreaFigures areaFigures(const QString& lengthText, const QString& widthText, const QString& heightText);

// What "Move selected to quantity box" copies: the figure of the selected
// row (1..9), or the total area when no row is selected (anything else).
QString figureToMove(const AreaFigures& figures, int selectedRow);

}  // namespace estimates
