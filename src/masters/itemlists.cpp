#include "itemlists.h"

#include "data/conversions.h"
#include "data/rowreader.h"
#include "ui/busycursor.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace masters {

namespace {

using data::sqltext::Kind;

const QString itemColumns =
    QStringLiteral("SELECT ItemID, ItemCode, ItemName, CategoryID, UnitId, Material, Qty, TU FROM Item");

// val() of the item number, as the database function computes it: plain
// digits, the common case, without making a QString.
double valueOf(std::string_view b)
{
    if (!b.empty() && b.size() <= 15 &&
        std::all_of(b.begin(), b.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
        std::int64_t v = 0;
        for (char ch : b)
            v = v * 10 + (ch - '0');
        return double(v);
    }
    return conv::val(QString::fromUtf8(b.data(), qsizetype(b.size())));
}

// Beyond this many rows written at once, the orders are worked out afresh
// rather than mended one row at a time.
constexpr std::size_t mendLimit = 256;
// Rows read back per statement when mending.
constexpr std::size_t readChunk = 500;

}  // namespace

ItemLists::ItemLists() = default;
ItemLists::~ItemLists() = default;

std::string_view ItemLists::bytes(const Cell& cell) const
{
    if (cell.kind != Kind::Text && cell.kind != Kind::Blob)
        return {};
    return std::string_view(texts_.data() + cell.at, cell.size);
}

ItemLists::Cell ItemLists::textCell(const data::RowReader& r, int column)
{
    Cell cell;
    const data::RowReader::Kind k = r.kind(column);
    if (k == data::RowReader::Kind::Null)
        return cell;
    // A text column holds texts (numbers become their text when stored).
    cell.kind = k == data::RowReader::Kind::Blob ? Kind::Blob : Kind::Text;
    const std::string_view b = r.bytes(column);
    cell.at = texts_.size();
    cell.size = std::uint32_t(b.size());
    texts_.append(b);
    return cell;
}

ItemLists::Cell ItemLists::valueCell(const data::RowReader& r, int column)
{
    switch (r.kind(column)) {
    case data::RowReader::Kind::Integer:
    case data::RowReader::Kind::Real: {
        Cell cell;
        cell.kind = Kind::Number;
        cell.number = r.real(column);
        return cell;
    }
    case data::RowReader::Kind::Null: return Cell();
    default: return textCell(r, column);
    }
}

void ItemLists::release(const Cell& cell)
{
    if (cell.kind == Kind::Text || cell.kind == Kind::Blob)
        garbage_ += cell.size;
}

void ItemLists::compactTexts()
{
    std::string packed;
    packed.reserve(texts_.size() - garbage_);
    const auto move = [&](Cell& cell) {
        if (cell.kind != Kind::Text && cell.kind != Kind::Blob)
            return;
        const std::uint64_t at = packed.size();
        packed.append(bytes(cell));
        cell.at = at;
    };
    for (Item& it : items_) {
        if (!it.live)
            continue;
        for (Cell* cell : {&it.code, &it.name, &it.tu, &it.material, &it.qty})
            move(*cell);
    }
    texts_ = std::move(packed);
    garbage_ = 0;
}

void ItemLists::read(const data::RowReader& r, Item& it)
{
    it.id = r.integer(0);
    it.code = textCell(r, 1);
    it.name = textCell(r, 2);
    it.material = valueCell(r, 5);
    it.qty = valueCell(r, 6);
    it.tu = textCell(r, 7);
    it.codeValueNull = it.code.kind == Kind::Null;
    it.codeValue = it.codeValueNull ? 0.0 : valueOf(bytes(it.code));
    // Only a whole number can equal a key: another tool's text or fraction
    // leaves the item out of the lists, as the join does.
    it.categoryIsKey = r.kind(3) == data::RowReader::Kind::Integer;
    it.categoryKey = it.categoryIsKey ? r.integer(3) : 0;
    it.unitIsKey = r.kind(4) == data::RowReader::Kind::Integer;
    it.unitKey = it.unitIsKey ? r.integer(4) : 0;
    const auto indexIn = [](const std::unordered_map<std::int64_t, std::int32_t>& map, bool isKey, std::int64_t key) {
        if (!isKey)
            return std::int32_t(-1);
        const auto found = map.find(key);
        return found == map.end() ? std::int32_t(-1) : found->second;
    };
    it.category = indexIn(categoryOf_, it.categoryIsKey, it.categoryKey);
    it.unit = indexIn(unitOf_, it.unitIsKey, it.unitKey);
    it.live = true;
}

void ItemLists::loadNames(data::Connection& c, const QString& sql, std::vector<Named>& rows,
                          std::unordered_map<std::int64_t, std::int32_t>& indexOf)
{
    rows.clear();
    indexOf.clear();
    data::RowReader r(c, sql);
    while (r.next()) {
        Named n;
        n.id = r.integer(0);
        const data::RowReader::Kind k = r.kind(1);
        if (k != data::RowReader::Kind::Null) {
            n.kind = k == data::RowReader::Kind::Blob ? Kind::Blob : Kind::Text;
            n.text = std::string(r.bytes(1));
        }
        indexOf.emplace(n.id, std::int32_t(rows.size()));
        rows.push_back(std::move(n));
    }
    // Ranks by name, so that an order by name is an order by rank.
    std::vector<std::int32_t> byName(rows.size());
    std::iota(byName.begin(), byName.end(), 0);
    const auto cmp = [&rows](std::int32_t a, std::int32_t b) {
        const Named& x = rows[std::size_t(a)];
        const Named& y = rows[std::size_t(b)];
        return data::sqltext::compareValues(x.kind, 0, x.text, y.kind, 0, y.text, true);
    };
    std::sort(byName.begin(), byName.end(), [&cmp](std::int32_t a, std::int32_t b) { return cmp(a, b) < 0; });
    std::int32_t rank = 0;
    for (std::size_t i = 0; i < byName.size(); ++i) {
        if (i > 0 && cmp(byName[i - 1], byName[i]) != 0)
            ++rank;
        rows[std::size_t(byName[i])].rank = rank;
    }
}

void ItemLists::joinAll()
{
    for (Item& it : items_) {
        if (!it.live)
            continue;
        const auto cat = it.categoryIsKey ? categoryOf_.find(it.categoryKey) : categoryOf_.end();
        it.category = cat == categoryOf_.end() ? -1 : cat->second;
        const auto unit = it.unitIsKey ? unitOf_.find(it.unitKey) : unitOf_.end();
        it.unit = unit == unitOf_.end() ? -1 : unit->second;
    }
    for (std::uint32_t s = 0; s < items_.size(); ++s)
        noteSlot(s);
}

void ItemLists::noteSlot(std::uint32_t slot)
{
    if (idOf_.size() < items_.size()) {
        idOf_.resize(items_.size(), 0);
        listedAt_.resize(items_.size(), 0);
    }
    const Item& it = items_[slot];
    idOf_[slot] = it.live ? it.id : 0;
    listedAt_[slot] = listed(it) ? 1 : 0;
}

void ItemLists::loadAll(data::Connection& c)
{
    ui::BusyCursor busy;
    items_.clear();
    idOf_.clear();
    listedAt_.clear();
    slotOf_.clear();
    texts_.clear();
    garbage_ = 0;
    dropOrders();
    loadNames(c, QStringLiteral("SELECT CatId, CatName FROM Category"), categories_, categoryOf_);
    loadNames(c, QStringLiteral("SELECT Id, Name FROM Units"), units_, unitOf_);
    const std::size_t count = std::size_t(c.scalar(QStringLiteral("SELECT count(*) FROM Item")).toInt64());
    items_.reserve(count);
    slotOf_.reserve(count);
    data::RowReader r(c, itemColumns);
    while (r.next()) {
        Item it;
        read(r, it);
        slotOf_[it.id] = std::uint32_t(items_.size());
        items_.push_back(it);
        noteSlot(std::uint32_t(items_.size() - 1));
    }
    loaded_ = true;
}

void ItemLists::refresh(data::Connection& c)
{
    // All three are taken every time, so that each knows where it stands.
    const data::RowChanges::Changed items = itemChanges_.take(c);
    const data::RowChanges::Changed categories = categoryChanges_.take(c);
    const data::RowChanges::Changed units = unitChanges_.take(c);
    if (!loaded_ || items.everything) {
        loadAll(c);
        return;
    }
    const bool namesChanged =
        categories.everything || !categories.rowids.empty() || units.everything || !units.rowids.empty();
    if (namesChanged) {
        // A few hundred rows at most: read again whole, and every item
        // joined afresh; the orders by their names are worked out anew.
        loadNames(c, QStringLiteral("SELECT CatId, CatName FROM Category"), categories_, categoryOf_);
        loadNames(c, QStringLiteral("SELECT Id, Name FROM Units"), units_, unitOf_);
        joinAll();
        built_[std::size_t(Order::CatName)] = false;
        built_[std::size_t(Order::UnitName)] = false;
    }
    if (!items.rowids.empty())
        mend(c, items.rowids);
}

void ItemLists::mend(data::Connection& c, const std::vector<std::int64_t>& rowids)
{
    const bool oneByOne = rowids.size() <= mendLimit;
    if (!oneByOne)
        dropOrders();
    for (std::size_t from = 0; from < rowids.size(); from += readChunk) {
        const std::size_t to = std::min(rowids.size(), from + readChunk);
        const std::vector<std::int64_t> chunk(rowids.begin() + std::ptrdiff_t(from),
                                              rowids.begin() + std::ptrdiff_t(to));
        QString sql = itemColumns + QStringLiteral(" WHERE ItemID IN (");
        for (std::size_t i = 0; i < chunk.size(); ++i)
            sql += i ? QStringLiteral(",?") : QStringLiteral("?");
        sql += QLatin1Char(')');
        std::vector<bool> found(chunk.size(), false);
        data::RowReader r(c, sql, chunk);
        while (r.next()) {
            const std::int64_t id = r.integer(0);
            found[std::size_t(std::lower_bound(chunk.begin(), chunk.end(), id) - chunk.begin())] = true;
            std::uint32_t slot = 0;
            if (const auto known = slotOf_.find(id); known != slotOf_.end()) {
                slot = known->second;
                if (oneByOne)
                    unplace(slot);
                Item& it = items_[slot];
                for (const Cell* cell : {&it.code, &it.name, &it.tu, &it.material, &it.qty})
                    release(*cell);
            } else {
                slot = std::uint32_t(items_.size());
                items_.emplace_back();
                slotOf_[id] = slot;
            }
            read(r, items_[slot]);
            noteSlot(slot);
            if (oneByOne)
                place(slot);
        }
        // Asked for and not found: deleted.
        for (std::size_t i = 0; i < chunk.size(); ++i) {
            if (found[i])
                continue;
            const auto known = slotOf_.find(chunk[i]);
            if (known == slotOf_.end())
                continue;
            if (oneByOne)
                unplace(known->second);
            Item& it = items_[known->second];
            for (const Cell* cell : {&it.code, &it.name, &it.tu, &it.material, &it.qty})
                release(*cell);
            it = Item();
            noteSlot(known->second);
            slotOf_.erase(known);
        }
    }
    if (garbage_ > (1u << 20) && garbage_ * 2 > texts_.size())
        compactTexts();
}

void ItemLists::dropOrders()
{
    for (std::size_t o = 0; o < orderCount; ++o) {
        built_[o] = false;
        orders_[o].clear();
        orders_[o].shrink_to_fit();
    }
}

void ItemLists::unplace(std::uint32_t slot)
{
    for (std::size_t o = 0; o < orderCount; ++o) {
        if (!built_[o])
            continue;
        std::vector<std::uint32_t>& v = orders_[o];
        const auto at = std::find(v.begin(), v.end(), slot);
        if (at != v.end())
            v.erase(at);
    }
}

void ItemLists::place(std::uint32_t slot)
{
    for (std::size_t o = 0; o < orderCount; ++o) {
        if (!built_[o])
            continue;
        std::vector<std::uint32_t>& v = orders_[o];
        const Order order = Order(o);
        const auto at = std::upper_bound(v.begin(), v.end(), slot,
                                         [this, order](std::uint32_t a, std::uint32_t b) { return less(order, a, b); });
        v.insert(at, slot);
    }
}

bool ItemLists::less(Order order, std::uint32_t sa, std::uint32_t sb) const
{
    const Item& a = items_[sa];
    const Item& b = items_[sb];
    const auto cells = [this](const Cell& x, const Cell& y, bool nocase) {
        return data::sqltext::compareValues(x.kind, x.kind == Kind::Number ? x.number : 0.0, bytes(x), y.kind,
                                            y.kind == Kind::Number ? y.number : 0.0, bytes(y), nocase);
    };
    const auto ranks = [](const std::vector<Named>& names, std::int32_t x, std::int32_t y) {
        const std::int32_t rx = x < 0 ? -1 : names[std::size_t(x)].rank;
        const std::int32_t ry = y < 0 ? -1 : names[std::size_t(y)].rank;
        return rx < ry ? -1 : (rx > ry ? 1 : 0);
    };
    int c = 0;
    switch (order) {
    case Order::ItemNumber:
        if (a.codeValueNull != b.codeValueNull)
            c = a.codeValueNull ? -1 : 1;
        else if (!a.codeValueNull && a.codeValue != b.codeValue)
            c = a.codeValue < b.codeValue ? -1 : 1;
        if (c == 0)
            c = cells(a.code, b.code, true);
        break;
    case Order::ItemCode: c = cells(a.code, b.code, true); break;
    case Order::ItemName: c = cells(a.name, b.name, true); break;
    case Order::TU: c = cells(a.tu, b.tu, true); break;
    case Order::Material: c = cells(a.material, b.material, false); break;
    case Order::Qty: c = cells(a.qty, b.qty, false); break;
    case Order::CatName: c = ranks(categories_, a.category, b.category); break;
    case Order::UnitName: c = ranks(units_, a.unit, b.unit); break;
    case Order::ItemID: break;
    }
    if (c != 0)
        return c < 0;
    return a.id < b.id;
}

std::uint64_t ItemLists::sortPrefix(Order order, const Item& it) const
{
    // The first bits of what less() compares, so that the sort settles most
    // pairs on one whole number: the kind of value in the top byte, then
    // the start of the value. Equal prefixes leave the pair to less().
    const auto number = [](double d) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(d);
        return (bits >> 63) ? ~bits : bits | (std::uint64_t(1) << 63);
    };
    const auto cell = [&](const Cell& c, bool nocase) {
        std::uint64_t v = 0;
        if (c.kind == Kind::Number) {
            v = number(c.number) >> 8;
        } else if (c.kind == Kind::Text || c.kind == Kind::Blob) {
            const std::string_view b = bytes(c);
            const bool folded = nocase && c.kind == Kind::Text;
            for (std::size_t i = 0; i < 7; ++i) {
                unsigned char ch = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
                // NOCASE compares no further than a NUL.
                if (folded && ch == 0)
                    break;
                if (folded && ch >= 'A' && ch <= 'Z')
                    ch = static_cast<unsigned char>(ch + 32);
                v |= std::uint64_t(ch) << (8 * (6 - i));
            }
        }
        return (std::uint64_t(c.kind) << 56) | v;
    };
    const auto rank = [](const std::vector<Named>& names, std::int32_t i) {
        return std::uint64_t(std::int64_t(i < 0 ? -1 : names[std::size_t(i)].rank) + 1);
    };
    switch (order) {
    case Order::ItemNumber: return it.codeValueNull ? 0 : number(it.codeValue);
    case Order::ItemCode: return cell(it.code, true);
    case Order::ItemName: return cell(it.name, true);
    case Order::TU: return cell(it.tu, true);
    case Order::Material: return cell(it.material, false);
    case Order::Qty: return cell(it.qty, false);
    case Order::CatName: return rank(categories_, it.category);
    case Order::UnitName: return rank(units_, it.unit);
    case Order::ItemID: return std::uint64_t(it.id) ^ (std::uint64_t(1) << 63);
    }
    return 0;
}

