#pragma once
// What an estimate line is made of, by name rather than by position: the
// keys that tell it from the other lines of its estimate, and its amounts.
// Labor and sub-labor stand in different orders in the list, the table and
// the totals; named fields keep them from changing places on the way.

namespace estimates {

// Item, takeoff name and unit: no two lines of an estimate share all three.
struct LineKeys {
    int item = 0;
    int room = 0;  // takeoff name
    int unit = 0;

    friend bool operator==(const LineKeys&, const LineKeys&) = default;
};

struct LineAmounts {
    double quantity = 0;
    double material = 0;  // extended: the unit material price times the quantity
    double labor = 0;     // the other three are amounts for the whole line
    double subLabor = 0;  // stored as Extension
    double others = 0;    // equipment and others
};

}  // namespace estimates
