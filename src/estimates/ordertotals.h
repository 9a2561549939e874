#pragma once
// The estimate screen's arithmetic, kept apart from its widgets: the master
// prices behind each item entry, a line's total, the estimate's tax,
// overhead and final total. Every figure is a double written in the default
// number-to-text form, never rounded for show, so what the user sees is
// what gets summed and stored.

#include "data/dbvalue.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace estimates {

// The pieces of an item's price entry, in the order they are joined.
enum class PricePiece { Material = 0, Labor = 1, Quantity = 2, SubLabor = 3, Equipment = 4 };

// "material#labor#quantity#sublabor#equipment", each in the default
// number-to-text form; a Null value leaves its piece empty.
QString priceEntry(const data::DbValue& material, const data::DbValue& labor, const data::DbValue& quantity,
                   const data::DbValue& subLabor, const data::DbValue& equipment);
// One piece of an entry; empty when the entry has fewer pieces.
QString pricePiece(const QString& entry, PricePiece piece);

// The running total of the entry boxes: the unit material price times the
// quantity, then labor, sub-labor and others added in that order. Only the
// material is per unit; the other three are amounts for the whole line.
double entryTotal(double unitMaterial, double quantity, double labor, double subLabor, double others);

// A line's total in the list: extended material + sub-labor + labor +
// others, in that order.
double lineTotal(double extendedMaterial, double subLabor, double labor, double others);

// The sum of the list's line totals, each cell read strictly; a cell that is
// not a number counts as 0.
double amountOf(const QStringList& lineTotalCells);

// What the totals frame shows for an amount and two percentages, each read
// as the number at the start of its text. The final total adds the texts
// of the two amounts as they are written, so it agrees with what is shown.
struct FinalTotals {
    QString tax;
    QString overhead;
    QString total;
};
FinalTotals finalTotals(const QString& amountText, const QString& taxPercentText, const QString& overheadPercentText);

// The total a save stores: the amount plus the numbers in the tax and
// overhead boxes.
double storedTotal(double amount, const QString& taxText, const QString& overheadText);

// The price a box holds for writing back into the item master: the number
// at the start of its text, or nothing when the text does not start with
// one (empty, ".", letters).
std::optional<double> priceToWrite(const QString& boxText);

}  // namespace estimates
