#include "menutree.h"

#include <QStringList>

namespace shell {

namespace {

MenuNode item(const QString& name, const QString& caption, QList<MenuStep> steps)
{
    return MenuNode{name, caption, {}, std::move(steps), MenuCommand::None};
}

MenuNode command(const QString& name, const QString& caption, MenuCommand c)
{
    return MenuNode{name, caption, {}, {}, c};
}

MenuNode submenu(const QString& name, const QString& caption, QList<MenuNode> children)
{
    return MenuNode{name, caption, std::move(children), {}, MenuCommand::None};
}

// Set a mode variable, then show.
QList<MenuStep> openWith(const QString& target, const QString& variable, const QVariant& value)
{
    return {{MenuStep::Set, target, variable, value}, {MenuStep::Show, target, {}, {}}};
}

QList<MenuStep> open(const QString& target) { return {{MenuStep::Show, target, {}, {}}}; }

// Add, Edit and Delete of one list screen.
QList<MenuNode> addEditDelete(const QString& suffix, const QString& target)
{
    return {item(QStringLiteral("SubMnuAdd") + suffix, QStringLiteral("Add"),
                 openWith(target, QStringLiteral("AddOrDelete"), QStringLiteral("A"))),
            item(QStringLiteral("SubMnuEdit") + suffix, QStringLiteral("Edit"),
                 openWith(target, QStringLiteral("AddOrDelete"), QStringLiteral("E"))),
            item(QStringLiteral("SubMnuDel") + suffix, QStringLiteral("Delete"),
                 openWith(target, QStringLiteral("AddOrDelete"), QStringLiteral("D")))};
}

// A calculator: Which, Showframe, then show.
MenuNode calculator(int group, int position, const QString& caption, const QString& window, int which)
{
    return item(QStringLiteral("mnucalc%1_%2").arg(group).arg(position), caption,
                {{MenuStep::Set, window, QStringLiteral("Which"), which},
                 {MenuStep::Call, window, QStringLiteral("Showframe"), {}},
                 {MenuStep::Show, window, {}, {}}});
}

QList<MenuNode> calculators(int group, const QString& window, const QList<std::pair<QString, int>>& entries)
{
    QList<MenuNode> out;
    for (int i = 0; i < entries.size(); ++i)
        out << calculator(group, i + 1, entries[i].first, window, entries[i].second);
    return out;
}

QList<MenuNode> build()
{
    const QString calc1 = QStringLiteral("frmCalculators");
    QList<MenuNode> group1 = calculators(1, calc1,
                                         {
                                             {QStringLiteral("Blocks Calculator"), 1},
                                             {QStringLiteral("Concrete Materials Calculator"), 2},
                                             {QStringLiteral("Block Wall Calculator"), 3},
                                             {QStringLiteral("Column Calculator"), 4},
                                             {QStringLiteral("Bricks Calculator"), 5},
                                             {QStringLiteral("Conversions"), 6},
                                             {QStringLiteral("Scientific Calculator"), 7},
                                             {QStringLiteral("Foundation Concrete Calculator"), 8},
                                             {QStringLiteral("Wall Framing Calculator"), 9},
                                             {QStringLiteral("Roof Area Calculator"), 10},
                                             {QStringLiteral("Board Foot Calculator"), 11},
                                         });
    // Conversions shows its window first, then switches to it.
    group1[5].steps = {{MenuStep::Show, calc1, {}, {}},
                       {MenuStep::Set, calc1, QStringLiteral("Which"), 6},
                       {MenuStep::Call, calc1, QStringLiteral("Showframe"), {}}};

    // Group 2's numbers are its tab positions, not the menu order.
    const QList<MenuNode> group2 = calculators(2, QStringLiteral("frmCalculator2"),
                                               {
                                                   {QStringLiteral("Rafter Angle Calculator"), 1},
                                                   {QStringLiteral("Paint Coverage Calculator"), 2},
                                                   {QStringLiteral("Concrete Calculator for Circular Volumes"), 3},
                                                   {QStringLiteral("Insulation"), 9},
                                                   {QStringLiteral("Deck hand railing input"), 10},
                                                   {QStringLiteral("Deck"), 11},
                                                   {QStringLiteral("Tile"), 12},
                                                   {QStringLiteral("Oak floor"), 13},
                                                   {QStringLiteral("Carpet"), 14},
                                                   {QStringLiteral("Gutter"), 15},
                                                   {QStringLiteral("Sofface"), 16},
                                                   {QStringLiteral("Crown moulding calculatr"), 4},
                                                   {QStringLiteral("Square house calculator"), 5},
                                                   {QStringLiteral("Wall Base"), 6},
                                                   {QStringLiteral("Shoe Mould"), 7},
                                                   {QStringLiteral("Crown Mould"), 8},
                                               });
    const QList<MenuNode> group3 = calculators(3, QStringLiteral("frmCalculator3"),
                                               {
                                                   {QStringLiteral("Trenching for Tanks"), 1},
                                                   {QStringLiteral("Utility Trenching"), 2},
                                                   {QStringLiteral("Excavation Volume"), 3},
                                                   {QStringLiteral("Steel Beam"), 4},
                                                   {QStringLiteral("Ceramic Tile Calculator"), 5},
                                                   {QStringLiteral("Carpet Calculator"), 6},
                                                   {QStringLiteral("Wallpaper Calculator"), 7},
                                                   {QStringLiteral("Sheet Vinyl Calculator"), 8},
                                                   {QStringLiteral("Resilient Tile Calculator"), 9},
                                               });
    const QList<MenuNode> group4 = calculators(4, QStringLiteral("frmCalculator4"),
                                               {
                                                   {QStringLiteral("Roofing Calculator"), 1},
                                                   {QStringLiteral("Lumber Calculator"), 2},
                                               });

    return {
        submenu(QStringLiteral("mnuFile"), QStringLiteral("File"),
                {command(QStringLiteral("mnuExport"), QStringLiteral("Backup"), MenuCommand::Backup),
                 command(QStringLiteral("mnuImport"), QStringLiteral("Restore from Backup"), MenuCommand::Restore),
                 command(QStringLiteral("mnuClose"), QStringLiteral("Exit"), MenuCommand::Exit)}),
        submenu(
            QStringLiteral("mnuInventory"), QStringLiteral("Mater Tables"),
            {submenu(QStringLiteral("mnuCatg"), QStringLiteral("Categories"),
                     addEditDelete(QStringLiteral("Cat"), QStringLiteral("frmCategory"))),
             item(QStringLiteral("mnuRooms"), QStringLiteral("Takeoff Names"),
                  openWith(QStringLiteral("frmMaster"), QStringLiteral("MastertableName"), QStringLiteral("Rooms"))),
             item(QStringLiteral("mnuUnits"), QStringLiteral("Units"),
                  openWith(QStringLiteral("frmMaster"), QStringLiteral("MastertableName"), QStringLiteral("Units"))),
             submenu(QStringLiteral("MnuItem"), QStringLiteral("Item"),
                     addEditDelete(QStringLiteral("Item"), QStringLiteral("frmItem"))),
             submenu(QStringLiteral("mnuCustomer"), QStringLiteral("Customers"),
                     addEditDelete(QStringLiteral("Cust"), QStringLiteral("frmCustomer")))}),
        submenu(QStringLiteral("mnuEstimates"), QStringLiteral("Estimates"),
                {item(QStringLiteral("mnuNewEstimate"), QStringLiteral("New Estimate"),
                      openWith(QStringLiteral("frmOrder"), QStringLiteral("AddOrDelete"), QStringLiteral("A"))),
                 item(QStringLiteral("mnuEditEstimate"), QStringLiteral("Search/Edit Estimate"),
                      open(QStringLiteral("frmOrders"))),
                 item(QStringLiteral("mnuDelEstimate"), QStringLiteral("Delete Estimate"),
                      {{MenuStep::Set, QStringLiteral("frmOrder"), QStringLiteral("AddOrDelete"), QStringLiteral("D")},
                       {MenuStep::Set, QStringLiteral("FrmOrderNo"), QStringLiteral("Caption"),
                        QStringLiteral("Delete Order")},
                       {MenuStep::Show, QStringLiteral("FrmOrderNo"), {}, {}}})}),
        submenu(QStringLiteral("mnucalc"), QStringLiteral("Calculators"),
                {submenu(QStringLiteral("mnucalc1"), QStringLiteral("Group 1"), group1),
                 submenu(QStringLiteral("mnucalc2"), QStringLiteral("Group 2"), group2),
                 submenu(QStringLiteral("mnucalc3"), QStringLiteral("Group 3"), group3),
                 submenu(QStringLiteral("mnucalc4"), QStringLiteral("Group 4"), group4)}),
        submenu(QStringLiteral("mnuReport"), QStringLiteral("Reports"),
                {item(QStringLiteral("mnusalesrpt"), QStringLiteral("Estimates Report"),
                      open(QStringLiteral("frmRptOrders"))),
                 item(QStringLiteral("mnucustrpt"), QStringLiteral("Customers Report"),
                      open(QStringLiteral("rptCustomers")))}),
        command(QStringLiteral("mnuBlank"), QStringLiteral("Notes Area"), MenuCommand::NotesArea),
        submenu(QStringLiteral("mnuHelp"), QStringLiteral("Help"),
                {command(QStringLiteral("mnuHelpContents"), QStringLiteral("Contents"), MenuCommand::HelpContents),
                 command(QStringLiteral("mnuHelpSearch"), QStringLiteral("Search for help on..."),
                         MenuCommand::HelpSearch)}),
        command(QStringLiteral("mnuExit"), QStringLiteral("Exit"), MenuCommand::Exit),
    };
}

const MenuNode* find(const QList<MenuNode>& nodes, const QString& name)
{
    for (const MenuNode& n : nodes) {
        if (n.name == name)
            return &n;
        if (const MenuNode* inner = find(n.children, name))
            return inner;
    }
    return nullptr;
}

bool path(const QList<MenuNode>& nodes, const QString& name, QStringList& captions)
{
    for (const MenuNode& n : nodes) {
        captions << n.caption;
        if (n.name == name || path(n.children, name, captions))
            return true;
        captions.removeLast();
    }
    return false;
}

}  // namespace

const QList<MenuNode>& mainMenuTree()
{
    static const QList<MenuNode> tree = build();
    return tree;
}

const MenuNode* findMenuNode(const QString& name) { return find(mainMenuTree(), name); }

}  // namespace shell

namespace shell {

QString menuPath(const QString& name)
{
    QStringList captions;
    path(mainMenuTree(), name, captions);
    return captions.join(QStringLiteral(" > "));
}

}  // namespace shell
