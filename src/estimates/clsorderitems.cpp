#include "clsorderitems.h"

#include "masters/clsitem.h"

namespace estimates {

ClsOrderItems::ClsOrderItems() = default;
ClsOrderItems::~ClsOrderItems() = default;

void ClsOrderItems::setKeys(const LineKeys& k)
{
    setItem(k.item);
    mvarRoomId = k.room;
    mvarUnitId = k.unit;
}

void ClsOrderItems::setAmounts(const LineAmounts& a)
{
    mvarQty = a.quantity;
    mvarMaterial = a.material;
    mvarLabor = a.labor;
    mvarExtension = a.subLabor;
    mvarOthers = a.others;
}

void ClsOrderItems::setItem(std::unique_ptr<masters::ClsItem> item)
{
    item_ = std::move(item);
    hasKey_ = false;
    key_ = 0;
}

void ClsOrderItems::setItem(int itemId)
{
    item_.reset();
    key_ = itemId;
    hasKey_ = true;
}

masters::ClsItem* ClsOrderItems::Item()
{
    if (!item_ && hasKey_) {
        auto item = std::make_unique<masters::ClsItem>();
        item->itemid = key_;
        item_ = std::move(item);
        hasKey_ = false;
    }
    return item_.get();
}

int ClsOrderItems::itemKey() const
{
    // Once the record exists it is the one place the key is kept, so a
    // change made through Item() shows here.
    if (item_)
        return item_->itemid;
    return hasKey_ ? key_ : 0;
}

}  // namespace estimates
