#include "colnorderitems.h"

#include <stdexcept>
#include <string>

namespace estimates {

ColnOrderItems::ColnOrderItems() = default;
ColnOrderItems::~ColnOrderItems() = default;

ClsOrderItems& ColnOrderItems::Add(const LineKeys& keys, const LineAmounts& amounts)
{
    auto line = std::make_unique<ClsOrderItems>();
    line->setKeys(keys);
    line->setAmounts(amounts);
    lines_.push_back(std::move(line));
    return *lines_.back();
}

std::size_t ColnOrderItems::index(int position) const
{
    if (position < 1 || position > Count())
        throw std::out_of_range("There is no estimate line at position " + std::to_string(position) +
                                " (the estimate has " + std::to_string(Count()) + ").");
    return std::size_t(position - 1);
}

ClsOrderItems& ColnOrderItems::Item(int position) { return *lines_[index(position)]; }

const ClsOrderItems& ColnOrderItems::Item(int position) const { return *lines_[index(position)]; }

void ColnOrderItems::Remove(int position) { lines_.erase(lines_.begin() + std::ptrdiff_t(index(position))); }

void ColnOrderItems::Clear()
{
    // From the last line down, as the lines were always let go.
    while (!lines_.empty())
        lines_.pop_back();
}

}  // namespace estimates
