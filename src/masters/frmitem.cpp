#include "frmitem.h"

#include "itemmast.h"

#include "data/conversions.h"
#include "shell/mainmenu.h"
#include "ui/forms.h"
#include "ui/platform.h"

#include <QGridLayout>
#include <QRadioButton>

namespace masters {

namespace {

const QString inventoryTitle = QStringLiteral("Inventory");

}  // namespace

FrmItem::FrmItem()
    : ListScreen(QStringLiteral("frmItem"), {.caption = QStringLiteral("Items"),
                                             .helpContext = helpContextNumber,
                                             .sortField = QStringLiteral("ItemCode"),
                                             .sortPosition = 2})
{}

FrmItem::~FrmItem() = default;

ClsItem& FrmItem::Items()
{
    if (!items_)
        items_ = std::make_unique<ClsItem>(shell::frmMainMenu().NoInList);
    return *items_;
}

FrmItemMast& FrmItem::dialog() { return ui::form<FrmItemMast>(); }

QList<ListScreen::Column> FrmItem::columns() const
{
    return {
        {QStringLiteral("ID"), 0, {}},
        {QStringLiteral("Item #"), 1800, QStringLiteral("Itemcode")},
        {QStringLiteral("Item Name"), 2400, QStringLiteral("ItemName")},
        {QStringLiteral("Category"), 1800, QStringLiteral("CatName")},
        {QStringLiteral("Material"), 1200, QStringLiteral("Material"), true},
        {QStringLiteral("Quantity"), 1200, QStringLiteral("Qty")},
        // Sorts by the item's TU text, not by the unit name it shows.
        {QStringLiteral("Unit"), 1200, QStringLiteral("TU")},
    };
}

std::optional<data::RowArray> FrmItem::fullList(int& page, int& pageCount, const QString& sortField,
                                                const QString& sortDir)
{
    return Items().GetAllItemsN(page, pageCount, sortField, sortDir);
}

std::optional<data::RowArray> FrmItem::searchList(int& page, int& pageCount, const QString& sortField,
                                                  const QString& sortDir)
{
    return Items().GetSearchItems(page, pageCount, sortField, sortDir);
}

QStringList FrmItem::rowSubItems(const data::RowArray& rows, int row, bool)
{
    // Result columns: key, name, category, material, quantity, item number, unit.
    return {rows(5, row).toText(), rows(1, row).toText(), rows(2, row).toText(),
            rows(3, row).toText(), rows(4, row).toText(), rows(6, row).toText()};
}

QString FrmItem::modeCaption(const QString& mode) const
{
    if (mode == QLatin1String("A"))
        return QStringLiteral("Add Item");
    if (mode == QLatin1String("E"))
        return QStringLiteral("Edit Item");
    if (mode == QLatin1String("D"))
        return QStringLiteral("Delete Item");
    if (mode == QLatin1String("C"))
        return QStringLiteral("Copy Item");
    if (mode == QLatin1String("S"))
        return QStringLiteral("Select Item");
    return {};
}

QString FrmItem::helpTextFor(const QString& mode)
{
    if (mode == QLatin1String("A"))
        return QStringLiteral(
            "This screen allows you to enter the Items in the master table. Click on 'Add' button to add a new "
            "record in the Items database. ");
    if (mode == QLatin1String("E"))
        return QStringLiteral(
            "This screen allows you to edit the Items in the master table. Select the item record by double "
            "clicking on the item row or selecting the item and pressing 'Edit' button");
    if (mode == QLatin1String("D"))
        return QStringLiteral(
            "This screen allows you to delete the Item from the master table. Select the item record by clicking "
            "the item and pressing 'Delete' button. It will delete the item record after confirmation.");
    return {};
}

void FrmItem::createSearchControls(QGridLayout* grid)
{
    txtName = addSearchRow(grid, QStringLiteral("Search Item :"), QStringLiteral("txtName"));
    addSearchOptions(grid, QStringLiteral("Search On"),
                     {{QStringLiteral("OptAll"), QStringLiteral("All"), QStringLiteral("All")},
                      {QStringLiteral("OptName"), QStringLiteral("Name"), QStringLiteral("ItemName")},
                      {QStringLiteral("OptCat"), QStringLiteral("Category"), QStringLiteral("CatName")},
                      {QStringLiteral("OptCode"), QStringLiteral("Item #"), QStringLiteral("ItemCode")}});
    OptAll = searchOptionButton(QStringLiteral("OptAll"));
    OptName = searchOptionButton(QStringLiteral("OptName"));
    OptCat = searchOptionButton(QStringLiteral("OptCat"));
    OptCode = searchOptionButton(QStringLiteral("OptCode"));
}

void FrmItem::takeSearch()
{
    Items().SearchVal = txtName ? txtName->text() : QString();
    Items().SearchFld = searchOption();
}

void FrmItem::notFound()
{
    if (OptName && OptName->isChecked() && AddOrDelete == QLatin1String("A")) {
        if (ui::msgBox(QStringLiteral("Item Not Found : Would You Like To Add ? "), ui::Buttons::YesNo,
                       inventoryTitle) == ui::Answer::Yes)
            cmdAdd_Click();
        return;
    }
    ui::msgBox(QStringLiteral("Item Not Found"));
}

void FrmItem::cmdAdd_Click()
{
    AddOrDelete = QStringLiteral("A");
    Items().AddEditDel = QStringLiteral("A");
    FrmItemMast& dlg = dialog();
    dlg.Item.AddEditDel = QStringLiteral("A");
    // The dialog reads this screen's mode while it loads, so it must know
    // its opener before then.
    dlg.Opener = this;
    dlg.load();
    if (dlg.txtCode)
        dlg.txtCode->setText(conv::numberText(Items().Maxitemno()));
    if (dlg.TxtName && txtName)
        dlg.TxtName->setText(txtName->text());
    showDialog(dlg);
    RefreshGrid();
}

void FrmItem::CmdEdit_Click()
{
    if (!hasRows())
        return;
    FrmItemMast& dlg = dialog();
    dlg.Item.itemid = selectedKey();
    dlg.Item.GetItem();
    dlg.Item.AddEditDel = QStringLiteral("E");
    showDialog(dlg);
    RefreshGrid();
}

void FrmItem::cmdCopy_Click()
{
    if (!hasRows())
        return;
    AddOrDelete = QStringLiteral("C");
    Items().AddEditDel = QStringLiteral("A");
    FrmItemMast& dlg = dialog();
    dlg.Item.AddEditDel = QStringLiteral("A");
    dlg.Item.itemid = selectedKey();
    dlg.Item.GetItem();
    showDialog(dlg);
    RefreshGrid();
}

void FrmItem::cmdDel_Click()
{
    if (!hasRows())
        return;
    const int key = selectedKey();
    ClsItem& items = Items();
    items.itemid = key;
    const QString question =
        QStringLiteral("Are you sure you want to Delete ' ") + selectedSubItem(1) + QStringLiteral(" '");
    if (ui::msgBox(question, ui::Buttons::YesNo, inventoryTitle) == ui::Answer::Yes) {
        items.AddEditDel = QStringLiteral("D");
        items.itemid = key;
        items.Delete();
        ui::msgBox(QStringLiteral("Deleted"));
    }
    RefreshGrid();
    if (txtName) {
        txtName->clear();
        focusSearchBox(false);
    }
}

void FrmItem::openRow(int key)
{
    // The frame has turned the mode ("AE", "DE", "EE"), which the dialog
    // reads to open the row for viewing or editing.
    FrmItemMast& dlg = dialog();
    dlg.Item.itemid = key;
    dlg.Item.GetItem();
    dlg.Item.AddEditDel = QStringLiteral("E");
    showDialog(dlg);
}

void FrmItem::CmdSelect_Click()
{
    // The items list hands nothing back unless an opener asked for it;
    // Select closes the screen, with or without rows.
    if (hasRows() && HandBack) {
        ListScreen::CmdSelect_Click();
        return;
    }
    unload();
}

}  // namespace masters
