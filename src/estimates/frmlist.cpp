#include "frmlist.h"

#include "clsorder.h"
#include "frmorder.h"

#include "data/conversions.h"
#include "masters/clscategory.h"
#include "masters/clsitem.h"
#include "masters/clsmaster.h"
#include "shell/mainmenu.h"
#include "ui/busycursor.h"
#include "ui/buttons.h"
#include "ui/combobox.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/platform.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <utility>
#include <vector>

namespace estimates {

namespace {

const QString pickerTitle = QStringLiteral("Items List");
constexpr int keyRole = Qt::UserRole;
constexpr int categoryRole = Qt::UserRole + 1;  // a category node's key, until its items are read

QTreeWidgetItem* newNode(const QString& key, const QString& text)
{
    auto* n = new QTreeWidgetItem(QStringList{text});
    n->setData(0, keyRole, key);
    return n;
}

// "C" & key at the top level, "C1_" & key one down, "C2_" & key below that,
// and so on for any depth.
QString categoryKey(int id, int level)
{
    const QString key = conv::numberText(id);
    return level <= 1 ? QStringLiteral("C") + key : QStringLiteral("C%1_").arg(level - 1) + key;
}

// An item's node: its text and key are read from the picker's list of
// item names when asked for, so a cost book of a hundred thousand items
// costs one small object per item and no text until it is shown.
class ItemNode : public QTreeWidgetItem {
public:
    ItemNode(std::shared_ptr<const masters::ClsItem::ItemNames> names, int index)
        : QTreeWidgetItem(UserType), names_(std::move(names)), index_(index)
    {}
    QVariant data(int column, int role) const override
    {
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
            return names_->name(index_);
        if (column == 0 && role == keyRole)
            return QString(QStringLiteral("I") + conv::numberText(names_->keys[std::size_t(index_)]));
        return QTreeWidgetItem::data(column, role);
    }

private:
    std::shared_ptr<const masters::ClsItem::ItemNames> names_;
    int index_;
};

int cellKey(const QString& cell)
{
    const std::optional<double> n = conv::strictNumber(cell);
    return n ? conv::toInt32(*n).value_or(0) : 0;
}

// The item key of an item node's key ("I" and the number); none for
// categories, the root and anything else.
std::optional<std::int32_t> itemIdOf(const QString& key)
{
    if (!key.startsWith(QLatin1Char('I')))
        return std::nullopt;
    const std::optional<double> n = conv::strictNumber(QStringView(key).mid(1));
    return n ? conv::toInt32(*n) : std::nullopt;
}

}  // namespace

FrmList& frmList() { return ui::form<FrmList>(); }

FrmList::FrmList() : ui::Form(QStringLiteral("frmList")) { setHelpContextId(13); }

FrmList::~FrmList() = default;

masters::clsCategory& FrmList::category()
{
    if (!category_)
        category_ = std::make_unique<masters::clsCategory>();
    return *category_;
}

masters::ClsItem& FrmList::item()
{
    if (!item_)
        item_ = std::make_unique<masters::ClsItem>();
    return *item_;
}

// ---------------------------------------------------------------------------
// The window

void FrmList::createControls()
{
    setCaption(pickerTitle);
    QWidget* c = client();

    auto* g = new QGridLayout(c);
    g->setContentsMargins(ui::toPixels(150), ui::toPixels(120), ui::toPixels(150), ui::toPixels(120));
    g->setHorizontalSpacing(ui::toPixels(150));
    g->setVerticalSpacing(ui::toPixels(90));

    TreeCategory = new QTreeWidget(c);
    TreeCategory->setObjectName(QStringLiteral("TreeCategory"));
    TreeCategory->setAccessibleName(QStringLiteral("Categories and items"));
    TreeCategory->setColumnCount(1);
    TreeCategory->setHeaderHidden(true);
    TreeCategory->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeCategory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Double-clicking an item picks it; a category opens or closes.
    TreeCategory->setExpandsOnDoubleClick(true);
    TreeCategory->setMinimumWidth(ui::toPixels(3300));
    TreeCategory->header()->setStretchLastSection(true);
    g->addWidget(TreeCategory, 0, 0, 3, 1);

    auto* top = new QHBoxLayout;
    top->setSpacing(ui::toPixels(90));
    cmbRooms = new ui::ComboBox(c, QStringLiteral("cmbRooms"), ui::ComboStyle::DropDownList);
    cmbRooms->setAccessibleName(QStringLiteral("Takeoff Name"));
    cmbRooms->setMinimumWidth(ui::toPixels(2700));
    auto* roomLabel = new QLabel(QStringLiteral("Takeoff Name"), c);
    roomLabel->setBuddy(cmbRooms);
    top->addWidget(roomLabel);
    top->addWidget(cmbRooms);
    auto* hint = new QLabel(QStringLiteral("Double-click an item in the tree to add it to the list."), c);
    hint->setObjectName(QStringLiteral("lblHint"));
    top->addSpacing(ui::toPixels(150));
    top->addWidget(hint, 1);
    g->addLayout(top, 0, 1);

    ListView1 = new ui::ListView(c, QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("Items to add"));
    g->addWidget(ListView1, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(ui::toPixels(90));
    cmdDelete = ui::namedButton(c, QStringLiteral("cmdDelete"), QStringLiteral("Delete selected item from List"),
                                QStringLiteral("Remove the selected row from the list"));
    cmdAddEstimate = ui::namedButton(c, QStringLiteral("cmdAddEstimate"), QStringLiteral("Add Items to Estimate"),
                                     QStringLiteral("Add every row to the estimate and close this window"));
    cmdExit = ui::namedButton(c, QStringLiteral("cmdExit"), QStringLiteral("Exit"),
                              QStringLiteral("Close this window; nothing is added"));
    buttons->addWidget(cmdDelete);
    buttons->addStretch(1);
    buttons->addWidget(cmdAddEstimate);
    buttons->addWidget(cmdExit);
    g->addLayout(buttons, 2, 1);
    g->setColumnStretch(1, 1);
    g->setRowStretch(1, 1);

    connect(TreeCategory, &QTreeWidget::itemExpanded, this,
            ui::guard([this](QTreeWidgetItem* node) { loadItems(node); }));
    connect(TreeCategory, &QTreeWidget::itemDoubleClicked, this, ui::guard([this](QTreeWidgetItem* node, int) {
                if (node && TreeCategory)
                    TreeCategory->setCurrentItem(node);
                TreeCategory_DblClick();
            }));
    // Enter on the tree is its double-click: an item is picked, a category
    // opens or closes.
    ui::onEnterKey(TreeCategory, [this] {
        QTreeWidgetItem* node = TreeCategory ? TreeCategory->currentItem() : nullptr;
        if (!node)
            return;
        if (nodeKey(node).startsWith(QLatin1Char('I')))
            TreeCategory_DblClick();
        else
            node->setExpanded(!node->isExpanded());
    });
    ui::onClick(cmdAddEstimate, [this] { cmdAddEstimate_Click(); });
    ui::onClick(cmdDelete, [this] { cmdDelete_Click(); });
    ui::onClick(cmdExit, [this] { cmdExit_Click(); });
    setEscapeAction([this] { cmdExit_Click(); });

    // The tree and the list take the room the window is given.
    setResizable(true);
    setClientSize(14700, 7200);
}

void FrmList::Form_Load()
{
    shell::frmMainMenu().StartUp(*this);
    RefreshTree();
    InitListView();
    FillRooms();
}

void FrmList::Form_Unload()
{
    // The records belong to the window: the next opening reads afresh.
    category_.reset();
    item_.reset();
}

// ---------------------------------------------------------------------------
// The tree

QString FrmList::nodeKey(const QTreeWidgetItem* node) { return node ? node->data(0, keyRole).toString() : QString(); }

QTreeWidgetItem* FrmList::node(const QString& key)
{
    if (!TreeCategory)
        return nullptr;
    const auto find = [&]() -> QTreeWidgetItem* {
        for (QTreeWidgetItemIterator it(TreeCategory); *it; ++it)
            if (nodeKey(*it) == key)
                return *it;
        return nullptr;
    };
    if (QTreeWidgetItem* found = find())
        return found;
    // An item not yet read: its category's items are read now.
    const std::optional<std::int32_t> id = itemIdOf(key);
    if (!id)
        return nullptr;
    masters::ClsItem& it = item();
    it.itemid = *id;
    if (!it.GetItem())
        return nullptr;
    for (QTreeWidgetItemIterator at(TreeCategory); *at; ++at)
        if ((*at)->data(0, categoryRole).isValid() && (*at)->data(0, categoryRole).toInt() == it.CategoryId) {
            loadItems(*at);
            break;
        }
    return find();
}

void FrmList::loadItems(QTreeWidgetItem* categoryNode)
{
    const QVariant category = categoryNode ? categoryNode->data(0, categoryRole) : QVariant();
    if (!category.isValid())
        return;
    categoryNode->setData(0, categoryRole, QVariant());
    categoryNode->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    ui::BusyCursor busy;
    auto names = std::make_shared<const masters::ClsItem::ItemNames>(item().GetCategoryItemNames(category.toInt()));
    QList<QTreeWidgetItem*> leaves;
    leaves.reserve(names->count());
    for (int i = 0; i < names->count(); ++i)
        leaves << new ItemNode(names, i);
    categoryNode->insertChildren(0, leaves);
}

void FrmList::RefreshTree()
{
    if (!TreeCategory)
        return;
    ui::BusyCursor busy;
    TreeCategory->clear();

    // Two reads, whatever the number of categories and items: the
    // categories, and which of them have items. A category's items are
    // read when it is opened.
    const masters::CategoryTree& tree = category().Hierarchy();
    const std::vector<int> withItems = item().GetCategoriesWithItems();
    std::vector<bool> hasItems(tree.rows().size(), false);
    for (int id : withItems)
        if (const int row = tree.indexOf(id); row >= 0)
            hasItems[std::size_t(row)] = true;

    // Built apart from the view and handed to it whole. Under each category
    // its items come first, its sub-categories after them.
    auto* root = newNode(QStringLiteral("R"), QStringLiteral("Categories"));
    std::vector<QTreeWidgetItem*> lastAtLevel;
    for (const masters::CategoryTree::Placed& p : tree.layout()) {
        const masters::CategoryRow& cat = tree.rows()[std::size_t(p.row)];
        QTreeWidgetItem* n = newNode(categoryKey(cat.id, p.level), cat.name);
        (p.level == 1 ? root : lastAtLevel[std::size_t(p.level - 2)])->addChild(n);
        lastAtLevel.resize(std::size_t(p.level));
        lastAtLevel.back() = n;
        if (hasItems[std::size_t(p.row)]) {
            n->setData(0, categoryRole, cat.id);
            n->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        }
    }
    TreeCategory->addTopLevelItem(root);
    TreeCategory->expandItem(root);
    TreeCategory->scrollToItem(root);
}

// ---------------------------------------------------------------------------
// The pick list

void FrmList::InitListView()
{
    if (!ListView1 || ListView1->columnCount() > 0)
        return;
    ListView1->addColumn(QStringLiteral("ID"), 0);
    ListView1->addColumn(QStringLiteral("Takeoff Name"), 1200);
    ListView1->addColumn(QStringLiteral("Item #"), 840);
    ListView1->addColumn(QStringLiteral("Item Name"), 1800);
    ListView1->addColumn(QStringLiteral("Category"), 1440);
    ListView1->addColumn(QStringLiteral("Quantity"), 840);
    ListView1->addColumn(QStringLiteral("Unit"), 840);
    ListView1->addColumn(QStringLiteral("Material"), 1200);
    ListView1->addColumn(QStringLiteral("Labor"), 1200);
    ListView1->addColumn(QStringLiteral("Room Id"), 0);
    for (int column : {ColMaterial, ColLabor}) {
        ListView1->setColumnRightAligned(column);
        ListView1->setColumnFitsContents(column);
    }
    // The columns share the width the list gets beside the tree.
    ListView1->setSpreadColumns(true);
}

void FrmList::FillRooms()
{
    if (!cmbRooms)
        return;
    ClsOrder order;
    cmbRooms->clear();
    if (cmbRooms->addRows(order.GetComboRooms()) > 0)
        cmbRooms->setListIndex(0);
}

void FrmList::TreeCategory_DblClick()
{
    if (!TreeCategory || !ListView1)
        return;
    const QString key = nodeKey(TreeCategory->currentItem());
    // Categories and the root only open and close.
    const std::optional<std::int32_t> id = itemIdOf(key);
    if (!id)
        return;
    if (cmbRooms->listIndex() < 0) {
        ui::msgBox(QStringLiteral("Please add a Takeoff Name first: every item is picked for a takeoff name."),
                   ui::Buttons::Ok, pickerTitle);
        return;
    }

    masters::ClsItem& it = item();
    it.itemid = *id;
    if (!it.GetItem()) {
        ui::msgBox(QStringLiteral("This item is no longer in the item master."), ui::Buttons::Ok, pickerTitle);
        return;
    }
    masters::clsCategory& cat = category();
    cat.Catid = it.CategoryId;
    cat.GetCatg();
    masters::clsMaster unit;
    unit.Mastertable = QStringLiteral("Units");
    unit.Id = it.UnitId;
    unit.GetCatg();

    ListView1->addRow(conv::numberText(it.itemid),
                      {cmbRooms->text(), it.Itemcode, it.Itemname, cat.Catname, conv::numberText(it.qty), unit.Name,
                       conv::numberText(it.Material), conv::numberText(it.Labor),
                       conv::numberText(std::int64_t(cmbRooms->selectedData()))});
    ListView1->scrollToRow(ListView1->rowCount() - 1);
}

void FrmList::cmdDelete_Click()
{
    if (!ListView1 || ListView1->rowCount() == 0)
        return;
    const int row = ListView1->selectedRow();
    if (row < 0)
        return;
    if (ui::msgBox(QStringLiteral("Do you want to delete item '") + ListView1->subItem(row, ColItemCode) +
                       QStringLiteral("'?"),
                   ui::Buttons::YesNo, QStringLiteral("Delete Item from the List")) == ui::Answer::Yes)
        ListView1->removeRow(row);
}

void FrmList::cmdAddEstimate_Click()
{
    if (!ListView1)
        return;
    FrmOrder& order = frmOrder();
    // The rows go in through the estimate screen's Add; a closed, saved or
    // deleting screen takes none, and the list stays for another try.
    if (!order.isLoaded() || order.isSaved() || order.loadedMode() == QLatin1String("D")) {
        ui::msgBox(QStringLiteral("Please open the estimate to add these items to first."), ui::Buttons::Ok,
                   pickerTitle);
        return;
    }
    // A line open for editing would otherwise take the first row's item
    // when Apply is pressed later.
    if (order.isEditingLine())
        order.cmdEditCanc_Click();

    // A line takes its item's own unit; the screen's unit serves only an
    // item whose unit the screen does not list.
    const int screenUnit = order.cmbUnits->listIndex();
    for (int row = 0; row < ListView1->rowCount(); ++row) {
        if (!order.isLoaded())
            return;
        const int itemKey = cellKey(ListView1->text(row));
        const int roomKey = cellKey(ListView1->subItem(row, ColRoomId));
        // By key only: a row whose item or takeoff name the screen does not
        // list (added or removed since it opened) is refused rather than
        // added under whatever happens to be selected.
        const int itemEntry = order.cmbItems->lastEntryOf(itemKey);
        if (itemEntry < 0) {
            ui::msgBox(QStringLiteral("Item '") + ListView1->subItem(row, ColItemName) +
                           QStringLiteral("' is not in the estimate screen's item list, so it was not added."),
                       ui::Buttons::Ok, pickerTitle);
            continue;
        }
        const int roomEntry = order.cmbRooms->lastEntryOf(roomKey);
        if (roomEntry < 0) {
            ui::msgBox(QStringLiteral("Takeoff Name '") + ListView1->subItem(row, ColRoom) +
                           QStringLiteral("' is not in the estimate screen's list, so item '") +
                           ListView1->subItem(row, ColItemName) + QStringLiteral("' was not added."),
                       ui::Buttons::Ok, pickerTitle);
            continue;
        }
        order.cmbRooms->setListIndex(roomEntry);
        masters::ClsItem& it = item();
        it.itemid = itemKey;
        const int unitEntry = it.GetItem() ? order.cmbUnits->lastEntryOf(it.UnitId) : -1;
        order.cmbUnits->setListIndex(unitEntry >= 0 ? unitEntry : screenUnit);
        // Picking the item fills its master prices and default quantity;
        // an entry already selected is picked again for the same effect.
        if (order.cmbItems->listIndex() == itemEntry)
            order.cmbItems_Click();
        else
            order.cmbItems->setListIndex(itemEntry);
        order.cmdAdd_Click();
    }
    order.show();
    unload();
}

void FrmList::cmdExit_Click() { unload(); }

}  // namespace estimates
