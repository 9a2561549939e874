// The estimate screen's line entry: the pick lists, the quantity and price
// boxes with their write-back into the item master, the list of lines with
// Add, Edit, Apply, Cancel and Delete, and the totals. The lines live in
// one collection, which the list shows through its model and Order saves;
// the boxes are read into a line as numbers, and the list writes them out.

#include "frmorder.h"
#include "itemchoices.h"
#include "ordertotals.h"

#include "data/conversions.h"
#include "masters/clsitem.h"
#include "ui/busycursor.h"
#include "ui/buttons.h"
#include "ui/combobox.h"
#include "ui/keyedlistmodel.h"
#include "ui/modellistview.h"
#include "ui/platform.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <memory>

namespace estimates {

namespace {

const QString inventoryTitle = QStringLiteral("Inventory");

ui::TextBox* numberBox(QWidget* parent, const QString& name, const QString& accessible, double widthTwips)
{
    auto* t = new ui::TextBox(parent, name);
    t->setAccessibleName(accessible);
    t->setDigitsAndPointOnly(true);
    t->setMinimumWidth(ui::toPixels(widthTwips));
    return t;
}

ui::ComboBox* pickList(QWidget* parent, const QString& name, const QString& accessible, double widthTwips)
{
    auto* c = new ui::ComboBox(parent, name, ui::ComboStyle::DropDownList);
    c->setAccessibleName(accessible);
    c->setMinimumWidth(ui::toPixels(widthTwips));
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return c;
}

// Selects the last entry whose item data is `key` (as selecting every
// match in turn would leave it); none leaves the selection as it was.
void selectEveryMatch(ui::ComboBox* combo, int key)
{
    if (const int entry = combo->lastEntryOf(key); entry >= 0)
        combo->setListIndex(entry);
}

}  // namespace

// ---------------------------------------------------------------------------
// Controls

void FrmOrder::createLineEntry(QWidget* c)
{
    auto* outer = static_cast<QVBoxLayout*>(c->layout());
    Frame2 = new QGroupBox(QStringLiteral("Item Select (Use this frame to add or edit a single item) "), c);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* g = new QGridLayout(Frame2);
    g->setHorizontalSpacing(ui::toPixels(90));
    g->setVerticalSpacing(ui::toPixels(30));

    cmbRooms = pickList(Frame2, QStringLiteral("cmbRooms"), QStringLiteral("Takeoff Name"), 1800);
    TxtQty = numberBox(Frame2, QStringLiteral("TxtQty"), QStringLiteral("Quantity"), 900);
    cmbUnits = pickList(Frame2, QStringLiteral("cmbUnits"), QStringLiteral("Unit"), 1000);
    cmbItems = pickList(Frame2, QStringLiteral("cmbItems"), QStringLiteral("Item Description"), 2700);
    TxtMaterial = numberBox(Frame2, QStringLiteral("TxtMaterial"), QStringLiteral("Materials Price"), 1000);
    txtLabor = numberBox(Frame2, QStringLiteral("txtLabor"), QStringLiteral("Labor"), 1000);
    txtExtension = numberBox(Frame2, QStringLiteral("txtExtension"), QStringLiteral("Sub Labor"), 1000);
    txtOthers = numberBox(Frame2, QStringLiteral("txtOthers"), QStringLiteral("Equipments and others"), 1000);
    txtTotal = new ui::TextBox(Frame2, QStringLiteral("txtTotal"));
    txtTotal->setAccessibleName(QStringLiteral("Total"));
    txtTotal->setLocked(true);
    txtTotal->setFocusPolicy(Qt::ClickFocus);
    txtTotal->setMinimumWidth(ui::toPixels(1100));
    // The master prices of each item, by the position of its entry in
    // cmbItems; never shown.
    cmbPrices = new ui::ComboBox(Frame2, QStringLiteral("cmbPrices"), ui::ComboStyle::DropDownList);
    cmbPrices->setVisible(false);

    const QList<std::pair<QString, QWidget*>> fields{
        {QStringLiteral("Takeoff Name"), cmbRooms},
        {QStringLiteral("Quantity"), TxtQty},
        {QStringLiteral("Unit"), cmbUnits},
        {QStringLiteral("Item Description"), cmbItems},
        {QStringLiteral("Materials Price"), TxtMaterial},
        {QStringLiteral("Labor"), txtLabor},
        {QStringLiteral("Sub Labor"), txtExtension},
        {QStringLiteral("Equipments and others"), txtOthers},
        {QStringLiteral("Total"), txtTotal},
    };
    for (int col = 0; col < fields.size(); ++col) {
        auto* l = new QLabel(fields[col].first, Frame2);
        l->setBuddy(fields[col].second);
        g->addWidget(l, 0, col);
        g->addWidget(fields[col].second, 1, col);
    }
    g->setColumnStretch(0, 2);
    g->setColumnStretch(3, 4);
    for (int col : {1, 2, 4, 5, 6, 7, 8})
        g->setColumnStretch(col, 1);

    cmdAdd = ui::namedButton(Frame2, QStringLiteral("cmdAdd"), QStringLiteral("Add"),
                             QStringLiteral("Add this item to the estimate"));
    cmdEditApply = ui::namedButton(Frame2, QStringLiteral("cmdEditApply"), QStringLiteral("Apply"),
                                   QStringLiteral("Apply the changes to the line being edited"));
    cmdEditCanc = ui::namedButton(Frame2, QStringLiteral("cmdEditCanc"), QStringLiteral("Cancel"),
                                  QStringLiteral("Stop editing the line; it stays as it was"));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(ui::toPixels(60));
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdEditApply);
    buttons->addWidget(cmdEditCanc);
    g->addLayout(buttons, 1, int(fields.size()));
    outer->addWidget(Frame2);
}

