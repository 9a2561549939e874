#pragma once
// The main window's menu bar as data: every item with its control name,
// caption and what picking it does. The menu bar, the picture buttons'
// pop-ups and the tests all read this one table.

#include <QList>
#include <QString>
#include <QVariant>

namespace shell {

// One step of opening a screen.
struct MenuStep {
    enum Kind { Set, Call, Show };
    Kind kind;
    QString target;  // form name, e.g. "frmItem"
    QString name;    // variable or procedure name ("AddOrDelete", "Showframe")
    QVariant value;  // for Set
};

// What an item does besides opening screens.
enum class MenuCommand { None, Backup, Restore, Exit, NotesArea, HelpContents, HelpSearch };

struct MenuNode {
    QString name;  // control name, used as objectName
    QString caption;
    QList<MenuNode> children;  // a submenu when not empty
    QList<MenuStep> steps;
    MenuCommand command = MenuCommand::None;
};

// Top level, left to right.
const QList<MenuNode>& mainMenuTree();

// The node with this control name, anywhere in the tree; nullptr if none.
const MenuNode* findMenuNode(const QString& name);

// The captions from the menu bar down to that node: "Mater Tables > Item > Add".
QString menuPath(const QString& name);

}  // namespace shell
