#pragma once
// What the item lists keep of the item master between pages: every item's
// sort and search columns, the categories and units the lists join, and
// the orders of the items worked out so far. It mends itself from the rows
// written since it last looked (data::RowChanges), so the page after a
// write costs what any page costs; only the first use in a session, or a
// change it cannot follow row by row, reads the whole table. Counting,
// searching and ordering then happen in memory, by SQLite's own rules for
// text (data::sqltext), and the database is asked only for the rows of the
// page shown.

#include "data/connection.h"
#include "data/rowchanges.h"
#include "data/sqltext.h"

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace data {
class RowReader;
}

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

    ItemLists();
    ~ItemLists();
    ItemLists(const ItemLists&) = delete;
    ItemLists& operator=(const ItemLists&) = delete;

    // Brings the copy up to date with the database; call it inside the read
    // transaction the page is then read in.
    void refresh(data::Connection& c);

    // The keys of the listed items (those whose category and unit exist)
    // that match `pattern` in `field` (every listed item for Field::None),
    // ascending in `order`.
    std::vector<std::int64_t> keys(Order order, Field field = Field::None, const QString& pattern = QString());

private:
    // One stored value: its kind, a number, or the place of its bytes in
    // the text store.
    struct Cell {
        data::sqltext::Kind kind = data::sqltext::Kind::Null;
        std::uint32_t size = 0;
        union {
            double number = 0;
            std::uint64_t at;
        };
    };
    struct Item {
        std::int64_t id = 0;
        Cell code, name, tu, material, qty;
        double codeValue = 0;  // val(ItemCode)
        bool codeValueNull = true;
        bool live = false;
        bool categoryIsKey = false, unitIsKey = false;  // held a whole number
        std::int64_t categoryKey = 0, unitKey = 0;
        std::int32_t category = -1, unit = -1;  // their rows below, -1 for none
    };
    // A category or unit: its key, its name, and the rank of the name
    // among all names (equal names share a rank).
    struct Named {
        std::int64_t id = 0;
        data::sqltext::Kind kind = data::sqltext::Kind::Null;
        std::string text;
        std::int32_t rank = 0;
    };
    static constexpr std::size_t orderCount = 9;

    void loadAll(data::Connection& c);
    void loadNames(data::Connection& c, const QString& sql, std::vector<Named>& rows,
                   std::unordered_map<std::int64_t, std::int32_t>& indexOf);
    void joinAll();
    void mend(data::Connection& c, const std::vector<std::int64_t>& rowids);
    void read(const data::RowReader& r, Item& it);
    Cell textCell(const data::RowReader& r, int column);
    Cell valueCell(const data::RowReader& r, int column);
    void release(const Cell& cell);
    void compactTexts();
    std::string_view bytes(const Cell& cell) const;

    static bool listed(const Item& it) { return it.live && it.category >= 0 && it.unit >= 0; }
    void noteSlot(std::uint32_t slot);
    bool less(Order order, std::uint32_t a, std::uint32_t b) const;
    std::uint64_t sortPrefix(Order order, const Item& it) const;
    std::vector<std::uint32_t>& ordered(Order order);
    void dropOrders();
    void unplace(std::uint32_t slot);
    void place(std::uint32_t slot);

    bool loaded_ = false;
    data::RowChanges itemChanges_{QStringLiteral("Item")};
    data::RowChanges categoryChanges_{QStringLiteral("Category")};
    data::RowChanges unitChanges_{QStringLiteral("Units")};

    std::vector<Item> items_;
    // By slot as items_, packed for the walks over a whole order: the key
    // (0 for a slot no item holds) and whether the item is listed.
    std::vector<std::int64_t> idOf_;
    std::vector<char> listedAt_;
    std::unordered_map<std::int64_t, std::uint32_t> slotOf_;
    std::string texts_;
    std::size_t garbage_ = 0;  // bytes of texts no item holds any more
    std::vector<Named> categories_, units_;
    std::unordered_map<std::int64_t, std::int32_t> categoryOf_, unitOf_;
    std::array<std::vector<std::uint32_t>, orderCount> orders_;
    std::array<bool, orderCount> built_{};
};

}  // namespace masters
