#pragma once
// One estimate: its header, its lines, and every statement on the tables
// OrderInfo and OrderItem, with the lookups the estimate screens fill their
// lists from (states, takeoff names, units, items, customers, tax rates,
// representatives, shipping media).

#include "colnorderitems.h"
#include "data/textlist.h"
#include "records/recordclass.h"

#include <QDate>
#include <array>
#include <functional>
#include <memory>

namespace estimates {

class ClsOrder : public records::RecordClass {
public:
    explicit ClsOrder(int pageSize = defaultPageSize);
    ~ClsOrder() override;

    int OrderNo = 0;  // the key of Save, Delete and GetOrder
    int CustId = 0;
    int RepId = 0;    // no screen offers these three; they are written
    int ShipId = 0;   // back as they were loaded (0, 0 and empty when new)
    QDate OrderDate;  // no date until set or cleared
    QString SStreet1;
    QString SStreet2;
    QString SCity;
    int SState = 0;
    QString SZip;
    QString SCountry;
    QString SPhone;
    QString SMobile;
    QString SEmail;
    QString UPSTracking;
    QString Notes;
    double Amount = 0;    // sum of the line totals
    double Tax = 0;       // percent of Amount
    double Overhead = 0;  // percent of Amount
    double Total = 0;
    QString SearchFld;  // GetSearchOrders: "OrderNo" or "CustName";
                        // GetSearchCustomers: a customer column or "All"
    QString SearchVal;  // the text searched for; % and _ are wildcards
    // AddEditDel (records::RecordClass): "D" arms Delete. Save does not read it.

    // Run at the end of a GetOrder that found the estimate: the estimate
    // screen sets it to show itself. Unset, nothing is shown.
    std::function<void()> onLoaded;

    // The lines, made on first use.
    estimates::ColnOrderItems& ColnOrderItems();
    // The same lines, for one who shows them (the estimate screen's list).
    // Clearing or loading the record starts it a new collection: the holder
    // keeps what it shows, whoever loads into the record next.
    std::shared_ptr<estimates::ColnOrderItems> sharedLines();
    // Puts other lines in place of the current ones.
    void setColnOrderItems(std::shared_ptr<estimates::ColnOrderItems> lines);

    // Number, customer, at least one line, in that order; the first that
    // fails shows its message (title "Estimate") and gives false.
    bool Validate();

    // Writes the estimate by the mode of the estimate screen as it was when
    // the screen loaded: "A" inserts it, "E" replaces the stored one (header
    // and all lines); any other mode writes nothing. Everything happens in
    // one transaction or not at all. False, with a message, when nothing
    // was written: a number already stored ("A"), a number no longer stored
    // ("E"), an amount that is not finite or out of range, no date, or a
    // database failure. Shows nothing on success.
    bool Save(const QString& screenMode);

    // In mode "D" only, removes the estimate of OrderNo with its lines in
    // one transaction. False when the mode is another, when the estimate
    // is not stored (with a message), or when the database fails (with a
    // message); nothing is removed then.
    bool Delete();

    // One page of estimates: number, date (ISO text), customer name (Null
    // when the customer row is gone), tracking text, total, overhead, tax;
    // those whose SearchFld contains SearchVal. Nothing when none matches
    // (page, pageCount and RecordCount then stay). Paged as
    // records::RecordClass::pagedRows.
    std::optional<data::RowArray> GetSearchOrders(int& page, int& pageCount, const QString& sortColumn,
                                                  const QString& direction);

    // Clears the object, then loads the estimate of OrderNo with its lines
    // in the order they were saved and runs onLoaded. When it is not stored:
    // "Estimate not found corresponding to entered Estimate Number" (title
    // "Search Estimate"), the object stays cleared, and false.
    bool GetOrder();

    // Resets the estimate in memory: header fields empty or 0, the date
    // today, no lines (a new collection; see sharedLines). OrderNo, the
    // paging and search fields and AddEditDel keep their values.
    void ClearData();
    // The reset after a save: as ClearData but OrderNo becomes 0 too, and
    // RepId, ShipId, Amount, Tax, Overhead and Total keep their values.
    void ClearClass();

    // Pages of customers: key, name, city, phone, e-mail, card number.
    std::optional<data::RowArray> GetAllCustomers(int& page, int& pageCount, const QString& sortColumn,
                                                  const QString& direction);
    // The tax rate of a state key; 0 when the key is Null or empty text, when
    // the state has no rate, or when the rate is Null.
    double GetTaxRate(const data::DbValue& stateKey);
    // The largest stored estimate number plus 1, or 1 when none is stored;
    // 0 when the largest number leaves no room for another.
    int GetNextOrderNo();

    // Every row of a lookup table, or nothing when the table is empty.
    std::optional<data::RowArray> GetComboRep();    // Representatives by RepName
    std::optional<data::RowArray> GetComboShip();   // Ship by ShippingMedia
    std::optional<data::RowArray> GetComboState();  // States (key, name) by name
    std::optional<data::RowArray> GetComboRooms();  // takeoff names (Id, Name) by name
    std::optional<data::RowArray> GetComboUnits();  // units (Id, Name) by name

    // Customers whose SearchFld starts with SearchVal ("All": whose name,
    // city, phone, e-mail or card number does), paged as GetAllCustomers.
    std::optional<data::RowArray> GetSearchCustomers(int& page, int& pageCount, const QString& sortColumn,
                                                     const QString& direction);

    // The names GetSearchOrders accepts as SearchFld and as sort column.
    static const QStringList& searchColumns();
    static const QStringList& sortColumns();

private:
    bool storable();
    void dropLines();
    void clearShipTo();
    std::shared_ptr<estimates::ColnOrderItems> lines_;
};

}  // namespace estimates
