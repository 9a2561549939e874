#pragma once
// The rows the printed reports are made from: plain queries with bound
// values. Every join to a master table is an outer join, so an estimate
// whose customer was deleted, or a line whose takeoff name, unit or item
// was deleted, is still read, with its stored figures; the missing name
// reads as nothing. A stored state key is read as the state's name.

#include "data/connection.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace estimates::reportdata {

// The estimates report: one estimate with its customer's name.
struct EstimateRow {
    int orderNo = 0;
    QDate date;                       // invalid when no date is stored
    std::optional<QString> customer;  // nothing when the customer row is gone
    QString upsTracking;
    double total = 0;  // the final total; Null reads as 0
};

// Every estimate, by number; with both dates given, those dated from
// `from` to `to`, both days included.
std::vector<EstimateRow> estimates(data::Connection& c, const std::optional<QDate>& from = {},
                                   const std::optional<QDate>& to = {});

// The customers report: every column of a customer, Null as empty text.
struct CustomerRow {
    int custId = 0;
    QString name;
    QString street1, street2, city;
    QString state;  // the state's name; empty when none is stored or the key names no state
    QString zip, country, phone, fax, mobile, email, url, ccNo;
};

// Every customer, by name.
std::vector<CustomerRow> customers(data::Connection& c);

// The proposal's header: the estimate with its customer's name and its
// ship-to address.
struct ProposalHeader {
    int orderNo = 0;
    QDate date;
    int custId = 0;
    std::optional<QString> customer;
    QString sStreet1, sStreet2, sCity;
    QString sState;  // the state's name, empty as for a customer
    QString sZip, sCountry, sPhone, sMobile, sEmail;
    double amount = 0;    // as stored
    double tax = 0;       // percent
    double overhead = 0;  // percent
    double total = 0;     // as stored
};

// One line of the proposal, with the names of its takeoff name, unit and
// item (nothing for one that no longer exists).
struct ProposalLine {
    std::optional<QString> room;
    double qty = 0;
    std::optional<QString> unit;
    std::optional<QString> item;
    double material = 0;
    double labor = 0;
    double extension = 0;  // sub-labor
    double others = 0;
};

// Nothing when the estimate is not stored.
std::optional<ProposalHeader> proposalHeader(data::Connection& c, int orderNo);
// The estimate's lines in the order they were saved.
std::vector<ProposalLine> proposalLines(data::Connection& c, int orderNo);

}  // namespace estimates::reportdata
