#include "areacalc.h"

#include "data/conversions.h"

#include <cmath>
#include <optional>

namespace estimates {

namespace {

using Figure = std::optional<double>;

// An input box's number; nothing when its digits name a value beyond the
// double range.
Figure input(const QString& text)
{
    const conv::ValResult r = conv::valChecked(text);
    if (r.overflow)
        return std::nullopt;
    return r.value;
}

Figure finite(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

QString shown(const Figure& f) { return f ? conv::numberText(*f) : QString(); }

// The number a later step reads back from a figure's text.
Figure readBack(const Figure& f)
{
    if (!f)
        return std::nullopt;
    return input(shown(f));
}

}  // namespace

AreaFigures areaFigures(const QString& lengthText, const QString& widthText, const QString& heightText)
{
    const Figure l = input(lengthText);
    const Figure w = input(widthText);
    const Figure h = input(heightText);

    Figure perimeter, walls, ceilingWalls, floorCeiling, totalArea, concrete, plywood, drywall12, drywall8;
    if (l && w) {
        perimeter = finite((*w + *l) + (*w + *l));
        floorCeiling = finite(*l * *w);
        plywood = finite(*l * *w / 32);
        drywall12 = finite(*l * *w / 48);
        drywall8 = finite(*l * *w / 32);
    }
    if (l && w && h) {
        walls = finite((*w + *w) * *h + (*l + *l) * *h);
        if (const Figure wallsShown = readBack(walls))
            ceilingWalls = finite(*l * *w + *wallsShown);
        totalArea = readBack(ceilingWalls);
    }

    AreaFigures out;
    out[AreaRow::Perimeter] = shown(perimeter);
    out[AreaRow::Walls] = shown(walls);
    out[AreaRow::CeilingWalls] = shown(ceilingWalls);
    out[AreaRow::FloorCeiling] = shown(floorCeiling);
    out[AreaRow::TotalArea] = shown(totalArea);
    // A height of 0 or less (also none typed) gives "0"; one beyond the
    // double range gives nothing, as every figure that needs it.
    if (h && *h > 0)
        out[AreaRow::Concrete] = (l && w) ? shown(finite((*l + *w) / *h)) : QString();
    else if (h)
        out[AreaRow::Concrete] = QStringLiteral("0");
    out[AreaRow::Plywood] = shown(plywood);
    out[AreaRow::Drywall4x12] = shown(drywall12);
    out[AreaRow::Drywall4x8] = shown(drywall8);
    return out;
}

QString figureToMove(const AreaFigures& figures, int selectedRow)
{
    if (selectedRow >= 1 && selectedRow <= areaRowCount)
        return figures.text[std::size_t(selectedRow - 1)];
    return figures[AreaRow::TotalArea];
}

}  // namespace estimates
