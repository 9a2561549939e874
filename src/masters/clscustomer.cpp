#include "clscustomer.h"

#include "data/recordset.h"
#include "data/sqlnames.h"
#include "ui/platform.h"

namespace masters {

namespace {

const QString inventory = QStringLiteral("Inventory");

}  // namespace

const QStringList& ClsCustomer::sortColumns()
{
    static const QStringList columns{QStringLiteral("CustName"), QStringLiteral("BCity"), QStringLiteral("BPhone"),
                                     QStringLiteral("BEmail"),   QStringLiteral("BCCNo"), QStringLiteral("CustId")};
    return columns;
}

const QStringList& ClsCustomer::searchColumns()
{
    static const QStringList columns{QStringLiteral("CustName"), QStringLiteral("BCity"), QStringLiteral("BPhone"),
                                     QStringLiteral("BEmail"), QStringLiteral("BCCNo")};
    return columns;
}

bool ClsCustomer::Validate()
{
    if (CustName.isEmpty()) {
        ui::msgBox(QStringLiteral("Enter Customer Name"), ui::Buttons::Ok, inventory);
        return false;
    }
    if (AddEditDel != QLatin1String("A"))
        return true;
    // A stored Null equals nothing, so such a customer is never a duplicate.
    const data::Recordset same = connection().query(
        QStringLiteral("Select * from Customer where CustName = ? and BStreet1 = ? and BStreet2 = ? and BCity = ?"
                       " and BState = ? and BZip = ? and BCountry = ? and BPhone = ? and BFax = ? and BMobile = ?"
                       " and BEmail = ? and BUrl = ?"),
        {CustName, BStreet1, BStreet2, BCity, BState, BZip, BCountry, BPhone, BFax, BMobile, BEmail, BUrl});
    if (!same.eof()) {
        ui::msgBox(QStringLiteral("Duplicate Customer Data"), ui::Buttons::Ok, inventory);
        return false;
    }
    return true;
}

bool ClsCustomer::Save()
{
    if (AddEditDel == QLatin1String("A")) {
        const int written = connection().execute(
            QStringLiteral("Insert into Customer (CustName,BStreet1,BStreet2,BCity,BState,BZip,BCountry,BPhone,BFax,"
                           "BMobile,BEmail,BUrl) values (?,?,?,?,?,?,?,?,?,?,?,?)"),
            {CustName, BStreet1, BStreet2, BCity, BState, BZip, BCountry, BPhone, BFax, BMobile, BEmail, BUrl});
        if (written > 0)
            CustId = int(connection().lastInsertRowId());
        return written > 0;
    }
    if (AddEditDel == QLatin1String("E")) {
        return connection().execute(
                   QStringLiteral("Update Customer Set CustName = ?, BStreet1 = ?, BStreet2 = ?, BCity = ?, BState = ?,"
                                  " BZip = ?, BCountry = ?, BPhone = ?, BFax = ?, BMobile = ?, BEmail = ?, BUrl = ?"
                                  " where CustId = ?"),
                   {CustName, BStreet1, BStreet2, BCity, BState, BZip, BCountry, BPhone, BFax, BMobile, BEmail, BUrl,
                    CustId}) > 0;
    }
    return false;
}

void ClsCustomer::Delete()
{
    if (AddEditDel != QLatin1String("D"))
        return;
    connection().execute(QStringLiteral("DELETE FROM Customer where CustId = ?"), {CustId});
}

bool ClsCustomer::GetCustomer()
{
    const data::Recordset rs = connection().query(QStringLiteral("Select * from Customer where CustId = ?"), {CustId});
    if (rs.eof())
        return false;
    const auto text = [&rs](const char* column) { return rs[QLatin1String(column)].toText(); };
    CustName = text("CustName");
    BStreet1 = text("BStreet1");
    BStreet2 = text("BStreet2");
    BCity = text("BCity");
    BState = rs[QStringLiteral("BState")].toInt();
    BZip = text("BZip");
    BCountry = text("BCountry");
    BPhone = text("BPhone");
    BFax = text("BFax");
    BMobile = text("BMobile");
    BEmail = text("BEmail");
    BUrl = text("BUrl");
    return true;
}

std::optional<data::RowArray> ClsCustomer::customersPage(const QString& columns, const QString& source,
                                                         const data::Params& params, int& page, int& pageCount,
                                                         const QString& sortColumn, const QString& direction)
{
    PageQuery q;
    q.columns = columns;
    q.source = source;
    q.params = params;
    q.keyExpression = QStringLiteral("CustId");
    q.keyColumn = QStringLiteral("CustId");
    q.order = sortKeys(sortColumn, direction, sortColumns(), q.keyExpression);
    if (!params.empty())
        q.totalSql = QStringLiteral("SELECT count(*) FROM Customer");
    return pagedRows(q, page, pageCount);
}

std::optional<data::RowArray> ClsCustomer::GetAllCustomers(int& page, int& pageCount, const QString& sortColumn,
                                                           const QString& direction)
{
    return customersPage(QStringLiteral("Select CustId,CustName,BCity,BPhone,BEmail,BCCNo"),
                         QStringLiteral("  from Customer"), {}, page, pageCount, sortColumn, direction);
}

std::optional<data::RowArray> ClsCustomer::GetComboCustomers()
{
    return allRows(QStringLiteral("Select * from Customer order by CustName"));
}

std::optional<data::RowArray> ClsCustomer::GetComboState()
{
    return allRows(QStringLiteral("Select * from States order by StateName"));
}

std::optional<data::RowArray> ClsCustomer::GetSearchCustomers(int& page, int& pageCount, const QString& sortColumn,
                                                              const QString& direction)
{
    // The typed text is a pattern: "%" and "_" in it stay wildcards.
    const QString pattern = SearchVal + QLatin1Char('%');
    if (SearchFld == QLatin1String("All")) {
        return customersPage(QStringLiteral("SELECT CustId,CustName,BCity,BPhone,BEmail,BCCNo"),
                             QStringLiteral(" from Customer  where CustName like ? or BCity like ? "
                                            " or BPhone like ? or BEmail like ? "
                                            " or BCCNo like ? "),
                             {pattern, pattern, pattern, pattern, pattern}, page, pageCount, sortColumn, direction);
    }
    const QString column = data::sql::checkedIdentifier(SearchFld, searchColumns());
    return customersPage(QStringLiteral("SELECT CustId,CustName,BCity,BPhone,BEmail,BCCNo"),
                         QStringLiteral("  from Customer  where ") + column + QStringLiteral(" like ?"), {pattern},
                         page, pageCount, sortColumn, direction);
}

}  // namespace masters
