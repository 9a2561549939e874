#pragma once
// One line of an estimate, as it lives in memory between loading and saving:
// the amounts the estimate screen computed and the item the line is for.

#include "orderline.h"

#include <memory>

namespace masters {
class ClsItem;
}

namespace estimates {

class ClsOrderItems {
public:
    ClsOrderItems();
    ~ClsOrderItems();
    ClsOrderItems(const ClsOrderItems&) = delete;
    ClsOrderItems& operator=(const ClsOrderItems&) = delete;

    double mvarQty = 0;
    double mvarMaterial = 0;  // unit material price times the quantity
    int mvarRoomId = 0;       // takeoff name
    int mvarUnitId = 0;
    double mvarExtension = 0;  // sub-labor amount
    double mvarLabor = 0;
    double mvarOthers = 0;  // equipment and others

    // The fields above by name.
    LineKeys keys() const { return {.item = itemKey(), .room = mvarRoomId, .unit = mvarUnitId}; }
    LineAmounts amounts() const
    {
        return {.quantity = mvarQty,
                .material = mvarMaterial,
                .labor = mvarLabor,
                .subLabor = mvarExtension,
                .others = mvarOthers};
    }
    void setKeys(const LineKeys& k);
    void setAmounts(const LineAmounts& a);

    // The line's item; only its key means anything here. A line has no item
    // until one is set.
    void setItem(std::unique_ptr<masters::ClsItem> item);
    void setItem(int itemId);
    // The item record, nullptr while the line has none. It is made on first
    // asking: an item record opens a connection, and a loaded estimate of a
    // thousand lines should not open a thousand of them to be shown.
    masters::ClsItem* Item();
    bool hasItem() const { return item_ != nullptr || hasKey_; }
    // The item's key, 0 while the line has none.
    int itemKey() const;

private:
    std::unique_ptr<masters::ClsItem> item_;
    int key_ = 0;  // the key while no record has been made
    bool hasKey_ = false;
};

}  // namespace estimates