void FrmOrder::createLineList(QWidget* c)
{
    auto* outer = static_cast<QVBoxLayout*>(c->layout());
    Frame1 = new QGroupBox(QStringLiteral("Items for the Estimate"), c);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* v = new QVBoxLayout(Frame1);
    ListView1 = new ui::ModelListView(Frame1, QStringLiteral("ListView1"));
    lines_ = new OrderLinesModel(ListView1);
    // A few lines at the least; the rest of the window's height besides.
    ListView1->setMinimumHeight(ui::toPixels(1500));
    v->addWidget(ListView1, 1);
    auto* row = new QHBoxLayout;
    lblListHint = new QLabel(QStringLiteral("Double click on the item in the list above to edit it or select the "
                                            "item and press the \"Edit\" or \"Delete\" buttons here to perform the "
                                            "respective operation."),
                             Frame1);
    lblListHint->setObjectName(QStringLiteral("lblListHint"));
    lblListHint->setWordWrap(true);
    row->addWidget(lblListHint, 1);
    CmdEdit = ui::namedButton(Frame1, QStringLiteral("CmdEdit"), QStringLiteral("Edit"),
                              QStringLiteral("Load the selected line into the boxes above"));
    cmdDel = ui::namedButton(Frame1, QStringLiteral("cmdDel"), QStringLiteral("Delete"),
                             QStringLiteral("Delete the selected line"));
    row->addWidget(CmdEdit);
    row->addWidget(cmdDel);
    v->addLayout(row);
    outer->addWidget(Frame1, 1);
}

void FrmOrder::InitListView()
{
    if (!ListView1 || ListView1->sourceModel())
        return;
    ListView1->setModel(lines_);
    // Designed widths in twips; the key columns are hidden.
    const std::pair<Column, double> widths[] = {
        {ColItemId, 0},      {ColRoom, 1800},     {ColQty, 1200},   {ColUnit, 1200},
        {ColItemName, 1800}, {ColMaterial, 1200}, {ColLabor, 1200}, {ColSubLabor, 1200},
        {ColOthers, 1200},   {ColTotal, 1200},    {ColRoomId, 0},   {ColUnitId, 0},
    };
    for (const auto& [column, twips] : widths)
        ListView1->setColumnDesign(column, twips);
    // The estimate's lines keep the list's own left alignment; their
    // amounts are shown whole.
    for (int column = ColMaterial; column <= ColTotal; ++column)
        ListView1->setColumnFitsContents(column);
    ListView1->setHeaderIcon(ColRoom, ui::HeaderIcon::Down);
}

// ---------------------------------------------------------------------------
// Pick lists

void FrmOrder::FillRooms()
{
    cmbRooms->clear();
    if (cmbRooms->addRows(Order().GetComboRooms()) > 0)
        cmbRooms->setListIndex(0);
}

void FrmOrder::FillUnits()
{
    cmbUnits->clear();
    if (cmbUnits->addRows(Order().GetComboUnits()) > 0)
        cmbUnits->setListIndex(0);
}

void FrmOrder::FillItems()
{
    ui::KeyedModel* old = cmbItems->keyedModel();
    cmbItems->clear();
    cmbPrices->clear();
    delete old;
    // One model that both lists show, cmbItems the names and cmbPrices the
    // price entries, row for row; it reads the rows a view shows, and a
    // price entry when it is asked for, not the whole cost book.
    auto* model = new ui::PagedListModel(std::make_unique<ItemChoices>(), 2, Frame2);
    cmbItems->setKeyedModel(model, 0);
    cmbPrices->setKeyedModel(model, 1);
    if (cmbItems->listCount() > 0) {
        cmbItems->setListIndex(0);
        cmbPrices->setListIndex(0);
    }
}

