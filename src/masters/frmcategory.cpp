#include "frmcategory.h"

#include "catmast.h"

#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/helpicon.h"
#include "ui/combobox.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/platform.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QToolButton>

namespace masters {

namespace {

const QString inventory = QStringLiteral("Inventory");

}  // namespace

void fillParentCombo(ui::ComboBox& combo, clsCategory& categories)
{
    combo.clear();
    combo.addItem(QStringLiteral("No Parent Category"), 0);
    const std::optional<data::RowArray> rows = categories.GetComboCategories();
    if (!rows || rows->isEmpty())
        return;
    // Plain names: the parent is chosen by name, as the list shows it.
    for (int r = 0; r < rows->rowCount(); ++r)
        combo.addItem(rows->at(1, r).toText(), rows->at(0, r).toInt());
    combo.setListIndex(0);
}

FrmCategory::FrmCategory()
    : ListScreen(QStringLiteral("frmCategory"), {.caption = QStringLiteral("Categories"),
                                                 .helpContext = 4,
                                                 .sortField = QStringLiteral("CatName"),
                                                 .sortPosition = 2})
{}

FrmCategory::~FrmCategory() = default;

void FrmCategory::pickCategory(HandBackFn chosen)
{
    runListScreenModal<FrmCategory>(QStringLiteral("S"), std::move(chosen));
}

clsCategory& FrmCategory::Category()
{
    if (!category_)
        category_ = std::make_unique<clsCategory>(shell::frmMainMenu().NoInList);
    return *category_;
}

QList<ListScreen::Column> FrmCategory::columns() const
{
    return {
        {QStringLiteral("Category ID"), 0, QString()},
        {QStringLiteral("Category Name"), 2400, QStringLiteral("CatName")},
        {QStringLiteral("No. Of Items"), 1200, QStringLiteral("totitm")},
        {QStringLiteral("Parent Category"), 3600, QStringLiteral("ParentCategory")},
    };
}

std::optional<data::RowArray> FrmCategory::fullList(int& page, int& pageCount, const QString& sortField,
                                                    const QString& sortDir)
{
    return Category().GetAllCategories(page, pageCount, sortField, sortDir);
}

std::optional<data::RowArray> FrmCategory::searchList(int& page, int& pageCount, const QString& sortField,
                                                      const QString& sortDir)
{
    return Category().GetSearchCategories(page, pageCount, sortField, sortDir);
}

QStringList FrmCategory::rowSubItems(const data::RowArray& rows, int row, bool searched)
{
    QStringList items{rows(1, row).toText(), rows(2, row).toText()};
    const int parent = rows(3, row).toInt();  // Null reads as 0
    if (searched) {
        // A search listing shows the parent's key, not its name.
        items << QString::number(parent);
    } else {
        if (!parentNames_)
            parentNames_ = std::make_unique<clsCategory>(shell::frmMainMenu().NoInList);
        parentNames_->Catid = parent;
        // Empty for a top-level category and for a parent that is gone.
        items << parentNames_->GetCatg();
    }
    return items;
}

QString FrmCategory::modeCaption(const QString& mode) const
{
    if (mode == QLatin1String("A"))
        return QStringLiteral("Add Category");
    if (mode == QLatin1String("E"))
        return QStringLiteral("Edit Category");
    if (mode == QLatin1String("D"))
        return QStringLiteral("Delete Category");
    if (mode == QLatin1String("S"))
        return QStringLiteral("Select Category");
    return {};
}

QString FrmCategory::searchHelpText()
{
    return QStringLiteral(
        "Enter the name you want to search in the 'Category name' box here and press the 'Search' button.");
}

QString FrmCategory::mainHelpText()
{
    return QStringLiteral(
               "To enter a category, you only need to give the category name. You can create the multiple level of "
               "hierarchy for the categories. You will need to select the 'Parent category' under which you want your "
               "category to appear. ") +
           QStringLiteral("\r\n\r\n") +
           QStringLiteral(
               " This screen also shows list of all the categories in a table. The first column shows category name, "
               "second column shows number of items belonging to that category and third column shows the parent "
               "category name (if any). The table can be sorted by clicking on the column header row.");
}

QString FrmCategory::helpText(const QString&) const { return mainHelpText(); }

void FrmCategory::createSearchControls(QGridLayout* grid)
{
    QWidget* c = client();

    Label1 = new QLabel(QStringLiteral("Category Name"), c);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtCatName = new ui::TextBox(c, QStringLiteral("txtCatName"));
    txtCatName->setAccessibleName(QStringLiteral("Category Name"));
    Label1->setBuddy(txtCatName);

    Label2 = new QLabel(QStringLiteral("Select Parent Category"), c);
    Label2->setObjectName(QStringLiteral("Label2"));
    cmbParent = new ui::ComboBox(c, QStringLiteral("cmbParent"));
    cmbParent->setAccessibleName(QStringLiteral("Select Parent Category"));
    // Long ancestor paths must not widen the window.
    cmbParent->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbParent->setMinimumContentsLength(20);
    Label2->setBuddy(cmbParent);

    cmdHelp2 = new QToolButton(c);
    cmdHelp2->setObjectName(QStringLiteral("cmdHelp2"));
    cmdHelp2->setIcon(ui::helpIcon());
    cmdHelp2->setToolTip(QStringLiteral("The assistant explains the search"));
    cmdHelp2->setAccessibleName(QStringLiteral("Search help"));

    lblExplain = new QLabel(c);
    lblExplain->setObjectName(QStringLiteral("lblExplain"));
    lblExplain->setWordWrap(true);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtCatName, 0, 1);
    grid->addWidget(cmdSearch, 0, 2);
    grid->addWidget(CmdAll, 0, 3);
    grid->addWidget(cmdHelp2, 0, 4);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cmbParent, 1, 1);
    grid->addWidget(lblExplain, 2, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    setSearchBox(txtCatName);

    ui::onClick(cmdHelp2, [this] { cmdHelp2_Click(); });
}

