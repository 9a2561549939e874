#include "clsorder.h"
#include "ordertotals.h"

#include "data/conversions.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "data/rowreader.h"
#include "data/sqlnames.h"
#include "masters/clscustomer.h"
#include "ui/platform.h"

#include <climits>
#include <cmath>
#include <limits>

namespace estimates {

namespace {

const QString estimateTitle = QStringLiteral("Estimate");

// The old columns held single-precision amounts; anything beyond that range
// (or not a number at all) is a fault upstream, not an estimate.
constexpr double largestAmount = double(std::numeric_limits<float>::max());

bool storableAmount(double v) { return std::isfinite(v) && std::fabs(v) <= largestAmount; }

constexpr const char* headerInsertSql =
    "Insert into OrderInfo (Orderno,CustId,RepId,OrderDate,SStreet1,SStreet2,SCity,SState,SZip,SCountry,SPhone,"
    "SMobile,SEmail,ShipId,Amount,Tax,Total,UPSTracking,Notes,Overhead) "
    "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

constexpr const char* headerUpdateSql =
    "Update OrderInfo Set CustId = ?, RepId = ?, OrderDate = ?, SStreet1 = ?, SStreet2 = ?, SCity = ?, SState = ?,"
    " SZip = ?, SCountry = ?, SPhone = ?, SMobile = ?, SEmail = ?, ShipId = ?, Amount = ?, Tax = ?, Overhead = ?,"
    " Total = ?, UPSTracking = ?, Notes = ? where OrderNo = ?";

constexpr const char* lineInsertSql =
    "Insert into OrderItem (OrderNo,ItemId,Qty,Material,RoomId,UnitId,Extension,Labor,Others) "
    "values (?,?,?,?,?,?,?,?,?)";

constexpr const char* linesDeleteSql = "Delete from OrderItem where OrderNo = ?";

// The columns of the estimate list, by the names the list uses, and what
// each stands for in the joined query.
const QStringList& listExpressions()
{
    static const QStringList expressions{QStringLiteral("OrderInfo.OrderNo"), QStringLiteral("OrderInfo.OrderDate"),
                                         QStringLiteral("Customer.CustName"), QStringLiteral("OrderInfo.UPSTracking"),
                                         QStringLiteral("OrderInfo.Total"),   QStringLiteral("OrderInfo.Overhead"),
                                         QStringLiteral("OrderInfo.Tax")};
    return expressions;
}

// `allowed` is sortColumns() or a part of it (the search columns).
QString listExpression(const QString& name, const QStringList& allowed)
{
    const QString checked = data::sql::checkedIdentifier(name, allowed);
    return listExpressions().at(ClsOrder::sortColumns().indexOf(checked));
}

QDate storedDate(const data::DbValue& v)
{
    // Written as ISO text; anything else (Null, another tool's form) reads
    // as no date, which Save then refuses until a date is set.
    const QString text = v.toText().trimmed();
    return QDate::fromString(text.left(10), Qt::ISODate);
}

}  // namespace

ClsOrder::ClsOrder(int pageSize) : records::RecordClass(pageSize) {}

ClsOrder::~ClsOrder() = default;

const QStringList& ClsOrder::sortColumns()
{
    static const QStringList columns{QStringLiteral("OrderNo"),  QStringLiteral("OrderDate"),
                                     QStringLiteral("CustName"), QStringLiteral("UPSTracking"),
                                     QStringLiteral("Total"),    QStringLiteral("Overhead"),
                                     QStringLiteral("Tax")};
    return columns;
}

const QStringList& ClsOrder::searchColumns()
{
    static const QStringList columns{QStringLiteral("OrderNo"), QStringLiteral("CustName")};
    return columns;
}

estimates::ColnOrderItems& ClsOrder::ColnOrderItems() { return *sharedLines(); }

std::shared_ptr<estimates::ColnOrderItems> ClsOrder::sharedLines()
{
    if (!lines_)
        lines_ = std::make_shared<estimates::ColnOrderItems>();
    return lines_;
}

void ClsOrder::setColnOrderItems(std::shared_ptr<estimates::ColnOrderItems> lines) { lines_ = std::move(lines); }

bool ClsOrder::Validate()
{
    const auto refuse = [](const QString& message) {
        ui::msgBox(message, ui::Buttons::Ok, estimateTitle);
        return false;
    };
    if (OrderNo == 0)
        return refuse(QStringLiteral("No Estimate number found"));
    if (CustId == 0)
        return refuse(QStringLiteral("Select Customer "));
    if (ColnOrderItems().Count() == 0)
        return refuse(QStringLiteral("No Items Selected"));
    return true;
}

bool ClsOrder::storable()
{
    bool amountsOk = storableAmount(Amount) && storableAmount(Tax) && storableAmount(Overhead) && storableAmount(Total);
    for (const ClsOrderItems& line : ColnOrderItems()) {
        amountsOk = amountsOk && storableAmount(line.mvarQty) && storableAmount(line.mvarMaterial) &&
                    storableAmount(line.mvarExtension) && storableAmount(line.mvarLabor) &&
                    storableAmount(line.mvarOthers);
    }
    if (!amountsOk) {
        ui::msgBox(QStringLiteral("An amount of this estimate is not a number that can be stored; nothing was saved."),
                   ui::Buttons::Ok, estimateTitle);
        return false;
    }
    if (!OrderDate.isValid() || OrderDate.year() < 1 || OrderDate.year() > 9999) {
        ui::msgBox(QStringLiteral("This estimate has no valid date; nothing was saved."), ui::Buttons::Ok,
                   estimateTitle);
        return false;
    }
    return true;
}

bool ClsOrder::Save(const QString& screenMode)
{
    const bool adding = screenMode == QLatin1String("A");
    const bool editing = screenMode == QLatin1String("E");
    if (!adding && !editing)
        return false;
    if (!storable())
        return false;

    enum class Refusal { None, Duplicate, Missing };
    Refusal refusal = Refusal::None;
    data::Connection& c = connection();
    try {
        // Every statement is compiled before the first write, so none of
        // them can fail to compile halfway through.
        data::PreparedStatement header(c, QString::fromLatin1(adding ? headerInsertSql : headerUpdateSql));
        data::PreparedStatement stored(c, QStringLiteral("Select 1 from OrderInfo where OrderNo = ?"));
        data::PreparedStatement dropLines(c, QString::fromLatin1(linesDeleteSql));
        data::PreparedStatement addLine(c, QString::fromLatin1(lineInsertSql));
        const QString date = data::sql::isoDate(OrderDate.year(), OrderDate.month(), OrderDate.day());

        // Rolls back on leaving unless committed: the stored estimate is
        // either the old one or the new one, never a mixture.
        data::Transaction t(c);
        if (adding) {
            if (stored.bind(OrderNo).found()) {
                refusal = Refusal::Duplicate;
            } else {
                header
                    .bind(OrderNo, CustId, RepId, date, SStreet1, SStreet2, SCity, SState, SZip, SCountry, SPhone,
                          SMobile, SEmail, ShipId, Amount, Tax, Total, UPSTracking, Notes, Overhead)
                    .run();
            }
        } else {
            const int changed =
                header
                    .bind(CustId, RepId, date, SStreet1, SStreet2, SCity, SState, SZip, SCountry, SPhone, SMobile,
                          SEmail, ShipId, Amount, Tax, Overhead, Total, UPSTracking, Notes, OrderNo)
                    .run();
            if (changed != 1)
                refusal = Refusal::Missing;
        }
        if (refusal == Refusal::None) {
            // Also on a new number: lines left behind without a header by
            // an older program must not join the new estimate.
            dropLines.bind(OrderNo).run();
            for (ClsOrderItems& line : ColnOrderItems()) {
                addLine
                    .bind(OrderNo, line.itemKey(), line.mvarQty, line.mvarMaterial, line.mvarRoomId, line.mvarUnitId,
                          line.mvarExtension, line.mvarLabor, line.mvarOthers)
                    .run();
            }
            t.commit();
        }
    } catch (const data::DbError& e) {
        ui::msgBox(QStringLiteral("The estimate was not saved: %1").arg(e.message()), ui::Buttons::Ok, estimateTitle);
        return false;
    }

    // Told after the transaction has ended, so no lock is held while the
    // message waits for the user.
    switch (refusal) {
    case Refusal::Duplicate:
        ui::msgBox(QStringLiteral("Estimate number already exists"), ui::Buttons::Ok, estimateTitle);
        return false;
    case Refusal::Missing:
        ui::msgBox(QStringLiteral("Estimate No. %1 is no longer stored; nothing was saved.").arg(OrderNo),
                   ui::Buttons::Ok, estimateTitle);
        return false;
    case Refusal::None: break;
    }
    return true;
}

bool ClsOrder::Delete()
{
    if (AddEditDel != QLatin1String("D"))
        return false;
    bool missing = false;
    data::Connection& c = connection();
    try {
        data::PreparedStatement header(c, QStringLiteral("Delete from OrderInfo where OrderNo = ?"));
        data::PreparedStatement lines(c, QString::fromLatin1(linesDeleteSql));
        data::Transaction t(c);
        if (header.bind(OrderNo).run() != 1) {
            missing = true;
        } else {
            lines.bind(OrderNo).run();
            t.commit();
        }
    } catch (const data::DbError& e) {
        ui::msgBox(QStringLiteral("The estimate was not deleted: %1").arg(e.message()), ui::Buttons::Ok, estimateTitle);
        return false;
    }
    if (missing) {
        ui::msgBox(QStringLiteral("Estimate No. %1 is no longer stored; nothing was deleted.").arg(OrderNo),
                   ui::Buttons::Ok, estimateTitle);
        return false;
    }
    return true;
}

std::optional<data::RowArray> ClsOrder::GetSearchOrders(int& page, int& pageCount, const QString& sortColumn,
                                                        const QString& direction)
{
    const QString searched = listExpression(SearchFld, searchColumns());
    PageQuery q;
    q.columns = QStringLiteral(
        "SELECT OrderInfo.OrderNo as OrderNo, OrderInfo.OrderDate as OrderDate, Customer.CustName as CustName,"
        " OrderInfo.UPSTracking as UPSTracking, OrderInfo.Total as Total, OrderInfo.Overhead as Overhead,"
        " OrderInfo.Tax as Tax");
    q.source = QStringLiteral(" FROM OrderInfo left join Customer on OrderInfo.CustId = Customer.CustId where ") +
               searched + QStringLiteral(" like ?");
    // The typed text is a pattern: "%" and "_" in it stay wildcards.
    q.params = {QLatin1Char('%') + SearchVal + QLatin1Char('%')};
    q.keyExpression = QStringLiteral("OrderInfo.OrderNo");
    q.keyColumn = QStringLiteral("OrderNo");
    q.keyField = 0;
    const bool desc = descending(direction);
    q.order = {{listExpression(sortColumn, sortColumns()), desc}, {q.keyExpression, desc}};
    return pagedRows(q, page, pageCount);
}

bool ClsOrder::GetOrder()
{
    ClearData();
    data::Recordset head;
    data::Recordset rows;
    {
        ReadScope scope(connection());
        head = connection().query(QStringLiteral("Select * from OrderInfo where OrderNo = ?"), {OrderNo});
        if (!head.eof()) {
            // In the order they were written.
            rows = connection().query(QStringLiteral("Select ItemId,Qty,Material,RoomId,UnitId,Extension,Labor,Others"
                                                     " from OrderItem where OrderNo = ? order by rowid"),
                                      {OrderNo});
        }
    }
    if (head.eof()) {
        ui::msgBox(QStringLiteral("Estimate not found corresponding to entered Estimate Number"), ui::Buttons::Ok,
                   QStringLiteral("Search Estimate"));
        return false;
    }

    // A Null, whoever left it, reads as 0, empty text or no date: a Null
    // customer then asks for a customer before the estimate can be saved
    // again, and a missing date for a date.
    const auto text = [&head](const char* column) { return head[QLatin1String(column)].toText(); };
    const auto number = [&head](const char* column) { return head[QLatin1String(column)].toDouble(); };
    const auto key = [&head](const char* column) { return head[QLatin1String(column)].toInt(); };
    CustId = key("CustId");
    RepId = key("RepId");
    ShipId = key("ShipId");
    OrderDate = storedDate(head[QStringLiteral("OrderDate")]);
    SStreet1 = text("SStreet1");
    SStreet2 = text("SStreet2");
    SCity = text("SCity");
    SState = key("SState");
    SZip = text("SZip");
    SCountry = text("SCountry");
    SPhone = text("SPhone");
    SMobile = text("SMobile");
    SEmail = text("SEmail");
    UPSTracking = text("UPSTracking");
    Notes = text("Notes");
    Amount = number("Amount");
    Tax = number("Tax");
    Overhead = number("Overhead");
    Total = number("Total");

    // Columns: ItemId, Qty, Material, RoomId, UnitId, Extension, Labor, Others.
    estimates::ColnOrderItems& lines = ColnOrderItems();
    const data::RowArray& r = rows.rows();
    for (int i = 0; i < r.rowCount(); ++i) {
        lines.Add({.item = r.at(0, i).toInt(), .room = r.at(3, i).toInt(), .unit = r.at(4, i).toInt()},
                  {.quantity = r.at(1, i).toDouble(),
                   .material = r.at(2, i).toDouble(),
                   .labor = r.at(6, i).toDouble(),
                   .subLabor = r.at(5, i).toDouble(),
                   .others = r.at(7, i).toDouble()});
    }

    if (onLoaded)
        onLoaded();
    return true;
}

void ClsOrder::dropLines()
{
    // Let go rather than emptied: whoever shows them keeps them.
    lines_.reset();
}

void ClsOrder::clearShipTo()
{
    SStreet1.clear();
    SStreet2.clear();
    SCity.clear();
    SState = 0;
    SZip.clear();
    SCountry.clear();
    SPhone.clear();
    SMobile.clear();
    SEmail.clear();
}

void ClsOrder::ClearData()
{
    CustId = 0;
    RepId = 0;
    ShipId = 0;
    clearShipTo();
    OrderDate = QDate::currentDate();
    Amount = 0;
    Tax = 0;
    Overhead = 0;
    Total = 0;
    UPSTracking.clear();
    Notes.clear();
    dropLines();
}

void ClsOrder::ClearClass()
{
    OrderNo = 0;
    CustId = 0;
    OrderDate = QDate::currentDate();
    clearShipTo();
    UPSTracking.clear();
    Notes.clear();
    dropLines();
}

std::optional<data::RowArray> ClsOrder::GetAllCustomers(int& page, int& pageCount, const QString& sortColumn,
                                                        const QString& direction)
{
    PageQuery q;
    q.columns = QStringLiteral("Select CustId,CustName,BCity,BPhone,BEmail,BCCNo");
    q.source = QStringLiteral("  from Customer");
    q.keyExpression = QStringLiteral("CustId");
    q.keyColumn = QStringLiteral("CustId");
    q.order = sortKeys(sortColumn, direction, masters::ClsCustomer::sortColumns(), q.keyExpression);
    return pagedRows(q, page, pageCount);
}

std::optional<data::RowArray> ClsOrder::GetSearchCustomers(int& page, int& pageCount, const QString& sortColumn,
                                                           const QString& direction)
{
    // The typed text is a pattern: "%" and "_" in it stay wildcards.
    const QString pattern = SearchVal + QLatin1Char('%');
    PageQuery q;
    q.columns = QStringLiteral("SELECT CustId,CustName,BCity,BPhone,BEmail,BCCNo");
    if (SearchFld == QLatin1String("All")) {
        q.source = QStringLiteral(" from Customer  where CustName like ? or BCity like ? or BPhone like ?"
                                  " or BEmail like ? or BCCNo like ? ");
        q.params = {pattern, pattern, pattern, pattern, pattern};
    } else {
        const QString column = data::sql::checkedIdentifier(SearchFld, masters::ClsCustomer::searchColumns());
        q.source = QStringLiteral(" from Customer  where ") + column + QStringLiteral(" like ?");
        q.params = {pattern};
    }
    q.keyExpression = QStringLiteral("CustId");
    q.keyColumn = QStringLiteral("CustId");
    q.order = sortKeys(sortColumn, direction, masters::ClsCustomer::sortColumns(), q.keyExpression);
    return pagedRows(q, page, pageCount);
}

double ClsOrder::GetTaxRate(const data::DbValue& stateKey)
{
    if (stateKey.isNull() || (stateKey.isText() && stateKey.toText().trimmed().isEmpty()))
        return 0;
    return connection()
        .scalar(QStringLiteral("Select TaxRate from Tax where Stateid = ?"), {stateKey.toInt64()})
        .toDouble();
}

int ClsOrder::GetNextOrderNo()
{
    const data::DbValue top = connection().scalar(QStringLiteral("Select max(OrderNo) from OrderInfo"));
    if (top.isNull())
        return 1;
    const std::int64_t next = top.toInt64() + 1;
    if (next > INT_MAX)
        return 0;
    return next < 1 ? 1 : int(next);
}

std::optional<data::RowArray> ClsOrder::GetComboRep()
{
    return allRows(QStringLiteral("Select * from Representatives order by RepName, RepId"));
}

std::optional<data::RowArray> ClsOrder::GetComboShip()
{
    return allRows(QStringLiteral("Select * from Ship order by ShippingMedia, ShipId"));
}

std::optional<data::RowArray> ClsOrder::GetComboState()
{
    return allRows(QStringLiteral("Select * from States order by StateName, StateId"));
}

std::optional<data::RowArray> ClsOrder::GetComboRooms()
{
    return allRows(QStringLiteral("Select * from Rooms order by Name, Id"));
}

std::optional<data::RowArray> ClsOrder::GetComboUnits()
{
    return allRows(QStringLiteral("Select * from Units order by Name, Id"));
}

}  // namespace estimates