void FrmOrder::cmbItems_Click()
{
    // Loading a line for editing selects its item but keeps the line's figures.
    if (Editing || !cmbItems || !cmbPrices)
        return;
    const int index = cmbItems->listIndex();
    if (index < 0 || index >= cmbPrices->listCount())
        return;
    const QString entry = cmbPrices->itemText(index);
    TxtMaterial->setText(pricePiece(entry, PricePiece::Material));
    txtLabor->setText(pricePiece(entry, PricePiece::Labor));
    TxtQty->setText(pricePiece(entry, PricePiece::Quantity));
    txtExtension->setText(pricePiece(entry, PricePiece::SubLabor));
    txtOthers->setText(pricePiece(entry, PricePiece::Equipment));
}

// ---------------------------------------------------------------------------
// Lines

bool FrmOrder::linesEditable() const
{
    return isLoaded() && !saved_ && !mode_.isEmpty() && mode_ != QLatin1String("D");
}

LineKeys FrmOrder::pickedKeys() const
{
    return {.item = int(cmbItems->selectedData()),
            .room = int(cmbRooms->selectedData()),
            .unit = int(cmbUnits->selectedData())};
}

OrderLinesModel::Names FrmOrder::pickedNames() const
{
    return {.room = cmbRooms->text(), .unit = cmbUnits->text(), .item = cmbItems->text()};
}

LineAmounts FrmOrder::enteredAmounts() const
{
    // Only the material box holds a price per unit; the other three hold
    // amounts for the whole line.
    const double quantity = TxtQty->number();
    return {.quantity = quantity,
            .material = quantity * TxtMaterial->number(),
            .labor = txtLabor->number(),
            .subLabor = txtExtension->number(),
            .others = txtOthers->number()};
}

void FrmOrder::setEditButtons(bool editing)
{
    editOpen_ = editing;
    if (!editing)
        editRow_ = QPersistentModelIndex();
    if (!cmdAdd)
        return;
    cmdAdd->setVisible(!editing);
    cmdEditApply->setVisible(editing);
    cmdEditCanc->setVisible(editing);
}

bool FrmOrder::lineInputComplete()
{
    if (TxtQty->number() == 0) {
        ui::msgBox(QStringLiteral("Please enter Quanttity"), ui::Buttons::Ok, inventoryTitle);
        return false;
    }
    if (cmbRooms->listIndex() < 0 || cmbUnits->listIndex() < 0 || cmbItems->listIndex() < 0) {
        ui::msgBox(QStringLiteral("Please select a Takeoff Name, a Unit and an Item"), ui::Buttons::Ok, inventoryTitle);
        return false;
    }
    return true;
}

void FrmOrder::cmdAdd_Click()
{
    if (!linesEditable())
        return;
    takeBackOrder();
    if (!lineInputComplete())
        return;
    const LineKeys keys = pickedKeys();
    itemid = keys.item;
    if (lines_->rowOf(keys) >= 0) {
        ui::msgBox(QStringLiteral("Item already added "), ui::Buttons::Ok, inventoryTitle);
        return;
    }
    const int row = lines_->addLine(keys, enteredAmounts(), pickedNames());
    // The new line shows, also when the list is longer than its window
    // (the multi-item picker adds many at once).
    ListView1->scrollToRow(row);
    CalTotal();
}

void FrmOrder::CmdEdit_Click()
{
    if (!linesEditable())
        return;
    takeBackOrder();
    const int row = ListView1->selectedRow();
    if (lines_->rowCount() == 0 || row < 0) {
        ui::msgBox(QStringLiteral("No item to Edit"), ui::Buttons::Ok, inventoryTitle);
        return;
    }
    QScopedValueRollback<bool> loading(Editing, true);  // also when an error ends the action
    const LineKeys keys = lines_->line(row).keys();
    selectEveryMatch(cmbRooms, keys.room);
    TxtQty->setText(lines_->text(row, ColQty));
    selectEveryMatch(cmbUnits, keys.unit);
    selectEveryMatch(cmbItems, keys.item);
    // The list holds the extended material; the box takes the unit price.
    const double q = TxtQty->number();
    TxtMaterial->setText(q > 0 ? conv::numberText(lines_->figure(row, ColMaterial) / q) : QStringLiteral("0"));
    txtLabor->setText(lines_->text(row, ColLabor));
    txtExtension->setText(lines_->text(row, ColSubLabor));
    txtOthers->setText(lines_->text(row, ColOthers));
    txtTotal->setText(conv::numberText(lineTotal(enteredAmounts())));
    setEditButtons(true);
    itemid = keys.item;
    EditListIndex = row;
    EditItemIndex = row + 1;
    editRow_ = lines_->index(row, 0);
}

