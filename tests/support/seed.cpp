#include "seed.h"

namespace seed {

namespace {

int insert(data::Connection& db, const QString& sql, const data::Params& values)
{
    db.execute(sql, values);
    return int(db.lastInsertRowId());
}

}  // namespace

int addCategory(data::Connection& db, const QString& name, const data::DbValue& parent)
{
    return insert(db, QStringLiteral("INSERT INTO Category (CatName, ParentCategory) VALUES (?, ?)"), {name, parent});
}

int addCategory(data::Connection& db, int key, const QString& name, const data::DbValue& parent)
{
    return insert(db, QStringLiteral("INSERT INTO Category (CatId, CatName, ParentCategory) VALUES (?, ?, ?)"),
                  {key, name, parent});
}

int addName(data::Connection& db, const QString& table, const QString& name)
{
    return insert(db, QStringLiteral("INSERT INTO %1 (Name) VALUES (?)").arg(table), {name});
}

int addItem(data::Connection& db, const Item& i)
{
    return insert(
        db,
        QStringLiteral("INSERT INTO Item (ItemId, ItemCode, ItemName, CategoryID, UnitId, Material, Labor, "
                       "Qty, TU, SubLabor, Equipment) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {i.key, i.code, i.name, i.category, i.unit, i.material, i.labor, i.qty, i.tu, i.subLabor, i.equipment});
}

int addItem(data::Connection& db, const data::DbValue& code, const data::DbValue& name, int category, int unit,
            double material, double qty, const data::DbValue& tu)
{
    return addItem(db, {.code = code,
                        .name = name,
                        .category = category,
                        .unit = unit,
                        .material = material,
                        .labor = 0,
                        .qty = qty,
                        .tu = tu,
                        .subLabor = 0,
                        .equipment = 0});
}

int addCustomer(data::Connection& db, const Customer& c)
{
    return insert(db,
                  QStringLiteral("INSERT INTO Customer (CustId, CustName, BStreet1, BStreet2, BCity, BState, BZip, "
                                 "BCountry, BPhone, BFax, BMobile, BEmail, BUrl, BCCNo) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {c.key, c.name, c.street1, c.street2, c.city, c.state, c.zip, c.country, c.phone, c.fax, c.mobile,
                   c.email, c.url, c.card});
}

int addEstimate(data::Connection& db, const Estimate& e)
{
    return insert(db,
                  QStringLiteral("INSERT INTO OrderInfo (OrderNo, CustId, RepId, OrderDate, SStreet1, SStreet2, "
                                 "SCity, SState, SZip, SCountry, SPhone, SMobile, SEmail, ShipId, Amount, Tax, "
                                 "Total, UPSTracking, Notes, Overhead) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {e.number, e.customer, e.rep,     e.date,     e.street1, e.street2, e.city,
                   e.state,  e.zip,      e.country, e.phone,    e.mobile,  e.email,   e.ship,
                   e.amount, e.tax,      e.total,   e.tracking, e.notes,   e.overhead});
}

int addLine(data::Connection& db, const data::DbValue& number, const data::DbValue& item, const data::DbValue& qty,
            const data::DbValue& material, const data::DbValue& room, const data::DbValue& unit,
            const data::DbValue& extension, const data::DbValue& labor, const data::DbValue& others)
{
    return insert(db,
                  QStringLiteral("INSERT INTO OrderItem (OrderNo, ItemId, Qty, Material, RoomId, UnitId, Extension, "
                                 "Labor, Others) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {number, item, qty, material, room, unit, extension, labor, others});
}

Estimate plainEstimate(int number, int customer, const QString& date, const data::DbValue& amount,
                       const data::DbValue& total)
{
    const QString none = QStringLiteral("");
    return {.number = number,
            .customer = customer,
            .rep = 0,
            .date = date,
            .street1 = none,
            .street2 = none,
            .city = none,
            .state = 1,
            .zip = none,
            .country = none,
            .phone = none,
            .mobile = none,
            .email = none,
            .ship = 0,
            .amount = amount,
            .tax = 0,
            .total = total,
            .tracking = none,
            .notes = none,
            .overhead = 0};
}

}  // namespace seed
