#include "itemmast.h"

#include "ui/combobox.h"
#include "ui/events.h"
#include "ui/platform.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include "frmcategory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace masters {

namespace {

// Both frames give their labels this width, so that the boxes of the key
// fields and of the field frame line up.
constexpr double labelWidth = 2640;
constexpr double numberWidth = 1800;

QGridLayout* frameGrid(QGroupBox* frame)
{
    auto* g = new QGridLayout(frame);
    g->setHorizontalSpacing(ui::toPixels(150));
    g->setVerticalSpacing(ui::toPixels(75));
    g->setColumnMinimumWidth(0, ui::toPixels(labelWidth));
    g->setColumnStretch(1, 1);
    return g;
}

QLabel* fieldLabel(QWidget* parent, const QString& name, const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setBuddy(buddy);
    return l;
}

ui::TextBox* numberBox(QWidget* parent, const QString& name, const QString& label)
{
    auto* t = new ui::TextBox(parent, name);
    t->setAccessibleName(label);
    t->setFixedWidth(ui::toPixels(numberWidth));
    t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return t;
}

}  // namespace

FrmItemMast::FrmItemMast() : DetailDialog(QStringLiteral("ItemMast"), QStringLiteral("Item Master"), helpContextNumber)
{}

FrmItemMast::~FrmItemMast() = default;

clsCategory& FrmItemMast::categoryList()
{
    if (!categoryList_)
        categoryList_ = std::make_unique<clsCategory>();
    return *categoryList_;
}

clsMaster& FrmItemMast::unitList()
{
    if (!unitList_)
        unitList_ = std::make_unique<clsMaster>();
    return *unitList_;
}

void FrmItemMast::createFields(QWidget* area)
{
    // The controls are new: the name box shows until FillCatg finds a
    // category.
    HasCategories = false;

    auto* outer = new QVBoxLayout(area);
    outer->setContentsMargins(ui::toPixels(180), ui::toPixels(150), ui::toPixels(180), 0);
    outer->setSpacing(ui::toPixels(120));

    auto* fraItem = new QGroupBox(area);
    fraItem->setObjectName(QStringLiteral("fraItem"));
    QGridLayout* top = frameGrid(fraItem);
    txtCode = new ui::TextBox(fraItem, QStringLiteral("txtCode"));
    txtCode->setAccessibleName(QStringLiteral("Item #"));
    txtCode->setFixedWidth(ui::toPixels(numberWidth));
    TxtName = new ui::TextBox(fraItem, QStringLiteral("TxtName"));
    TxtName->setAccessibleName(QStringLiteral("Item Description"));
    top->addWidget(fieldLabel(fraItem, QStringLiteral("lblCode"), QStringLiteral("Item #"), txtCode), 0, 0);
    top->addWidget(txtCode, 0, 1, Qt::AlignLeft);
    top->addWidget(fieldLabel(fraItem, QStringLiteral("lblName"), QStringLiteral("Item Description"), TxtName), 1, 0);
    top->addWidget(TxtName, 1, 1);
    outer->addWidget(fraItem);

    fraFields = new QGroupBox(area);
    fraFields->setObjectName(QStringLiteral("fraFields"));
    QGridLayout* g = frameGrid(fraFields);
    lblCategory = new QLabel(QStringLiteral("Category (Parent category is indicated in brackets)"), fraFields);
    lblCategory->setObjectName(QStringLiteral("lblCategory"));
    g->addWidget(lblCategory, 0, 0, 1, 2);

    CmbCat = new ui::ComboBox(fraFields, QStringLiteral("CmbCat"));
    CmbCat->setAccessibleName(QStringLiteral("Category"));
    CmbCat->setVisible(false);
    lblCategory->setBuddy(CmbCat);
    // While no category exists the name box and its buttons stand in the
    // combo's place.
    auto* catRow = new QWidget(fraFields);
    catRow->setObjectName(QStringLiteral("catRow"));
    auto* catLayout = new QHBoxLayout(catRow);
    catLayout->setContentsMargins(0, 0, 0, 0);
    catLayout->setSpacing(ui::toPixels(90));
    txtCatName = new ui::TextBox(catRow, QStringLiteral("txtCatName"));
    txtCatName->setAccessibleName(QStringLiteral("Category"));
    txtCatName->setLocked(true);
    CmdSelCat = new QPushButton(QStringLiteral("Select..."), catRow);
    CmdSelCat->setObjectName(QStringLiteral("CmdSelCat"));
    CmdSelCat->setAutoDefault(false);
    CmdSelCat->setToolTip(QStringLiteral("Choose the category from the categories list"));
    cmdAddCat = new QPushButton(QStringLiteral("Add..."), catRow);
    cmdAddCat->setObjectName(QStringLiteral("cmdAddCat"));
    cmdAddCat->setAutoDefault(false);
    cmdAddCat->setToolTip(QStringLiteral("Add a category"));
    catLayout->addWidget(txtCatName, 1);
    catLayout->addWidget(CmdSelCat);
    catLayout->addWidget(cmdAddCat);
    g->addWidget(CmbCat, 1, 0, 1, 2);
    g->addWidget(catRow, 1, 0, 1, 2);

    cmbUnit = new ui::ComboBox(fraFields, QStringLiteral("cmbUnit"));
    cmbUnit->setAccessibleName(QStringLiteral("Unit"));
    cmbUnit->setMinimumWidth(ui::toPixels(numberWidth));
    g->addWidget(fieldLabel(fraFields, QStringLiteral("lblUnit"), QStringLiteral("Unit"), cmbUnit), 2, 0);
    g->addWidget(cmbUnit, 2, 1, Qt::AlignLeft);

    struct NumberField {
        QPointer<ui::TextBox>* slot;
        const char* name;
        const char* label;
    };
    const NumberField numbers[] = {
        {&TxtMaterial, "TxtMaterial", "Material Cost"},  {&txtLabor, "txtLabor", "Labor Cost"},
        {&txtSubLabor, "txtSubLabor", "Sub Labor Cost"}, {&txtEquipment, "txtEquipment", "Equipments and other Cost"},
        {&TxtQty, "TxtQty", "Default Quantity"},
    };
    int row = 3;
    for (const NumberField& f : numbers) {
        const QString label = QString::fromLatin1(f.label);
        ui::TextBox* box = numberBox(fraFields, QString::fromLatin1(f.name), label);
        *f.slot = box;
        g->addWidget(fieldLabel(fraFields, QStringLiteral("lbl") + QString::fromLatin1(f.name), label, box), row, 0);
        g->addWidget(box, row, 1, Qt::AlignLeft);
        ++row;
    }
    outer->addWidget(fraFields);
    outer->addStretch(1);

    connect(CmbCat, &QComboBox::currentIndexChanged, this, ui::guard([this](int) { CmbCat_Change(); }));
    ui::onClick(CmdSelCat, [this] { CmdSelCat_Click(); });
    ui::onClick(cmdAddCat, [this] { cmdAddCat_Click(); });
}

