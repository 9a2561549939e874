#include "clsmaster.h"

#include "data/recordset.h"
#include "data/sqlnames.h"
#include "ui/platform.h"

#include <algorithm>

namespace masters {

namespace {

const QString masterEntry = QStringLiteral("Master Entry");

// Name order, made total by the key so that positions are stable.
const QString nameOrder = QStringLiteral(" order by Name, Id");

}  // namespace

const QStringList& clsMaster::tables()
{
    static const QStringList names{QStringLiteral("Rooms"), QStringLiteral("Units")};
    return names;
}

QString clsMaster::table() const { return data::sql::checkedIdentifier(Mastertable, tables()); }

int clsMaster::rowCount() { return connection().scalar(QStringLiteral("SELECT count(*) FROM ") + table()).toInt(); }

int clsMaster::positionOf(int id)
{
    return connection()
        .scalar(QStringLiteral("SELECT p FROM (SELECT Id, row_number() OVER (ORDER BY Name, Id) AS p FROM ") + table() +
                    QStringLiteral(") WHERE Id = ?"),
                {id})
        .toInt();
}

bool clsMaster::Validate()
{
    if (Name.isEmpty()) {
        ui::msgBox(QStringLiteral("Empty Data"), ui::Buttons::Ok, masterEntry);
        return false;
    }
    if (AddEditDel != QLatin1String("A"))
        return true;
    const data::Recordset same =
        connection().query(QStringLiteral("Select * from ") + table() + QStringLiteral(" where Name = ?"), {Name});
    if (!same.eof()) {
        ui::msgBox(QStringLiteral("Duplicate Data '") + Name + QLatin1Char('\''), ui::Buttons::Ok, masterEntry);
        return false;
    }
    return true;
}

bool clsMaster::Save()
{
    int written = 0;
    if (AddEditDel == QLatin1String("A")) {
        written = connection().execute(QStringLiteral("Insert into ") + table() + QStringLiteral(" (Name) values (?)"),
                                       {Name});
        // The new row becomes the current one, so that a second Apply
        // renames it and not the row shown before.
        if (written > 0)
            Id = int(connection().lastInsertRowId());
    } else if (AddEditDel == QLatin1String("E")) {
        written = connection().execute(
            QStringLiteral("Update ") + table() + QStringLiteral(" Set Name = ? where Id = ?"), {Name, Id});
        // Apply while browsing renames the record shown; with none shown (an
        // empty list, or a record deleted elsewhere) the user must hear why
        // the name went nowhere.
        if (written <= 0) {
            ui::msgBox(QStringLiteral("Nothing was saved: there is no record shown to change. To add a new "
                                      "name, press 'Add', type the name and press 'Apply'."),
                       ui::Buttons::Ok, masterEntry);
            return false;
        }
    } else {
        return false;
    }
    if (written <= 0)
        return false;
    Position = positionOf(Id);
    RecordCount = rowCount();
    ui::msgBox(QStringLiteral("Record Saved"), ui::Buttons::Ok, masterEntry);
    return true;
}

void clsMaster::Delete()
{
    if (AddEditDel != QLatin1String("D"))
        return;
    connection().execute(QStringLiteral("DELETE FROM ") + table() + QStringLiteral(" where Id = ?"), {Id});
}

QString clsMaster::GetCatg()
{
    const data::Recordset rs =
        connection().query(QStringLiteral("Select * from ") + table() + QStringLiteral(" where Id = ?"), {Id});
    if (rs.eof())
        return QString();
    Name = rs[QStringLiteral("Name")].toText();
    return Name;
}

std::optional<int> clsMaster::GetRecord(std::optional<int> position)
{
    data::Connection& c = connection();
    ReadScope read(c);
    const int count = rowCount();
    if (count == 0)
        return std::nullopt;
    const int at = std::clamp(position.value_or(1), 1, count);
    const data::Recordset rs =
        c.query(QStringLiteral("Select * from ") + table() + nameOrder + QStringLiteral(" LIMIT 1 OFFSET ?"), {at - 1});
    if (rs.eof())
        return std::nullopt;
    RecordCount = count;
    Id = rs[QStringLiteral("Id")].toInt();
    Name = rs[QStringLiteral("Name")].toText();
    Position = at;
    return at;
}

std::optional<data::RowArray> clsMaster::namesPage(const QString& source, const data::Params& params, int& page,
                                                   int& pageCount, const QString& sortColumn, const QString& direction)
{
    static const QStringList columns{QStringLiteral("Id"), QStringLiteral("Name")};
    PageQuery q;
    q.columns = QStringLiteral("Select *");
    q.source = source;
    q.params = params;
    q.keyExpression = QStringLiteral("Id");
    q.keyColumn = QStringLiteral("Id");
    q.order = sortKeys(sortColumn, direction, columns, q.keyExpression);
    if (!params.empty())
        q.totalSql = QStringLiteral("SELECT count(*) FROM ") + table();
    return pagedRows(q, page, pageCount);
}

std::optional<data::RowArray> clsMaster::GetAllCategories(int& page, int& pageCount, const QString& sortColumn,
                                                          const QString& direction)
{
    return namesPage(QStringLiteral(" from ") + table(), {}, page, pageCount, sortColumn, direction);
}

std::optional<data::RowArray> clsMaster::GetComboCategories()
{
    return allRows(QStringLiteral("Select * from ") + table() + QStringLiteral(" order by Name"));
}

std::optional<data::RowArray> clsMaster::GetSearchCategories(int& page, int& pageCount, const QString& sortColumn,
                                                             const QString& direction)
{
    auto rows = namesPage(QStringLiteral(" from ") + table() + QStringLiteral(" where Name like ? "),
                          {QLatin1Char('%') + Name + QLatin1Char('%')}, page, pageCount, sortColumn, direction);
    if (!rows)
        ui::msgBox(QStringLiteral("No Result found."), ui::Buttons::Ok, QStringLiteral("Search"));
    return rows;
}

std::optional<int> clsMaster::GetCategory(const QString& text)
{
    {
        ReadScope read(connection());
        const data::Recordset first =
            connection().query(QStringLiteral("select * from ") + table() + QStringLiteral(" where Name like ? ") +
                                   nameOrder + QStringLiteral(" LIMIT 1"),
                               {QLatin1Char('%') + text + QLatin1Char('%')});
        if (!first.eof()) {
            Id = first[QStringLiteral("Id")].toInt();
            Name = first[QStringLiteral("Name")].toText();
            Position = positionOf(Id);
            RecordCount = rowCount();
            return Position;
        }
    }
    // Outside the read: the box waits for the user.
    ui::msgBox(QStringLiteral("No Result found."), ui::Buttons::Ok, QStringLiteral("Search"));
    return std::nullopt;
}

}  // namespace masters
