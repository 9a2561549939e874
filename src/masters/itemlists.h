#pragma once
// The keys of one page of the item lists, read from the database a page at
// a time however large the item master: every order walks an index that
// holds it, skipping to the page inside SQLite; the count of the full list
// is the sum of the tally of items per category and unit; a search's count
// comes from an index range or the trigram text index, and its pages from
// the sort order's index, filtered as the list's own statement filters.
// What is learnt (the tally, the categories and units by name, a search's
// count and order) is kept until the database changes.

#include "data/connection.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace masters {

class ItemLists {
public:
    // The orders of the lists, each ascending and ending on the item key.
    enum class Order {
        ItemNumber,  // val(ItemCode), then ItemCode, the numeric item-number order
        ItemCode,    // ItemCode as text
        ItemName,
        CatName,  // the name of the item's category
        Material,
        Qty,
        TU,
        ItemID,
        UnitName,  // the name of the item's unit
    };
    // What a search matches against, with LIKE: the description or the
    // category name ("All"), one of them, or the item number.
    enum class Field { None, All, ItemName, CatName, ItemCode };

    struct Page {
        std::vector<std::int64_t> keys;  // in the order asked for
        int count = 0;                   // rows of the whole list
        int page = 0;                    // the page these are: the one asked for, or the nearest
        int pages = 0;
    };

    // A search of at most this many items is read whole, in order, at
    // once (a few milliseconds), and its pages then cost nothing; a larger
    // one walks an index a page at a time. Tests lower it.
    static inline std::int64_t wholeSearchLimit = 4000;

    ItemLists();
    ~ItemLists();
    ItemLists(const ItemLists&) = delete;
    ItemLists& operator=(const ItemLists&) = delete;

    // Whether the database holds what the lists page by: a file of an
    // older version (a backup just restored, say) may not yet.
    bool available(data::Connection& c);

    // Page `page` (1-based; taken as the nearest one outside 1..last) of the
    // listed items (those whose category and unit exist) that match
    // `pattern` in `field` (every listed item for Field::None), `pageSize`
    // to a page, in `order`, descending when asked. Nothing when no item
    // matches. Call it inside the read transaction the rows are then read in.
    std::optional<Page> page(data::Connection& c, Order order, bool descending, Field field, const QString& pattern,
                             int page, int pageSize);

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace masters