void FrmCategory::controlsCreated()
{
    cmdAdd->setToolTip(QStringLiteral("Press Add Button to add a new category"));
    cmdSearch->setToolTip(
        QStringLiteral("Type the initial characters and press Search to filter categories on the given text"));
    CmdAll->setText(QStringLiteral("Search All"));
    CmdPrev->setText(QStringLiteral("Previous"));
    CmdNext->setText(QStringLiteral("Next"));
    cmdExit->setText(QStringLiteral("Ok"));
    cmdExit->setToolTip(QString());
    QWidget::setTabOrder(txtCatName, cmbParent);
    QWidget::setTabOrder(CmdAll, cmdHelp2);
}

void FrmCategory::applyMode(const QString& mode)
{
    ListScreen::applyMode(mode);
    QString explain;
    if (mode == QLatin1String("A"))
        explain = QStringLiteral(
            "Enter the category name, select parent category and press the 'Add' button to add a new category");
    else if (mode == QLatin1String("E"))
        explain = QStringLiteral(
            "Double click on the category row that you wish to edit and change the category name or parent category "
            "in the window that appears.");
    else if (mode == QLatin1String("D"))
        explain = QStringLiteral(
            "Select the category you wish to delete from the table by clicking that row and press the 'Delete' "
            "button.");
    else if (mode == QLatin1String("S"))
        explain = QStringLiteral(
            "Select category by double clicking the desired category row and pressing the 'Select' button.");
    if (explain.isEmpty())
        return;
    if (lblExplain)
        lblExplain->setText(explain);
    // A screen brought forward in a new mode starts with its boxes usable,
    // whatever a double-click in the old mode left.
    enableBoxes(true);
}

void FrmCategory::Form_Load()
{
    ListScreen::Form_Load();
    FillCatg();
}

void FrmCategory::ClearClass()
{
    clsCategory& c = Category();
    c.Catid = 0;
    c.Catname.clear();
    c.ParentCategory = 0;
    c.AddEditDel.clear();
}

void FrmCategory::FillCatg()
{
    if (cmbParent)
        fillParentCombo(*cmbParent, Category());
}

void FrmCategory::refillParents(qint64 key)
{
    if (!cmbParent)
        return;
    const bool hadSelection = cmbParent->listIndex() >= 0;
    FillCatg();
    if (hadSelection)
        cmbParent->selectByData(key);
}

void FrmCategory::enableBoxes(bool on)
{
    if (txtCatName)
        txtCatName->setEnabled(on);
    if (cmbParent)
        cmbParent->setEnabled(on);
}

void FrmCategory::takeSearch() { Category().Catname = txtCatName ? txtCatName->text() : QString(); }

