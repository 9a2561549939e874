#pragma once
// The multi-item picker "Items List": many items collected for an estimate
// at once. The category tree shows the categories with their items as
// leaves; double-clicking an item adds it, with the takeoff name chosen at
// the top, to the pick list; "Add Items to Estimate" hands every row to the
// estimate screen, which adds one line per row through its own Add rules,
// then the picker closes. It writes nothing to the database.
//
// Tree node keys: "R" the root "Categories"; a category "C" & key at the
// top level, "C1_" & key at the second, "C2_" & key at the third, and so
// on ("Cn_" & key at level n + 1); an item "I" & item key, under its own
// category. A category whose parent is missing stands at the top level, as
// does one of each loop of categories that are each other's parents, so
// that every category and item can be reached.

#include "ui/form.h"

#include <QPointer>
#include <QString>
#include <memory>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace masters {
class ClsItem;
class clsCategory;
}  // namespace masters

namespace ui {
class ComboBox;
class ListView;
}  // namespace ui

namespace estimates {

class FrmList : public ui::Form {
    Q_OBJECT
public:
    FrmList();
    ~FrmList() override;

    // --- Public procedures ------------------------------------------------
    // Rebuilds the tree of categories and items from the database.
    void RefreshTree();
    void InitListView();
    // The takeoff names, the first one selected.
    void FillRooms();

    // --- Event procedures -------------------------------------------------
    // Adds the tree's selected item (not a category) to the pick list.
    void TreeCategory_DblClick();
    void cmdAddEstimate_Click();
    void cmdDelete_Click();
    void cmdExit_Click();

    // The key of a tree node; empty for none.
    static QString nodeKey(const QTreeWidgetItem* node);
    // The tree's node of a key; null when there is none. An item's node is
    // made with its category's items when asked for.
    QTreeWidgetItem* node(const QString& key);

    // Columns of the pick list.
    enum Column {
        ColItemId = 0,  // hidden: item key (the row's text)
        ColRoom,        // takeoff name
        ColItemCode,    // "Item #"
        ColItemName,
        ColCategory,
        ColQty,  // the item's default quantity, for show
        ColUnit,
        ColMaterial,
        ColLabor,
        ColRoomId,  // hidden: takeoff name key
    };

    // --- Controls (null while the window is not loaded) -------------------
    QPointer<QTreeWidget> TreeCategory;
    QPointer<ui::ComboBox> cmbRooms;
    QPointer<ui::ListView> ListView1;
    QPointer<QPushButton> cmdAddEstimate, cmdDelete, cmdExit;

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    masters::clsCategory& category();
    masters::ClsItem& item();
    // Puts a category's items under its node, before its sub-categories,
    // once: when it is first opened.
    void loadItems(QTreeWidgetItem* categoryNode);

    std::unique_ptr<masters::clsCategory> category_;
    std::unique_ptr<masters::ClsItem> item_;
};

FrmList& frmList();

}  // namespace estimates
