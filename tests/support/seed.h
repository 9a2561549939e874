#pragma once
// Rows for a test's database, written straight into the tables as another
// session of the program would have left them. Each builder gives the new
// row's key (the rowid of an estimate line); a column not given stays Null
// (the tables have no defaults).

#include "data/connection.h"

namespace seed {

// A category under `parent` (0: at the top).
int addCategory(data::Connection& db, const QString& name, const data::DbValue& parent = 0);
// The same under a key of the test's choosing.
int addCategory(data::Connection& db, int key, const QString& name, const data::DbValue& parent);

// A row of a name list: "Units", "Rooms" (the takeoff names) and the like.
int addName(data::Connection& db, const QString& table, const QString& name);
inline int addUnit(data::Connection& db, const QString& name) { return addName(db, QStringLiteral("Units"), name); }

struct Item {
    data::DbValue key{};  // Null: the next free one
    data::DbValue code{}, name{}, category{}, unit{}, material{}, labor{}, qty{}, tu{}, subLabor{}, equipment{};
};
int addItem(data::Connection& db, const Item& item);
// An item without labour, sub-labour or equipment costs.
int addItem(data::Connection& db, const data::DbValue& code, const data::DbValue& name, int category, int unit,
            double material = 1, double qty = 1, const data::DbValue& tu = QString());

struct Customer {
    data::DbValue key{};  // Null: the next free one
    data::DbValue name{}, street1{}, street2{}, city{}, state{}, zip{}, country{}, phone{}, fax{}, mobile{}, email{},
        url{}, card{};
};
int addCustomer(data::Connection& db, const Customer& customer);

// An estimate's header; its number is its key.
struct Estimate {
    data::DbValue number{}, customer{}, rep{}, date{}, street1{}, street2{}, city{}, state{}, zip{}, country{}, phone{},
        mobile{}, email{}, ship{}, amount{}, tax{}, total{}, tracking{}, notes{}, overhead{};
};
int addEstimate(data::Connection& db, const Estimate& estimate);
// An estimate whose address and other texts are empty (not Null), state 1,
// no tax or overhead.
Estimate plainEstimate(int number, int customer, const QString& date, const data::DbValue& amount,
                       const data::DbValue& total);
// One line of estimate `number`, its figures in the table's order.
int addLine(data::Connection& db, const data::DbValue& number, const data::DbValue& item, const data::DbValue& qty,
            const data::DbValue& material, const data::DbValue& room, const data::DbValue& unit,
            const data::DbValue& extension, const data::DbValue& labor, const data::DbValue& others);

}  // namespace seed