void FrmOrder::cmdEditApply_Click()
{
    if (!linesEditable() || !editOpen_)
        return;
    takeBackOrder();
    if (!lineInputComplete())
        return;
    // The row the edit was loaded from, wherever lines added since have
    // left it; gone, there is nothing to apply to.
    if (!editRow_.isValid()) {
        cmdEditCanc_Click();
        return;
    }
    EditListIndex = editRow_.row();
    EditItemIndex = EditListIndex + 1;
    const LineKeys keys = pickedKeys();
    itemid = keys.item;
    if (lines_->rowOf(keys, EditListIndex) >= 0) {
        ui::msgBox(QStringLiteral("Item already added "), ui::Buttons::Ok, inventoryTitle);
        return;
    }
    lines_->setLine(EditListIndex, keys, enteredAmounts(), pickedNames());
    setEditButtons(false);
    CalTotal();
}

void FrmOrder::cmdEditCanc_Click() { setEditButtons(false); }

void FrmOrder::cmdDel_Click()
{
    if (!linesEditable())
        return;
    takeBackOrder();
    const int row = ListView1->selectedRow();
    if (lines_->rowCount() == 0 || row < 0) {
        ui::msgBox(QStringLiteral("No item to Delete"), ui::Buttons::Ok, inventoryTitle);
        return;
    }
    if (ui::msgBox(QStringLiteral("Do you want to delete selected item from the list?"), ui::Buttons::YesNo,
                   QStringLiteral("Confirm Deletion")) != ui::Answer::Yes)
        return;
    // The edit may be of the very line that goes.
    if (editOpen_)
        cmdEditCanc_Click();
    lines_->removeLine(row);
    CalTotal();
}

// ---------------------------------------------------------------------------
// Prices

void FrmOrder::CalTot()
{
    if (!txtTotal || !TxtMaterial || !TxtQty || !txtLabor || !txtExtension || !txtOthers)
        return;
    txtTotal->setText(conv::numberText(entryTotal(enteredAmounts())));
}

void FrmOrder::priceLostFocus(ui::TextBox* box, int piece, const QString& question,
                              void (masters::ClsItem::*update)(int, double))
{
    // Not while the window goes away: its boxes lose the focus then too.
    if (!isLoaded() || mode_.isEmpty() || !box || !cmbItems || !cmbPrices)
        return;
    const int index = cmbItems->listIndex();
    if (index < 0 || index >= cmbPrices->listCount())
        return;
    if (box->text() == pricePiece(cmbPrices->itemText(index), PricePiece(piece)))
        return;
    // The price written is the number the box holds; a box holding none
    // (empty, a lone ".") has nothing to write.
    const std::optional<double> price = priceToWrite(box->text());
    if (!price)
        return;
    if (ui::msgBox(question, ui::Buttons::YesNo, QStringLiteral("Change master file price?")) != ui::Answer::Yes)
        return;
    const int key = int(cmbItems->selectedData());
    masters::ClsItem item;
    (item.*update)(key, *price);
}

void FrmOrder::TxtMaterial_LostFocus()
{
    priceLostFocus(
        TxtMaterial, int(PricePiece::Material),
        QStringLiteral("You have changed the Material Price. Do you want to update this price in Main File?"),
        &masters::ClsItem::Updatematerialprice);
}

void FrmOrder::txtLabor_LostFocus()
{
    priceLostFocus(txtLabor, int(PricePiece::Labor),
                   QStringLiteral("You have changed the Labor Price. Do you want to update this price in Main File?"),
                   &masters::ClsItem::Updatelabourprice);
}

void FrmOrder::txtExtension_LostFocus()
{
    priceLostFocus(
        txtExtension, int(PricePiece::SubLabor),
        QStringLiteral("You have changed the SubLabor Price. Do you want to update this price in Main File?"),
        &masters::ClsItem::UpdateSublabourprice);
}

void FrmOrder::txtOthers_LostFocus()
{
    priceLostFocus(
        txtOthers, int(PricePiece::Equipment),
        QStringLiteral("You have changed the Equipment Price. Do you want to update this price in Main File?"),
        &masters::ClsItem::UpdateEquipmentprice);
}

// ---------------------------------------------------------------------------
// Totals

void FrmOrder::CalTotal()
{
    if (!lines_ || !TxtAmount)
        return;
    Order().Amount = amountOf(lines_->lineTotals());
    TxtAmount->setText(conv::numberText(Order().Amount));
    CalFinalTotal();
}

void FrmOrder::CalFinalTotal()
{
    if (!TxtAmount || !txtTaxPer || !txtOHPer || !txtTax || !txtOverhead || !txtFinalTotal)
        return;
    const FinalTotals t = finalTotals(TxtAmount->text(), txtTaxPer->text(), txtOHPer->text());
    txtTax->setText(t.tax);
    txtOverhead->setText(t.overhead);
    txtFinalTotal->setText(t.total);
}

}  // namespace estimates
