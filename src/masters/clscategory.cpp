#include "clscategory.h"

#include "data/recordset.h"
#include "ui/platform.h"

namespace masters {

namespace {

const QString inventory = QStringLiteral("Inventory");

const QString categoryById = QStringLiteral("Select * from Category where CatId = ?");

}  // namespace

const QStringList& clsCategory::sortColumns()
{
    static const QStringList columns{QStringLiteral("CatName"), QStringLiteral("totitm"),
                                     QStringLiteral("ParentCategory"), QStringLiteral("CatId")};
    return columns;
}

bool clsCategory::parentWouldCycle() { return Hierarchy().wouldLoop(Catid, ParentCategory); }

const CategoryTree& clsCategory::Hierarchy()
{
    const data::RowChanges::Changed changed = hierarchyChanges_.take(connection());
    if (changed.everything || !changed.rowids.empty()) {
        const data::RowArray r =
            connection()
                .query(QStringLiteral("Select CatId, CatName, ParentCategory from Category order by CatName, CatId"))
                .rows();
        std::vector<CategoryRow> rows;
        rows.reserve(std::size_t(r.rowCount()));
        // A Null parent reads as 0: top level.
        for (int i = 0; i < r.rowCount(); ++i)
            rows.push_back({r.at(0, i).toInt(), r.at(1, i).toText(), r.at(2, i).toInt()});
        hierarchy_ = CategoryTree(std::move(rows));
    }
    return hierarchy_;
}

bool clsCategory::Validate()
{
    if (Catname.isEmpty()) {
        ui::msgBox(QStringLiteral("Empty Data"), ui::Buttons::Ok, inventory);
        return false;
    }
    if (AddEditDel == QLatin1String("A")) {
        const data::Recordset same =
            connection().query(QStringLiteral("Select * from Category where Catname = ?"), {Catname});
        if (!same.eof()) {
            ui::msgBox(QStringLiteral("Duplicate Data"), ui::Buttons::Ok, inventory);
            return false;
        }
        return true;
    }
    // A category under itself or under one of its own descendants would
    // leave the tree, and its items with it.
    if (AddEditDel == QLatin1String("E") && parentWouldCycle()) {
        ui::msgBox(QStringLiteral("Invalid Parent Category"), ui::Buttons::Ok, inventory);
        return false;
    }
    return true;
}

bool clsCategory::Save()
{
    if (AddEditDel == QLatin1String("A")) {
        const int written = connection().execute(
            QStringLiteral("Insert into Category (Catname,ParentCategory) values (?,?)"), {Catname, ParentCategory});
        if (written > 0)
            Catid = int(connection().lastInsertRowId());
        return written > 0;
    }
    if (AddEditDel == QLatin1String("E")) {
        return connection().execute(
                   QStringLiteral("Update Category Set Catname = ?,ParentCategory = ? where Catid = ?"),
                   {Catname, ParentCategory, Catid}) > 0;
    }
    return false;
}

void clsCategory::Delete()
{
    if (AddEditDel != QLatin1String("D"))
        return;
    connection().execute(QStringLiteral("DELETE FROM Category where CatId = ?"), {Catid});
}

QString clsCategory::GetCatg()
{
    const data::Recordset rs = connection().query(categoryById, {Catid});
    if (rs.eof()) {
        Catname.clear();
        ParentCategory = 0;
        return QString();
    }
    Catname = rs[QStringLiteral("CatName")].toText();
    ParentCategory = rs[QStringLiteral("ParentCategory")].toInt();
    return Catname;
}

QString clsCategory::GetParentName(int key)
{
    // Three ancestors at most; a loop is followed round, so a category that
    // is its own parent names itself three times.
    const CategoryTree& tree = Hierarchy();
    QString path;
    for (int row : tree.ancestors(key, 3)) {
        if (!path.isEmpty())
            path += QStringLiteral(" <- ");
        path += tree.rows()[std::size_t(row)].name;
    }
    return path.isEmpty() ? path : QStringLiteral(" (") + path + QLatin1Char(')');
}

std::optional<data::RowArray> clsCategory::categoriesPage(const QString& source, const data::Params& params, int& page,
                                                          int& pageCount, const QString& sortColumn,
                                                          const QString& direction, bool allowAll)
{
    PageQuery q;
    q.columns = QStringLiteral("Select *");
    q.source = source;
    q.params = params;
    q.keyExpression = QStringLiteral("CatId");
    q.keyColumn = QStringLiteral("CatId");
    q.allowAll = allowAll;
    q.order = sortKeys(sortColumn, direction, sortColumns(), q.keyExpression);
    if (!params.empty())
        q.totalSql = QStringLiteral("SELECT count(*) FROM Category");
    return pagedRows(q, page, pageCount);
}

std::optional<data::RowArray> clsCategory::GetAllCategories(int& page, int& pageCount, const QString& sortColumn,
                                                            const QString& direction)
{
    return categoriesPage(QStringLiteral(" from Categories "), {}, page, pageCount, sortColumn, direction, true);
}

std::optional<data::RowArray> clsCategory::GetComboCategories()
{
    return allRows(QStringLiteral("Select * from Category order by CatName"));
}

std::optional<data::RowArray> clsCategory::GetSearchCategories(int& page, int& pageCount, const QString& sortColumn,
                                                               const QString& direction)
{
    return categoriesPage(QStringLiteral(" from Categories where Catname like ? "), {Catname + QLatin1Char('%')}, page,
                          pageCount, sortColumn, direction, false);
}

int clsCategory::GetTotalItems()
{
    return connection().scalar(QStringLiteral("Select count(ItemId) from Item where CategoryId = ?"), {Catid}).toInt();
}

}  // namespace masters
