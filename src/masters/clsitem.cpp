#include "clsitem.h"

#include "itemlists.h"

#include "data/recordset.h"
#include "data/rowreader.h"
#include "data/schemaupgrade.h"
#include "data/sqlnames.h"
#include "ui/platform.h"

#include <QHash>

namespace masters {

namespace {

const QString itemDetails = QStringLiteral("Item Details");
const QString inventory = QStringLiteral("Inventory");

const QString joinedSource =
    QStringLiteral(" FROM Item,Category,Units  where  Item.CategoryID = Category.CatId and Item.UnitId=Units.Id");

bool refuse(const QString& message, const QString& title)
{
    ui::msgBox(message, ui::Buttons::Ok, title);
    return false;
}

// The memory lists' order of each sort column of the joined lists.
ItemLists::Order orderOf(const QString& column)
{
    static const QHash<QString, ItemLists::Order> orders{{QStringLiteral("ItemCode"), ItemLists::Order::ItemCode},
                                                         {QStringLiteral("ItemName"), ItemLists::Order::ItemName},
                                                         {QStringLiteral("CatName"), ItemLists::Order::CatName},
                                                         {QStringLiteral("Material"), ItemLists::Order::Material},
                                                         {QStringLiteral("Qty"), ItemLists::Order::Qty},
                                                         {QStringLiteral("TU"), ItemLists::Order::TU},
                                                         {QStringLiteral("ItemID"), ItemLists::Order::ItemID},
                                                         {QStringLiteral("Name"), ItemLists::Order::UnitName}};
    return orders.value(column, ItemLists::Order::ItemID);
}

}  // namespace

ClsItem::ClsItem(int pageSize) : records::RecordClass(pageSize) {}

ClsItem::~ClsItem() = default;

const QStringList& ClsItem::listSortColumns()
{
    static const QStringList columns{QStringLiteral("ItemCode"), QStringLiteral("ItemName"), QStringLiteral("CatName"),
                                     QStringLiteral("Material"), QStringLiteral("Qty"),      QStringLiteral("TU"),
                                     QStringLiteral("ItemID"),   QStringLiteral("Name")};
    return columns;
}

const QStringList& ClsItem::searchColumns()
{
    static const QStringList columns{QStringLiteral("ItemName"), QStringLiteral("CatName"), QStringLiteral("ItemCode"),
                                     QStringLiteral("CategoryID")};
    return columns;
}

bool ClsItem::Validate()
{
    if (Itemcode.isEmpty())
        return refuse(QStringLiteral("Enter Item #"), itemDetails);
    if (Itemname.isEmpty())
        return refuse(QStringLiteral("Enter Item Description"), itemDetails);
    if (CategoryId == 0)
        return refuse(QStringLiteral("Please select category"), itemDetails);
    if (Material == 0)
        return refuse(QStringLiteral("Enter Material Cost"), itemDetails);
    if (qty == 0)
        return refuse(QStringLiteral("Enter Default Quantity"), itemDetails);
    if (AddEditDel != QLatin1String("A"))
        return true;

    // The item number takes no part: the same item under another number is
    // still the same item.
    const data::Recordset same = connection().query(
        QStringLiteral("Select * from Item where Itemname = ? and CategoryId = ? and Material = ? and Qty = ?"),
        {Itemname, CategoryId, Material, qty});
    if (!same.eof())
        return refuse(QStringLiteral("Duplicate Item Data "), inventory);
    return true;
}

bool ClsItem::Save()
{
    if (AddEditDel == QLatin1String("A")) {
        const int written = connection().execute(
            QStringLiteral(
                "Insert into Item (Itemcode, Itemname, CategoryID,UnitId,Material,Labor,Qty,TU,SubLabor,Equipment) "
                "values (?,?,?,?,?,?,?,?,?,?)"),
            {Itemcode, Itemname, CategoryId, UnitId, Material, Labor, qty, TU, SubLabor, Equipment});
        if (written > 0)
            itemid = int(connection().lastInsertRowId());
        return written > 0;
    }
    if (AddEditDel == QLatin1String("E")) {
        return connection().execute(
                   QStringLiteral(
                       "Update Item Set ItemCode = ?, Itemname = ?, CategoryID = ?, UnitId = ?, Material = ?, "
                       "Labor = ?, SubLabor = ?, Equipment = ?, Qty = ?, TU = ? where Itemid = ?"),
                   {Itemcode, Itemname, CategoryId, UnitId, Material, Labor, SubLabor, Equipment, qty, TU, itemid}) > 0;
    }
    return false;
}

void ClsItem::Delete()
{
    if (AddEditDel != QLatin1String("D"))
        return;
    connection().execute(QStringLiteral("DELETE FROM Item where ItemId = ?"), {itemid});
}

bool ClsItem::GetItem()
{
    const data::Recordset rs = connection().query(QStringLiteral("Select * from Item where ItemId = ?"), {itemid});
    if (rs.eof())
        return false;
    // Another tool may have left any column Null: it reads as 0 or "".
    Itemcode = rs[QStringLiteral("ItemCode")].toText();
    Itemname = rs[QStringLiteral("ItemName")].toText();
    CategoryId = rs[QStringLiteral("CategoryID")].toInt();
    UnitId = rs[QStringLiteral("UnitId")].toInt();
    Material = rs[QStringLiteral("Material")].toDouble();
    Labor = rs[QStringLiteral("Labor")].toDouble();
    SubLabor = rs[QStringLiteral("SubLabor")].toDouble();
    Equipment = rs[QStringLiteral("Equipment")].toDouble();
    qty = rs[QStringLiteral("Qty")].toDouble();
    TU = rs[QStringLiteral("TU")].toText();
    return true;
}

double ClsItem::Maxitemno()
{
    data::Connection& c = connection();
    ReadScope read(c);
    if (!lists().available(c)) {
        const data::DbValue top =
            c.scalar(QStringLiteral("Select max(cdbl(itemcode)) from Item where isnumeric(itemcode)"));
        return top.isNull() ? 1.0 : top.toDouble() + 1.0;
    }
    // Along the item-number index: the largest whole-digit number is the
    // first numeric one from the top; one of value 0 starts with "0"; the
    // numbers only val() can read are few and read whole.
    const QString key = QString::fromUtf8(data::itemNumberKey);
    std::optional<double> largest;
    const auto consider = [&largest](const data::DbValue& v) {
        if (!v.isNull())
            largest = largest ? std::max(*largest, v.toDouble()) : v.toDouble();
    };
    consider(c.scalar(QStringLiteral("SELECT cdbl(ItemCode) FROM Item WHERE %1 > 0 AND isnumeric(ItemCode) "
                                     "ORDER BY %1 DESC, ItemCode DESC LIMIT 1")
                          .arg(key)));
    if (!largest)
        consider(c.scalar(QStringLiteral("SELECT cdbl(ItemCode) FROM Item WHERE %1 = 0 AND ItemCode >= '0' AND "
                                         "ItemCode < '1' AND isnumeric(ItemCode) LIMIT 1")
                              .arg(key)));
    consider(c.scalar(QStringLiteral("SELECT max(cdbl(ItemCode)) FROM Item WHERE %1 IS NULL").arg(key)));
    return largest ? *largest + 1.0 : 1.0;
}

void ClsItem::updatePrice(const char* column, int key, double price, const QString& message)
{
    connection().execute(QStringLiteral("update Item set %1 = ? where Itemid = ?").arg(QLatin1String(column)),
                         {price, key});
    ui::msgBox(message, ui::Buttons::Ok, QString());
}

void ClsItem::Updatematerialprice(int key, double price)
{
    updatePrice("Material", key, price, QStringLiteral("Material price updated in master file"));
}

void ClsItem::Updatelabourprice(int key, double price)
{
    updatePrice("Labor", key, price, QStringLiteral("Labor price updated in master file"));
}

void ClsItem::UpdateSublabourprice(int key, double price)
{
    updatePrice("SubLabor", key, price, QStringLiteral("Sub-Labor price updated in master file"));
}

void ClsItem::UpdateEquipmentprice(int key, double price)
{
    updatePrice("Equipment", key, price, QStringLiteral("Equipment price updated in master file"));
}

std::optional<data::RowArray> ClsItem::GetAllItems(int& page, int& pageCount, const QString& sortColumn,
                                                   const QString& direction)
{
    static const QStringList columns{
        QStringLiteral("ItemId"), QStringLiteral("ItemCode"), QStringLiteral("ItemName"), QStringLiteral("CategoryID"),
        QStringLiteral("UnitId"), QStringLiteral("Material"), QStringLiteral("Labor"),    QStringLiteral("Qty"),
        QStringLiteral("TU"),     QStringLiteral("SubLabor"), QStringLiteral("Equipment")};
    PageQuery q;
    q.columns = QStringLiteral("Select *");
    q.source = QStringLiteral("  from Item");
    q.keyExpression = QStringLiteral("ItemId");
    q.keyColumn = QStringLiteral("ItemId");
    q.order = sortKeys(sortColumn, direction, columns, q.keyExpression);
    return pagedRows(q, page, pageCount);
}

void ClsItem::checkListState()
{
    // Any write through this program's handle counts in total_changes, a
    // commit by another program in data_version; either voids what the
    // lists learnt. The object's connection keeps the handle alive, so the
    // two numbers stay comparable for the object's life.
    const std::int64_t version = connection().scalar(QStringLiteral("PRAGMA data_version")).toInt64();
    const std::int64_t changes = connection().totalChanges();
    if (version != listState_.dataVersion || changes != listState_.changes) {
        listState_ = ListState();
        listState_.dataVersion = version;
        listState_.changes = changes;
    }
}

bool ClsItem::allJoined()
{
    if (listState_.allJoined)
        return *listState_.allJoined;
    data::Connection& c = connection();
    bool joined =
        c.scalar(QStringLiteral(
                     "SELECT count(*) FROM (SELECT 1 FROM Item WHERE CategoryID IS NULL OR UnitId IS NULL LIMIT 1)"))
            .toInt() == 0;
    // Each distinct key once, by seeking through the index, and whether its
    // row exists: a few hundred look-ups instead of one per item.
    const auto missing = [&c](const char* column, const char* table, const char* key) {
        const QString sql =
            QStringLiteral(
                "WITH RECURSIVE d(v) AS (SELECT (SELECT min(%1) FROM Item) UNION ALL "
                "SELECT (SELECT min(%1) FROM Item WHERE %1 > d.v) FROM d WHERE d.v IS NOT NULL) "
                "SELECT count(*) FROM d WHERE d.v IS NOT NULL AND NOT EXISTS (SELECT 1 FROM %2 WHERE %3 = d.v)")
                .arg(QLatin1String(column), QLatin1String(table), QLatin1String(key));
        return c.scalar(sql).toInt() > 0;
    };
    joined = joined && !missing("CategoryID", "Category", "CatId") && !missing("UnitId", "Units", "Id");
    listState_.allJoined = joined;
    return joined;
}

std::optional<data::RowArray> ClsItem::databaseList(const QString& columns, const QString& source, Filter filter,
                                                    const QString& filterColumn, int& page, int& pageCount,
                                                    const QString& sortColumn, const QString& direction, bool allowAll,
                                                    bool numericItemNumbers)
{
    ReadScope read(connection());
    checkListState();

    const QString pattern = SearchVal + QLatin1Char('%');
    PageQuery q;
    q.columns = columns;
    q.source = source;
    q.keyExpression = QStringLiteral("Item.ItemID");
    q.keyColumn = QStringLiteral("ItemID");
    q.allowAll = allowAll;
    q.order = sortKeys(sortColumn, direction, listSortColumns(), q.keyExpression);
    if (numericItemNumbers && sortColumn.compare(QLatin1String("itemcode"), Qt::CaseInsensitive) == 0) {
        const bool desc = descending(direction);
        q.order = {{QStringLiteral("val(Item.ItemCode)"), desc},
                   {QStringLiteral("Item.ItemCode"), desc},
                   {q.keyExpression, desc}};
    }

    // The statement's own filter, and the same filter in a form the indexes
    // serve (the category name through the category's key), for counting
    // and for finding the page's keys.
    QString condition;
    data::Params values;
    if (filter == Filter::All) {
        q.params = {pattern, pattern};
        condition = QStringLiteral(
            "(Item.ItemName like ? or Item.CategoryID IN (SELECT CatId FROM Category WHERE CatName like ?))");
        values = {pattern, pattern};
    } else if (filter == Filter::Column) {
        q.params = {pattern};
        condition = filterColumn == QLatin1String("CatName")
                        ? QStringLiteral("Item.CategoryID IN (SELECT CatId FROM Category WHERE CatName like ?)")
                        : QStringLiteral("Item.") + filterColumn + QStringLiteral(" like ?");
        values = {pattern};
    }

    if (allJoined()) {
        // Every item is listed, so the joins only matter where the sort
        // reads a joined name.
        const QString sortColumnName = q.order.first().expression;
        const bool withCategory = sortColumnName == QLatin1String("CatName");
        const bool withUnit = sortColumnName == QLatin1String("Name");
        QStringList where;
        if (withCategory)
            where << QStringLiteral("Item.CategoryID = Category.CatId");
        if (withUnit)
            where << QStringLiteral("Item.UnitId = Units.Id");
        if (!condition.isEmpty())
            where << condition;
        q.keySource = QStringLiteral(" FROM Item") + (withCategory ? QStringLiteral(", Category") : QString()) +
                      (withUnit ? QStringLiteral(", Units") : QString()) +
                      (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND ")));
        q.keyParams = values;
        q.countSql = condition.isEmpty() ? QStringLiteral("SELECT count(*) FROM Item")
                                         : QStringLiteral("SELECT count(*) FROM Item WHERE ") + condition;
        q.countParams = values;
    } else {
        q.keySource = joinedSource + (condition.isEmpty() ? QString() : QStringLiteral(" and ") + condition);
        q.keyParams = values;
        q.countSql = QStringLiteral("SELECT count(*)") + q.keySource;
        q.countParams = values;
    }

    if (filter != Filter::None)
        q.totalSql = QStringLiteral("SELECT count(*) FROM Item");
    return pagedRows(q, page, pageCount);
}

ItemLists& ClsItem::lists()
{
    if (!lists_)
        lists_ = std::make_unique<ItemLists>();
    return *lists_;
}

std::optional<data::RowArray> ClsItem::itemList(const QString& columns, const QString& source, Filter filter,
                                                const QString& filterColumn, int& page, int& pageCount,
                                                const QString& sortColumn, const QString& direction,
                                                bool numericItemNumbers, bool allowAll)
{
    if ((allowAll && page == -1) || filterColumn == QLatin1String("CategoryID"))
        return databaseList(columns, source, filter, filterColumn, page, pageCount, sortColumn, direction, allowAll,
                            numericItemNumbers);

    // By numeric value first ("9" before "10"), then as text.
    const bool byNumber = numericItemNumbers && sortColumn.compare(QLatin1String("itemcode"), Qt::CaseInsensitive) == 0;
    const ItemLists::Order order =
        byNumber ? ItemLists::Order::ItemNumber : orderOf(data::sql::checkedIdentifier(sortColumn, listSortColumns()));
    ItemLists::Field field = ItemLists::Field::None;
    if (filter == Filter::All) {
        field = ItemLists::Field::All;
    } else if (filter == Filter::Column) {
        field = filterColumn == QLatin1String("ItemName")  ? ItemLists::Field::ItemName
                : filterColumn == QLatin1String("CatName") ? ItemLists::Field::CatName
                                                           : ItemLists::Field::ItemCode;
    }

    ReadScope read(connection());
    // A database not yet brought up to date is listed by the statements alone.
    if (!lists().available(connection()))
        return databaseList(columns, source, filter, filterColumn, page, pageCount, sortColumn, direction, allowAll,
                            numericItemNumbers);
    // The typed text is a pattern: "%" and "_" in it stay wildcards.
    const std::optional<ItemLists::Page> keys =
        lists().page(connection(), order, descending(direction), field, SearchVal + QLatin1Char('%'), page, PageSize);
    if (!keys)
        return std::nullopt;

    // The page's rows come from the list's own statement, by key.
    data::Params params;
    if (filter == Filter::All)
        params = {SearchVal + QLatin1Char('%'), SearchVal + QLatin1Char('%')};
    else if (filter == Filter::Column)
        params = {SearchVal + QLatin1Char('%')};
    data::RowArray rows = rowsByKeys(columns + source, params, QStringLiteral("ItemID"), 0,
                                     std::vector<data::DbValue>(keys->keys.begin(), keys->keys.end()));
    page = keys->page;
    pageCount = keys->pages;
    RecordCount = keys->count;
    return rows;
}

std::optional<data::RowArray> ClsItem::GetAllItemsN(int& page, int& pageCount, const QString& sortColumn,
                                                    const QString& direction)
{
    return itemList(
        QStringLiteral(
            "SELECT Item.ItemID,Item.ItemName,Category.CatName,item.Material,Item.Qty,Item.Itemcode,Units.Name"),
        joinedSource, Filter::None, QString(), page, pageCount, sortColumn, direction, true, false);
}

std::optional<data::RowArray> ClsItem::GetAllReItemsN(int& page, int& pageCount, const QString& sortColumn,
                                                      const QString& direction)
{
    return itemList(
        QStringLiteral(
            "SELECT Item.ItemID,Item.ItemName,Category.CatName, item.Material,Item.Qty,Item.Itemcode,Units.Name"),
        QStringLiteral(" FROM Item,Category,Units  where  Item.CategoryID = Category.CatId  and Item.UnitId=Units.Id"),
        Filter::None, QString(), page, pageCount, sortColumn, direction, false, false);
}

std::optional<data::RowArray> ClsItem::GetSearchItems(int& page, int& pageCount, const QString& sortColumn,
                                                      const QString& direction)
{
    // The typed text is a pattern: "%" and "_" in it stay wildcards.
    if (SearchFld == QLatin1String("All")) {
        return itemList(QStringLiteral("SELECT Item.ItemID,Item.ItemName as  ItmName,Category.CatName as CatName, "
                                       "item.Material,Item.Qty,Item.Itemcode,Units.Name"),
                        joinedSource + QStringLiteral(" and  (ItemName like ? or CatName like ?) "), Filter::All,
                        QString(), page, pageCount, sortColumn, direction, false, true);
    }
    const QString column = data::sql::checkedIdentifier(SearchFld, searchColumns());
    return itemList(QStringLiteral("SELECT Item.ItemID,Item.ItemName as  ItmName,Category.CatName as "
                                   "CatName,item.Material,Item.Qty,Item.Itemcode,Units.Name"),
                    joinedSource + QStringLiteral(" and ") + column + QStringLiteral(" like ?"), Filter::Column, column,
                    page, pageCount, sortColumn, direction, false, true);
}

ClsItem::ItemNames ClsItem::GetCategoryItemNames(int categoryId)
{
    ItemNames out;
    data::RowReader r(connection(),
                      QStringLiteral("SELECT ItemID, ItemName FROM Item WHERE CategoryID = ? "
                                     "AND UnitId IN (SELECT Id FROM Units) ORDER BY ItemName, ItemID"),
                      data::Params{categoryId});
    while (r.next()) {
        out.keys.push_back(int(r.integer(0)));
        out.names.append(r.isNull(1) ? std::string_view() : r.bytes(1));
    }
    return out;
}

std::vector<int> ClsItem::GetCategoriesWithItems()
{
    std::vector<int> out;
    data::RowReader r(connection(), QStringLiteral("SELECT CatId FROM Category WHERE EXISTS (SELECT 1 FROM Item "
                                                   "WHERE Item.CategoryID = Category.CatId "
                                                   "AND Item.UnitId IN (SELECT Id FROM Units))"));
    while (r.next())
        out.push_back(int(r.integer(0)));
    return out;
}

}  // namespace masters
