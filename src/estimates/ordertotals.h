#pragma once
// The estimate screen's arithmetic, kept apart from its widgets: the master
// prices behind each item entry, a line's total, the estimate's tax,
// overhead and final total. Every figure is a double written in the default
// number-to-text form, never rounded for show, so what the user sees is
// what gets summed and stored.

#include "data/dbvalue.h"
#include "orderline.h"

#include <QString>
#include <optional>
#include <vector>

namespace estimates {

// The pieces of an item's price entry, in the order they are joined.
enum class PricePiece { Material = 0, Labor = 1, Quantity = 2, SubLabor = 3, Equipment = 4 };

// "material#labor#quantity#sublabor#equipment", each in the default
// number-to-text form; a Null value leaves its piece empty.
QString priceEntry(const data::DbValue& material, const data::DbValue& labor, const data::DbValue& quantity,
                   const data::DbValue& subLabor, const data::DbValue& equipment);
// One piece of an entry; empty when the entry has fewer pieces.
QString pricePiece(const QString& entry, PricePiece piece);

// The running total of the entry boxes: the extended material, then labor,
// sub-labor and others added in that order.
double entryTotal(const LineAmounts& entered);

// A line's total in the list: extended material + sub-labor + labor +
// others, in that order.
double lineTotal(const LineAmounts& line);

// The estimate's amount: the sum of the line totals, each as the list shows
// it (the default number-to-text form), so that the amount is what the
// figures on screen add up to. A total the list cannot show as a number
// (not finite) counts as 0.
double amountOf(const std::vector<double>& lineTotals);

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