std::vector<std::uint32_t>& ItemLists::ordered(Order order)
{
    const std::size_t o = std::size_t(order);
    if (!built_[o]) {
        std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
        keyed.reserve(slotOf_.size());
        for (std::uint32_t s = 0; s < items_.size(); ++s)
            if (items_[s].live)
                keyed.emplace_back(sortPrefix(order, items_[s]), s);
        std::sort(keyed.begin(), keyed.end(), [this, order](const auto& a, const auto& b) {
            if (a.first != b.first)
                return a.first < b.first;
            return less(order, a.second, b.second);
        });
        std::vector<std::uint32_t>& v = orders_[o];
        v.clear();
        v.reserve(keyed.size());
        for (const auto& k : keyed)
            v.push_back(k.second);
        built_[o] = true;
    }
    return orders_[o];
}

std::vector<std::int64_t> ItemLists::keys(Order order, Field field, const QString& pattern)
{
    const std::vector<std::uint32_t>& v = ordered(order);
    std::vector<std::int64_t> out;
    if (field == Field::None) {
        out.reserve(v.size());
        for (std::uint32_t s : v)
            if (listedAt_[s])
                out.push_back(idOf_[s]);
        return out;
    }

    const data::sqltext::LikePattern like(pattern.toUtf8().toStdString());
    const auto matches = [this, &like](const Cell& cell) {
        return (cell.kind == Kind::Text || cell.kind == Kind::Blob) && like.matches(bytes(cell));
    };
    // Each category's name is tried once, not once per item.
    std::vector<char> categoryMatches;
    if (field == Field::All || field == Field::CatName) {
        categoryMatches.reserve(categories_.size());
        for (const Named& n : categories_)
            categoryMatches.push_back(n.kind != Kind::Null && like.matches(n.text));
    }
    // Every item tried in the order it is stored, then the hits taken in
    // the order asked for.
    std::vector<char> hit(items_.size(), 0);
    for (std::size_t s = 0; s < items_.size(); ++s) {
        if (!listedAt_[s])
            continue;
        const Item& it = items_[s];
        switch (field) {
        case Field::All: hit[s] = categoryMatches[std::size_t(it.category)] || matches(it.name); break;
        case Field::ItemName: hit[s] = matches(it.name); break;
        case Field::CatName: hit[s] = categoryMatches[std::size_t(it.category)]; break;
        case Field::ItemCode: hit[s] = matches(it.code); break;
        case Field::None: break;
        }
    }
    for (std::uint32_t s : v)
        if (hit[s])
            out.push_back(idOf_[s]);
    return out;
}

}  // namespace masters
