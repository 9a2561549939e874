#include "frmlist.h"

#include "clsorder.h"
#include "frmorder.h"

#include "data/conversions.h"
#include "masters/clscategory.h"
#include "masters/clsitem.h"
#include "masters/clsmaster.h"
#include "shell/mainmenu.h"
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
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace estimates {

namespace {

const QString pickerTitle = QStringLiteral("Items List");
constexpr int keyRole = Qt::UserRole;

QPushButton* button(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setToolTip(tip);
    return b;
}

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

struct CategoryRow {
    int id = 0;
    QString name;
    int parent = 0;
};

struct ItemRow {
    int id = 0;
    QString name;
};

// The last entry of a combo whose item data is `key`, -1 for none.
int lastEntryOf(const ui::ComboBox* combo, qint64 key)
{
    int found = -1;
    for (int i = 0; i < combo->listCount(); ++i)
        if (combo->itemData(i) == key)
            found = i;
    return found;
}

int cellKey(const QString& cell)
{
    const std::optional<double> n = conv::strictNumber(cell);
    return n ? conv::toInt32(*n).value_or(0) : 0;
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
    cmdDelete = button(c, QStringLiteral("cmdDelete"), QStringLiteral("Delete selected item from List"),
                       QStringLiteral("Remove the selected row from the list"));
    cmdAddEstimate = button(c, QStringLiteral("cmdAddEstimate"), QStringLiteral("Add Items to Estimate"),
                            QStringLiteral("Add every row to the estimate and close this window"));
    cmdExit = button(c, QStringLiteral("cmdExit"), QStringLiteral("Exit"),
                     QStringLiteral("Close this window; nothing is added"));
    buttons->addWidget(cmdDelete);
    buttons->addStretch(1);
    buttons->addWidget(cmdAddEstimate);
    buttons->addWidget(cmdExit);
    g->addLayout(buttons, 2, 1);
    g->setColumnStretch(1, 1);
    g->setRowStretch(1, 1);

    connect(TreeCategory, &QTreeWidget::itemDoubleClicked, this,
            ui::guard([this](QTreeWidgetItem* node, int) {
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
    // Within each parent the categories come by name; where each one stands
    // in the tree follows from its parent.
    sortField_ = QStringLiteral("CatName");
    sortDir_ = QStringLiteral("A");
    page_ = -1;
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

QString FrmList::nodeKey(const QTreeWidgetItem* node)
{
    return node ? node->data(0, keyRole).toString() : QString();
}

QTreeWidgetItem* FrmList::node(const QString& key) const
{
    if (!TreeCategory)
        return nullptr;
    for (QTreeWidgetItemIterator it(TreeCategory); *it; ++it)
        if (nodeKey(*it) == key)
            return *it;
    return nullptr;
}

void FrmList::RefreshTree()
{
    if (!TreeCategory)
        return;
    TreeCategory->clear();

    std::vector<CategoryRow> cats;
    int page = page_;
    int pageCount = 0;
    if (const std::optional<data::RowArray> rows = category().GetAllCategories(page, pageCount, sortField_, sortDir_)) {
        cats.reserve(std::size_t(rows->rowCount()));
        for (int r = 0; r < rows->rowCount(); ++r)
            cats.push_back({rows->at(0, r).toInt(), rows->at(1, r).toText(), rows->at(3, r).toInt()});
    }

    auto* root = newNode(QStringLiteral("R"), QStringLiteral("Categories"));
    TreeCategory->addTopLevelItem(root);

    // Each category's items, by name. The search matches the category key
    // as a prefix ("1" finds the items of 1, 10, 11, ...), so an item found
    // by several searches belongs to the category with the longest key text
    // among them: its own, which is always searched too.
    std::unordered_map<int, std::vector<ItemRow>> found;
    std::unordered_map<int, int> ownerOf;
    masters::ClsItem& items = item();
    for (const CategoryRow& cat : cats) {
        items.SearchFld = QStringLiteral("Categoryid");
        items.SearchVal = conv::numberText(cat.id);
        int itemPage = -1;
        int itemPages = 0;
        std::vector<ItemRow>& mine = found[cat.id];
        const std::optional<data::RowArray> rows =
            items.GetSearchItems(itemPage, itemPages, QStringLiteral("ItemName"), QStringLiteral("A"));
        if (!rows)
            continue;
        const int keyLength = int(items.SearchVal.size());
        for (int r = 0; r < rows->rowCount(); ++r) {
            const int id = rows->at(0, r).toInt();
            mine.push_back({id, rows->at(1, r).toText()});
            const auto owner = ownerOf.find(id);
            if (owner == ownerOf.end() || keyLength > int(conv::numberText(owner->second).size()))
                ownerOf[id] = cat.id;
        }
    }
    const auto addItems = [&](QTreeWidgetItem* under, int catId) {
        const auto mine = found.find(catId);
        if (mine == found.end())
            return;
        for (const ItemRow& it : mine->second)
            if (ownerOf[it.id] == catId)
                under->addChild(newNode(QStringLiteral("I") + conv::numberText(it.id), it.name));
    };

    std::unordered_map<int, int> indexOf;
    std::unordered_map<int, std::vector<int>> children;
    for (int i = 0; i < int(cats.size()); ++i) {
        indexOf.emplace(cats[std::size_t(i)].id, i);
        children[cats[std::size_t(i)].parent].push_back(i);
    }
    std::vector<bool> placed(cats.size(), false);
    std::vector<QTreeWidgetItem*> tops;

    // A category and everything below it, depth first: under each node its
    // items, then its sub-categories in array order. Iterative, so a long
    // chain of categories cannot exhaust the stack; a category is placed
    // once, so a loop in the data ends here.
    const auto place = [&](int start) {
        struct Pending {
            int index;
            QTreeWidgetItem* parent;
            int level;
        };
        std::vector<Pending> stack{{start, nullptr, 1}};
        while (!stack.empty()) {
            const Pending p = stack.back();
            stack.pop_back();
            if (placed[std::size_t(p.index)])
                continue;
            placed[std::size_t(p.index)] = true;
            const CategoryRow& cat = cats[std::size_t(p.index)];
            QTreeWidgetItem* n = newNode(categoryKey(cat.id, p.level), cat.name);
            if (p.parent)
                p.parent->addChild(n);
            else
                tops.push_back(n);
            addItems(n, cat.id);
            const auto kids = children.find(cat.id);
            if (kids == children.end())
                continue;
            for (auto k = kids->second.rbegin(); k != kids->second.rend(); ++k)
                if (!placed[std::size_t(*k)])
                    stack.push_back({*k, n, p.level + 1});
        }
    };

    // Top level: no parent, a parent that is not there, or itself as parent.
    for (int i = 0; i < int(cats.size()); ++i) {
        const CategoryRow& cat = cats[std::size_t(i)];
        if (cat.parent == 0 || cat.parent == cat.id || !indexOf.count(cat.parent))
            place(i);
    }
    // What is left hangs in or below a loop of parents. Walk up from it to
    // the first category met twice, a member of the loop, and put that one
    // at the top; the rest of the loop and all below it follow under it.
    for (int i = 0; i < int(cats.size()); ++i) {
        if (placed[std::size_t(i)])
            continue;
        std::unordered_set<int> seen;
        int at = i;
        while (seen.insert(at).second) {
            const auto up = indexOf.find(cats[std::size_t(at)].parent);
            if (up == indexOf.end() || placed[std::size_t(up->second)])
                break;
            at = up->second;
        }
        place(at);
    }

    // The root keeps its children sorted by text.
    std::stable_sort(tops.begin(), tops.end(), [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return a->text(0).compare(b->text(0), Qt::CaseInsensitive) < 0;
    });
    for (QTreeWidgetItem* n : tops)
        root->addChild(n);

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
    if (!key.startsWith(QLatin1Char('I')))
        return;
    const std::optional<double> n = conv::strictNumber(QStringView(key).mid(1));
    const std::optional<std::int16_t> id = n ? conv::toInt16(*n) : std::nullopt;
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

    for (int row = 0; row < ListView1->rowCount(); ++row) {
        if (!order.isLoaded())
            return;
        const int itemKey = cellKey(ListView1->text(row));
        const int roomKey = cellKey(ListView1->subItem(row, ColRoomId));
        // By key only: a row whose item or takeoff name the screen does not
        // list (added or removed since it opened) is refused rather than
        // added under whatever happens to be selected.
        const int itemEntry = lastEntryOf(order.cmbItems, itemKey);
        if (itemEntry < 0) {
            ui::msgBox(QStringLiteral("Item '") + ListView1->subItem(row, ColItemName) +
                           QStringLiteral("' is not in the estimate screen's item list, so it was not added."),
                       ui::Buttons::Ok, pickerTitle);
            continue;
        }
        const int roomEntry = lastEntryOf(order.cmbRooms, roomKey);
        if (roomEntry < 0) {
            ui::msgBox(QStringLiteral("Takeoff Name '") + ListView1->subItem(row, ColRoom) +
                           QStringLiteral("' is not in the estimate screen's list, so item '") +
                           ListView1->subItem(row, ColItemName) + QStringLiteral("' was not added."),
                       ui::Buttons::Ok, pickerTitle);
            continue;
        }
        order.cmbRooms->setListIndex(roomEntry);
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
