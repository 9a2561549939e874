#include "frmorders.h"

#include "frmorder.h"

#include "data/conversions.h"
#include "shell/mainmenu.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/textbox.h"

#include <QDate>
#include <QGridLayout>
#include <QPushButton>

namespace estimates {

shell::Screen frmOrdersScreen()
{
    shell::Screen s;
    s.set = [](const QString&, const QVariant&) {};
    s.call = [](const QString&) {};
    s.show = [] { ui::form<FrmOrders>().show(); };
    return s;
}

FrmOrders::FrmOrders()
    : ListScreen(QStringLiteral("frmOrders"), {.caption = QStringLiteral("Estimates"),
                                               .helpContext = 11,
                                               .sortField = QStringLiteral("Orderno"),
                                               .sortPosition = 1})
{}

FrmOrders::~FrmOrders() = default;

ClsOrder& FrmOrders::Orders()
{
    if (!orders_)
        orders_ = std::make_unique<ClsOrder>(shell::frmMainMenu().NoInList);
    return *orders_;
}

void FrmOrders::ClearClass() { Orders().ClearData(); }

QString FrmOrders::hint() { return QStringLiteral("Double click on the Estimate row to view details or edit"); }

QList<masters::ListScreen::Column> FrmOrders::columns() const
{
    return {
        {QStringLiteral("Estimate No"), 1200, QStringLiteral("OrderNo")},
        {QStringLiteral("Date"), 1200, QStringLiteral("OrderDate")},
        {QStringLiteral("Customer"), 1200, QStringLiteral("CustName")},
        {QStringLiteral("Amount"), 960, QStringLiteral("Total"), true},
    };
}

// The list has no full-list getter of its own: before the first search the
// search value is empty, which matches every estimate.
std::optional<data::RowArray> FrmOrders::fullList(int& page, int& pageCount, const QString& sortField,
                                                  const QString& sortDir)
{
    return Orders().GetSearchOrders(page, pageCount, sortField, sortDir);
}

std::optional<data::RowArray> FrmOrders::searchList(int& page, int& pageCount, const QString& sortField,
                                                    const QString& sortDir)
{
    return Orders().GetSearchOrders(page, pageCount, sortField, sortDir);
}

QStringList FrmOrders::rowSubItems(const data::RowArray& rows, int row, bool)
{
    // Dates are stored as ISO text and shown month/day/year, without
    // leading zeros; a text that is not a date is shown as stored.
    const QString stored = rows(1, row).toText();
    const QDate date = QDate::fromString(stored.trimmed().left(10), Qt::ISODate);
    const QString dateText = date.isValid() ? date.toString(QStringLiteral("M/d/yyyy")) : stored;
    const data::DbValue& total = rows(4, row);
    return {dateText, rows(2, row).toText(), total.isNull() ? QString() : conv::numberText(total.toDouble())};
}

void FrmOrders::takeSearch()
{
    ClsOrder& o = Orders();
    o.SearchVal = searchBox() ? searchBox()->text() : QString();
    o.SearchFld = searchOption();
}

void FrmOrders::notFound() { ui::msgBox(QStringLiteral("Estimate Not Found")); }

void FrmOrders::createSearchControls(QGridLayout* grid)
{
    addSearchRow(grid, QStringLiteral("Search Value"), QStringLiteral("txtName"));
    addSearchOptions(grid, QStringLiteral("Search Criteria :"),
                     {
                         {QStringLiteral("OptOrderNo"), QStringLiteral("Estimate No."), QStringLiteral("OrderNo")},
                         {QStringLiteral("OptName"), QStringLiteral("Customer Name"), QStringLiteral("CustName")},
                     });
}

void FrmOrders::controlsCreated()
{
    // Every opening lists all estimates: the search of a last opening is
    // gone with its window.
    ClsOrder& o = Orders();
    o.SearchFld = QStringLiteral("Orderno");
    o.SearchVal.clear();
}

void FrmOrders::Form_Load()
{
    ListScreen::Form_Load();
    if (!isLoaded())
        return;
    CmdSelect->setVisible(true);
    setCaption(QStringLiteral("Search Estimate"));
}

void FrmOrders::openSelected()
{
    if (!hasRows())
        return;
    const int orderNo = selectedKey();
    FrmOrder& screen = frmOrder();
    // An unsaved estimate the user chooses to keep stays on screen, and so
    // does this list, so that nothing seems to have been opened.
    if (!screen.releaseOpenEstimate())
        return;
    screen.openStored(QStringLiteral("E"), orderNo);
    // Whether or not the estimate was still stored, the list has done its work.
    if (isLoaded())
        unload();
}

void FrmOrders::CmdSelect_Click() { openSelected(); }

void FrmOrders::ListView1_DblClick() { openSelected(); }

}  // namespace estimates
