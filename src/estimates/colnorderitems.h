#pragma once
// The lines of one estimate, in the order they were added. Lines have no key
// of their own: they are found by their 1-based position, and removing one
// moves the lines after it up by one.

#include "clsorderitems.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace estimates {

class ColnOrderItems {
    using Store = std::vector<std::unique_ptr<ClsOrderItems>>;

public:
    ColnOrderItems();
    ~ColnOrderItems();
    ColnOrderItems(const ColnOrderItems&) = delete;
    ColnOrderItems& operator=(const ColnOrderItems&) = delete;

    // Appends a line with these values and hands it back. It stays valid
    // until it is removed or the collection goes.
    ClsOrderItems& Add(const LineKeys& keys, const LineAmounts& amounts);
    // The line at a position from 1 to Count(); any other position throws
    // std::out_of_range.
    ClsOrderItems& Item(int position);
    const ClsOrderItems& Item(int position) const;
    int Count() const { return int(lines_.size()); }
    // Removes the line at a position from 1 to Count(); any other position
    // throws std::out_of_range and removes nothing.
    void Remove(int position);
    // Removes every line.
    void Clear();

    // Visits the lines in collection order (for (ClsOrderItems& line : lines)).
    template <class Base, class Line>
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ClsOrderItems;
        using difference_type = std::ptrdiff_t;
        using pointer = Line*;
        using reference = Line&;

        Iterator() = default;
        explicit Iterator(Base it) : it_(it) {}
        reference operator*() const { return **it_; }
        pointer operator->() const { return it_->get(); }
        Iterator& operator++()
        {
            ++it_;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator old = *this;
            ++it_;
            return old;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.it_ == b.it_; }

    private:
        Base it_{};
    };
    using iterator = Iterator<Store::iterator, ClsOrderItems>;
    using const_iterator = Iterator<Store::const_iterator, const ClsOrderItems>;

    iterator begin() { return iterator(lines_.begin()); }
    iterator end() { return iterator(lines_.end()); }
    const_iterator begin() const { return const_iterator(lines_.begin()); }
    const_iterator end() const { return const_iterator(lines_.end()); }

private:
    std::size_t index(int position) const;

    Store lines_;
};

}  // namespace estimates
