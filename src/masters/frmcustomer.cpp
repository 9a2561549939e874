#include "frmcustomer.h"

#include "custmast.h"

#include "shell/mainmenu.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/platform.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QStyle>

namespace masters {

namespace {

const QString inventory = QStringLiteral("Inventory");

FrmCustMast& custMast() { return ui::form<FrmCustMast>(); }

}  // namespace

FrmCustomer::FrmCustomer()
    : ListScreen(QStringLiteral("frmCustomer"), {.caption = QStringLiteral("Customers"),
                                                 .helpContext = 7,
                                                 .sortField = QStringLiteral("CustName"),
                                                 .sortPosition = 2})
{}

FrmCustomer::~FrmCustomer() = default;

void FrmCustomer::pickCustomer(HandBackFn chosen)
{
    runListScreenModal<FrmCustomer>(QStringLiteral("S"), std::move(chosen));
}

ClsCustomer& FrmCustomer::Customers()
{
    if (!customers_)
        customers_ = std::make_unique<ClsCustomer>(shell::frmMainMenu().NoInList);
    return *customers_;
}

QString FrmCustomer::hint() { return QStringLiteral("Double Click on Customer Name  to Select"); }

QList<ListScreen::Column> FrmCustomer::columns() const
{
    return {
        {QStringLiteral("Customer ID"), 0, QString()},
        {QStringLiteral("Customer Name"), 1800, QStringLiteral("CustName")},
        {QStringLiteral("City"), 1200, QStringLiteral("BCity")},
        {QStringLiteral("Phone"), 1200, QStringLiteral("BPhone")},
        {QStringLiteral("E-Mail Id"), 2400, QStringLiteral("BEmail")},
    };
}

std::optional<data::RowArray> FrmCustomer::fullList(int& page, int& pageCount, const QString& sortField,
                                                    const QString& sortDir)
{
    return Customers().GetAllCustomers(page, pageCount, sortField, sortDir);
}

std::optional<data::RowArray> FrmCustomer::searchList(int& page, int& pageCount, const QString& sortField,
                                                      const QString& sortDir)
{
    return Customers().GetSearchCustomers(page, pageCount, sortField, sortDir);
}

QStringList FrmCustomer::rowSubItems(const data::RowArray& rows, int row, bool)
{
    return {rows(1, row).toText(), rows(2, row).toText(), rows(3, row).toText(), rows(4, row).toText()};
}

QString FrmCustomer::modeCaption(const QString& mode) const
{
    if (mode == QLatin1String("A"))
        return QStringLiteral("Add Customer");
    if (mode == QLatin1String("D"))
        return QStringLiteral("Delete Customer");
    if (mode == QLatin1String("E"))
        return QStringLiteral("Edit Customer");
    if (mode == QLatin1String("S"))
        return QStringLiteral("Select Customer");
    if (mode == QLatin1String("C"))
        return QStringLiteral("Copy Customer");
    return {};
}

QString FrmCustomer::helpText(const QString& mode) const
{
    if (mode == QLatin1String("A"))
        return QStringLiteral(
            "This screen allows you to enter the Customer details in the master table. Click on 'Add' button to add a "
            "new record in the Customers database. ");
    if (mode == QLatin1String("E"))
        return QStringLiteral(
            "This screen allows you to edit the Customer data in the master table. Select the record by double "
            "clicking on the customer row or selecting the Customer and pressing 'Edit' button");
    if (mode == QLatin1String("D"))
        return QStringLiteral(
            "This screen allows you to delete the Customer data from the master table. Select the customer record by "
            "clicking the customer row and pressing 'Delete' button. It will delete the record after confirmation.");
    return {};
}

void FrmCustomer::createSearchControls(QGridLayout* grid)
{
    addSearchRow(grid, QStringLiteral("Search Customers:"), QStringLiteral("txtCustName"));
    addSearchOptions(grid, QStringLiteral("Search On"),
                     {
                         {QStringLiteral("OptAll"), QStringLiteral("All"), QStringLiteral("All")},
                         {QStringLiteral("OptName"), QStringLiteral("Name"), QStringLiteral("CustName")},
                         {QStringLiteral("OptCity"), QStringLiteral("City"), QStringLiteral("BCity")},
                         {QStringLiteral("OptPhone"), QStringLiteral("Phone"), QStringLiteral("BPhone")},
                         {QStringLiteral("OptEmail"), QStringLiteral("Email Id"), QStringLiteral("BEmail")},
                     });
}

void FrmCustomer::takeSearch()
{
    ClsCustomer& c = Customers();
    c.SearchVal = searchBox() ? searchBox()->text() : QString();
    c.SearchFld = searchOption();
}

void FrmCustomer::notFound()
{
    QRadioButton* byName = searchOptionButton(QStringLiteral("OptName"));
    if (byName && byName->isChecked() && AddOrDelete == QLatin1String("A")) {
        if (ui::msgBox(QStringLiteral("Customer Not Found : Would You Like To Add ? "), ui::Buttons::YesNo,
                       inventory) == ui::Answer::Yes)
            cmdAdd_Click();
        return;
    }
    ui::msgBox(QStringLiteral("Customer Not Found"));
}

void FrmCustomer::cmdAdd_Click()
{
    AddOrDelete = QStringLiteral("A");
    FrmCustMast& dialog = custMast();
    dialog.Cust.AddEditDel = QStringLiteral("A");
    // The dialog loads from the empty record first; the search text then
    // becomes the new customer's name.
    dialog.Opener = this;
    dialog.load();
    if (dialog.TxtCname && searchBox())
        dialog.TxtCname->setText(searchBox()->text());
    showDialog(dialog);
    RefreshGrid();
}

void FrmCustomer::CmdEdit_Click()
{
    if (!hasRows())
        return;
    FrmCustMast& dialog = custMast();
    dialog.Cust.CustId = selectedKey();
    dialog.Cust.GetCustomer();
    dialog.Cust.AddEditDel = QStringLiteral("E");
    showDialog(dialog);
    RefreshGrid();
}

void FrmCustomer::cmdCopy_Click()
{
    if (!hasRows())
        return;
    AddOrDelete = QStringLiteral("C");
    FrmCustMast& dialog = custMast();
    dialog.Cust.AddEditDel = QStringLiteral("A");
    dialog.Cust.CustId = selectedKey();
    dialog.Cust.GetCustomer();
    showDialog(dialog);
    RefreshGrid();
}

void FrmCustomer::cmdDel_Click()
{
    if (!hasRows())
        return;
    ClsCustomer& c = Customers();
    const int key = selectedKey();
    const QString name = selectedSubItem(1);
    c.CustId = key;
    if (ui::msgBox(QStringLiteral("Are you sure you want to Delete ' ") + name + QStringLiteral(" '"),
                   ui::Buttons::YesNo, inventory) == ui::Answer::Yes) {
        c.AddEditDel = QStringLiteral("D");
        c.CustId = key;
        c.Delete();
        ui::msgBox(QStringLiteral("Deleted"));
    }
    RefreshGrid();
    if (searchBox())
        searchBox()->clear();
    focusSearchBox(false);
}

void FrmCustomer::openRow(int key)
{
    FrmCustMast& dialog = custMast();
    dialog.Cust.CustId = key;
    dialog.Cust.GetCustomer();
    dialog.Cust.AddEditDel = QStringLiteral("E");
    showDialog(dialog);
}

}  // namespace masters
