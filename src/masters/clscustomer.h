#pragma once
// One customer, and every statement on the tables Customer and States.

#include "records/recordclass.h"

#include <QDate>

namespace masters {

class ClsCustomer : public records::RecordClass {
public:
    using records::RecordClass::RecordClass;

    int CustId = 0;
    QString CustName;
    QString BStreet1;
    QString BStreet2;
    QString BCity;
    int BState = 0;  // key of a States row, 0 for none
    QString BZip;
    QString BCountry;
    QString BPhone;
    QString BFax;
    QString BMobile;
    QString BEmail;
    QString BUrl;
    QString BCCNo;      // held for the dialog; never loaded or stored
    QDate ExpDate;      // likewise
    QString SearchFld;  // "All", or the column GetSearchCustomers matches
    QString SearchVal;  // the text that column starts with

    // A name; in mode "A" no customer equal in all twelve stored fields.
    // Failures show their message (title "Inventory") and give false.
    bool Validate();
    // Inserts (mode "A", CustId then holds the new key) or updates (mode
    // "E"); true when a row was written. No message: the caller reports.
    bool Save();
    // Deletes the customer of CustId in mode "D" only.
    void Delete();
    // Loads the customer of CustId; false (and nothing changed) when there is none.
    bool GetCustomer();
    // Pages of customers: key, name, city, phone, e-mail, card number.
    std::optional<data::RowArray> GetAllCustomers(int& page, int& pageCount, const QString& sortColumn,
                                                  const QString& direction);
    // Every customer by name, or nothing.
    std::optional<data::RowArray> GetComboCustomers();
    // Every state by name (key, name), or nothing.
    std::optional<data::RowArray> GetComboState();
    // As GetAllCustomers, for the customers whose SearchFld starts with
    // SearchVal ("All": name, city, phone, e-mail or card number does).
    std::optional<data::RowArray> GetSearchCustomers(int& page, int& pageCount, const QString& sortColumn,
                                                     const QString& direction);

    static const QStringList& sortColumns();
    static const QStringList& searchColumns();

private:
    std::optional<data::RowArray> customersPage(const QString& columns, const QString& source,
                                                const data::Params& params, int& page, int& pageCount,
                                                const QString& sortColumn, const QString& direction);
};

}  // namespace masters