void FrmItemMast::fillLists()
{
    FillCatg();
    FillUnits();
}

void FrmItemMast::FillCatg()
{
    if (!CmbCat)
        return;
    clsCategory& categories = categoryList();
    std::optional<data::RowArray> rows = categories.GetComboCategories();
    CmbCat->clear();
    if (!rows || rows->isEmpty())
        return;
    for (int r = 0; r < rows->rowCount(); ++r) {
        const int key = rows->at(0, r).toInt();
        CmbCat->addItem(rows->at(1, r).toText() + categories.GetParentName(key), key);
    }
    CmbCat->setListIndex(0);
    Item.CategoryId = int(CmbCat->itemData(0));
    CmbCat->setVisible(true);
    if (txtCatName)
        txtCatName->parentWidget()->setVisible(false);
    HasCategories = true;
}

void FrmItemMast::FillUnits()
{
    if (!cmbUnit)
        return;
    clsMaster& units = unitList();
    units.Mastertable = QStringLiteral("Units");
    cmbUnit->clear();
    if (cmbUnit->addRows(units.GetComboCategories()) > 0)
        cmbUnit->setListIndex(0);
}

void FrmItemMast::FillData()
{
    if (!txtCode)
        return;
    Item.GetItem();
    txtCode->setText(Item.Itemcode);
    TxtName->setText(Item.Itemname);

    clsCategory& categories = categoryList();
    categories.Catid = Item.CategoryId;
    const QString categoryName = categories.GetCatg();
    if (HasCategories)
        CmbCat->selectByData(Item.CategoryId);
    else
        txtCatName->setText(categoryName);

    cmbUnit->selectByData(Item.UnitId);  // no match: the first unit stays

    TxtMaterial->setNumber(Item.Material);
    txtLabor->setNumber(Item.Labor);
    txtSubLabor->setNumber(Item.SubLabor);
    txtEquipment->setNumber(Item.Equipment);
    TxtQty->setNumber(Item.qty);
}

void FrmItemMast::ClearClass()
{
    Item.itemid = 0;
    Item.CategoryId = 0;
    Item.UnitId = 0;
    Item.Itemcode.clear();
    Item.Itemname.clear();
    Item.TU.clear();
    Item.Material = 0;
    Item.Labor = 0;
    Item.SubLabor = 0;
    Item.Equipment = 0;
    Item.qty = 0;
}

void FrmItemMast::CmbCat_Change()
{
    if (CmbCat && CmbCat->listIndex() >= 0)
        Item.CategoryId = int(CmbCat->selectedData());
}

void FrmItemMast::copyToRecord()
{
    Item.Itemcode = txtCode->text();
    Item.Itemname = TxtName->text();
    Item.Material = TxtMaterial->number();
    Item.Labor = txtLabor->number();
    Item.SubLabor = txtSubLabor->number();
    Item.Equipment = txtEquipment->number();
    Item.qty = TxtQty->number();
    // The dialog has no field for TU, so every save writes it empty.
    Item.TU = QString();
    // Without a selected entry the object keeps its key (the category
    // picker writes one while no category combo is shown).
    if (CmbCat->listIndex() >= 0)
        Item.CategoryId = int(CmbCat->selectedData());
    if (cmbUnit->listIndex() >= 0)
        Item.UnitId = int(cmbUnit->selectedData());
}

bool FrmItemMast::validateRecord()
{
    if (!Item.Validate())
        return false;
    // An item without a unit would be stored and then never listed: the
    // lists join the units table.
    if (cmbUnit->listIndex() < 0) {
        ui::msgBox(QStringLiteral("Please select unit"), ui::Buttons::Ok, QStringLiteral("Item Details"));
        return false;
    }
    return true;
}

void FrmItemMast::saveRecord() { Item.Save(); }

QList<QWidget*> FrmItemMast::keyFields() const { return {txtCode, TxtName}; }

QList<QWidget*> FrmItemMast::fieldFrames() const { return {fraFields}; }

void FrmItemMast::CmdSelCat_Click()
{
    FrmCategory::pickCategory([this](int key, const QString& name) {
        Item.CategoryId = key;
        if (txtCatName)
            txtCatName->setText(name);
    });
}

void FrmItemMast::cmdAddCat_Click()
{
    runListScreenModal<FrmCategory>(QStringLiteral("A"));
    FillCatg();
}

}  // namespace masters