void FrmCategory::notFound()
{
    // The reload after an inline add that was refused finds nothing again:
    // the user has had the reason already.
    if (adding_)
        return;
    if (AddOrDelete == QLatin1String("A")) {
        if (ui::msgBox(QStringLiteral("Category Not Found : Would You Like To Add ? "), ui::Buttons::YesNo,
                       inventory) == ui::Answer::Yes)
            cmdAdd_Click();
    } else {
        ui::msgBox(QStringLiteral("Category Not Found"));
    }
}

void FrmCategory::SaveCategory()
{
    clsCategory& c = Category();
    c.Catname = txtCatName ? txtCatName->text() : QString();
    c.ParentCategory = cmbParent ? int(cmbParent->selectedData()) : 0;
    if (c.Validate()) {
        c.Save();
        ui::msgBox(QStringLiteral("Category Added "), ui::Buttons::Ok, inventory);
    } else {
        ui::msgBox(QStringLiteral("Please enter Valid Data"), ui::Buttons::Ok, inventory);
    }
    {
        QScopedValueRollback<bool> scope(adding_, true);  // also when an error ends the action
        Rerun();
    }
    ClearClass();
    // A new category can be chosen as a parent at once; the box keeps the
    // parent the user had chosen.
    refillParents(cmbParent ? cmbParent->selectedData() : 0);
}

void FrmCategory::cmdAdd_Click()
{
    if (AddOrDelete == QLatin1String("A")) {
        Category().AddEditDel = QStringLiteral("A");
        SaveCategory();
    } else if (AddOrDelete == QLatin1String("AE")) {
        AddOrDelete = QStringLiteral("A");
    } else {
        return;
    }
    enableBoxes(true);
    if (txtCatName)
        txtCatName->setFocus();
}

void FrmCategory::CmdEdit_Click()
{
    if (!hasRows())
        return;
    FrmCatMast& dialog = ui::form<FrmCatMast>();
    dialog.Cat.Catid = selectedKey();
    dialog.Cat.GetCatg();
    dialog.Cat.AddEditDel = QStringLiteral("E");
    showDialog(dialog);
    if (!isLoaded())
        return;
    Rerun();
    // A renamed category shows under its new name among the parents.
    refillParents(cmbParent ? cmbParent->selectedData() : 0);
}

void FrmCategory::cmdDel_Click()
{
    if (!hasRows())
        return;
    const int key = selectedKey();
    const QString name = selectedSubItem(1);
    clsCategory& c = Category();
    c.Catid = key;
    if (c.GetTotalItems() > 0) {
        ui::msgBox(QStringLiteral("Can not delete category '") + name +
                   QStringLiteral("'. Please delete or reassign items that belong to it first."));
        return;
    }
    if (ui::msgBox(QStringLiteral("Are you sure you want to Delete ' ") + name + QStringLiteral(" '"),
                   ui::Buttons::YesNo, inventory) == ui::Answer::Yes) {
        c.AddEditDel = QStringLiteral("D");
        c.Catid = key;
        // Its sub-categories stay; they show as top-level ones from now on.
        c.Delete();
    }
    RefreshGrid();
    if (txtCatName) {
        txtCatName->clear();
        txtCatName->setEnabled(true);
        txtCatName->setFocus();
    }
    if (cmbParent) {
        // The deleted category must not be offered as a parent any more.
        FillCatg();
        cmbParent->setListIndex(0);
        cmbParent->setEnabled(true);
    }
}

void FrmCategory::CmdAll_Click() { RefreshGrid(); }

void FrmCategory::ListView1_DblClick()
{
    if (!hasRows())
        return;
    clsCategory& c = Category();
    c.Catid = selectedKey();
    c.GetCatg();
    c.AddEditDel = QStringLiteral("E");
    if (txtCatName)
        txtCatName->setText(selectedSubItem(1));
    if (cmbParent && !cmbParent->selectByData(c.ParentCategory) && cmbParent->listCount() > 0)
        cmbParent->setListIndex(0);  // its parent is gone: it is a top-level category now

    if (AddOrDelete == QLatin1String("E")) {
        CmdEdit_Click();
    } else if (AddOrDelete == QLatin1String("A")) {
        enableBoxes(false);
        AddOrDelete = QStringLiteral("AE");
    } else if (AddOrDelete == QLatin1String("D")) {
        enableBoxes(false);
        AddOrDelete = QStringLiteral("DE");
    }
    // The full listing in every mode, also after a search; the frame keeps
    // the double-clicked row selected.
    RefreshGrid();
}

void FrmCategory::cmdHelp2_Click() { shell::speakHelp(searchHelpText()); }

}  // namespace masters
