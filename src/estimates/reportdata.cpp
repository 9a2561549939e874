#include "reportdata.h"

#include "data/recordset.h"
#include "data/sqlnames.h"

namespace estimates::reportdata {

namespace {

// Dates are stored as ISO text; anything else reads as no date.
QDate storedDate(const data::DbValue& v) { return QDate::fromString(v.toText().trimmed().left(10), Qt::ISODate); }

std::optional<QString> name(const data::DbValue& v)
{
    if (v.isNull())
        return std::nullopt;
    return v.toText();
}

QString isoText(const QDate& d) { return data::sql::isoDate(d.year(), d.month(), d.day()); }

}  // namespace

std::vector<EstimateRow> estimates(data::Connection& c, const std::optional<QDate>& from,
                                   const std::optional<QDate>& to)
{
    QString sql = QStringLiteral(
        "SELECT OrderInfo.OrderNo, OrderInfo.OrderDate, Customer.CustName, OrderInfo.UPSTracking, OrderInfo.Total"
        " FROM OrderInfo left join Customer on OrderInfo.CustId = Customer.CustId");
    data::Params params;
    if (from && to) {
        // The date part of the stored text, so that a stored time of day
        // cannot push the last day out of the range.
        sql += QStringLiteral(" WHERE substr(OrderInfo.OrderDate, 1, 10) BETWEEN ? AND ?");
        params = {isoText(*from), isoText(*to)};
    }
    sql += QStringLiteral(" ORDER BY OrderInfo.OrderNo");

    const data::Recordset rs = c.query(sql, params);
    const data::RowArray& r = rs.rows();
    std::vector<EstimateRow> out;
    out.reserve(std::size_t(r.rowCount()));
    for (int i = 0; i < r.rowCount(); ++i) {
        EstimateRow row;
        row.orderNo = r(0, i).toInt();
        row.date = storedDate(r(1, i));
        row.customer = name(r(2, i));
        row.upsTracking = r(3, i).toText();
        row.total = r(4, i).toDouble();
        out.push_back(std::move(row));
    }
    return out;
}

std::vector<CustomerRow> customers(data::Connection& c)
{
    const data::Recordset rs = c.query(QStringLiteral(
        "SELECT Customer.CustId, Customer.CustName, Customer.BStreet1, Customer.BStreet2, Customer.BCity,"
        " States.StateName, Customer.BZip, Customer.BCountry, Customer.BPhone, Customer.BFax, Customer.BMobile,"
        " Customer.BEmail, Customer.BUrl, Customer.BCCNo"
        " FROM Customer left join States on Customer.BState = States.StateId"
        " ORDER BY Customer.CustName, Customer.CustId"));
    const data::RowArray& r = rs.rows();
    std::vector<CustomerRow> out;
    out.reserve(std::size_t(r.rowCount()));
    for (int i = 0; i < r.rowCount(); ++i) {
        CustomerRow row;
        row.custId = r(0, i).toInt();
        row.name = r(1, i).toText();
        row.street1 = r(2, i).toText();
        row.street2 = r(3, i).toText();
        row.city = r(4, i).toText();
        row.state = r(5, i).toText();
        row.zip = r(6, i).toText();
        row.country = r(7, i).toText();
        row.phone = r(8, i).toText();
        row.fax = r(9, i).toText();
        row.mobile = r(10, i).toText();
        row.email = r(11, i).toText();
        row.url = r(12, i).toText();
        row.ccNo = r(13, i).toText();
        out.push_back(std::move(row));
    }
    return out;
}

std::optional<ProposalHeader> proposalHeader(data::Connection& c, int orderNo)
{
    const data::Recordset rs = c.query(
        QStringLiteral("SELECT OrderInfo.OrderNo, OrderInfo.OrderDate, OrderInfo.CustId, Customer.CustName,"
                       " OrderInfo.SStreet1, OrderInfo.SStreet2, OrderInfo.SCity, States.StateName, OrderInfo.SZip,"
                       " OrderInfo.SCountry, OrderInfo.SPhone, OrderInfo.SMobile, OrderInfo.SEmail,"
                       " OrderInfo.Amount, OrderInfo.Tax, OrderInfo.Overhead, OrderInfo.Total"
                       " FROM OrderInfo left join Customer on OrderInfo.CustId = Customer.CustId"
                       " left join States on OrderInfo.SState = States.StateId"
                       " WHERE OrderInfo.OrderNo = ?"),
        {orderNo});
    if (rs.eof())
        return std::nullopt;
    ProposalHeader h;
    h.orderNo = rs.value(0).toInt();
    h.date = storedDate(rs.value(1));
    h.custId = rs.value(2).toInt();
    h.customer = name(rs.value(3));
    h.sStreet1 = rs.value(4).toText();
    h.sStreet2 = rs.value(5).toText();
    h.sCity = rs.value(6).toText();
    h.sState = rs.value(7).toText();
    h.sZip = rs.value(8).toText();
    h.sCountry = rs.value(9).toText();
    h.sPhone = rs.value(10).toText();
    h.sMobile = rs.value(11).toText();
    h.sEmail = rs.value(12).toText();
    h.amount = rs.value(13).toDouble();
    h.tax = rs.value(14).toDouble();
    h.overhead = rs.value(15).toDouble();
    h.total = rs.value(16).toDouble();
    return h;
}

std::vector<ProposalLine> proposalLines(data::Connection& c, int orderNo)
{
    const data::Recordset rs =
        c.query(QStringLiteral("SELECT Rooms.Name, OrderItem.Qty, Units.Name, Item.ItemName, OrderItem.Material,"
                               " OrderItem.Labor, OrderItem.Extension, OrderItem.Others"
                               " FROM OrderItem"
                               " left join Rooms on OrderItem.RoomId = Rooms.Id"
                               " left join Units on OrderItem.UnitId = Units.Id"
                               " left join Item on OrderItem.ItemId = Item.ItemId"
                               " WHERE OrderItem.OrderNo = ? ORDER BY OrderItem.rowid"),
                {orderNo});
    const data::RowArray& r = rs.rows();
    std::vector<ProposalLine> out;
    out.reserve(std::size_t(r.rowCount()));
    for (int i = 0; i < r.rowCount(); ++i) {
        ProposalLine l;
        l.room = name(r(0, i));
        l.qty = r(1, i).toDouble();
        l.unit = name(r(2, i));
        l.item = name(r(3, i));
        l.material = r(4, i).toDouble();
        l.labor = r(5, i).toDouble();
        l.extension = r(6, i).toDouble();
        l.others = r(7, i).toDouble();  // a Null reads as 0, as the lines load
        out.push_back(l);
    }
    return out;
}

}  // namespace estimates::reportdata
