#include "listscreen.h"

#include "detaildialog.h"

#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/buttons.h"
#include "ui/helpicon.h"
#include "ui/events.h"
#include "ui/listview.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace masters {

namespace {

QPushButton* button(QWidget* parent, const QString& name, const QString& text)
{
    auto* b = ui::namedButton(parent, name, text);
    b->setMinimumWidth(ui::toPixels(1200));
    return b;
}

}  // namespace

ListScreen::ListScreen(const QString& formName, Design design) : ui::Form(formName), design_(std::move(design)) {}

ListScreen::~ListScreen() = default;

QPushButton* ListScreen::modeButton(QChar letter) const
{
    switch (letter.unicode()) {
    case 'A': return cmdAdd;
    case 'E': return CmdEdit;
    case 'D': return cmdDel;
    case 'C': return cmdCopy;
    case 'S': return CmdSelect;
    default: return nullptr;
    }
}

void ListScreen::createControls()
{
    setCaption(design_.caption);
    setClientSize(clientWidth(), clientHeight());
    setHelpContextId(design_.helpContext);
    QWidget* c = client();
    options_.clear();
    optionColumns_.clear();
    searchBox_ = nullptr;

    cmdSearch = button(c, QStringLiteral("cmdSearch"), QStringLiteral("Search"));
    CmdAll = button(c, QStringLiteral("CmdAll"), QStringLiteral("Show All"));

    auto* outer = new QVBoxLayout(c);
    outer->setContentsMargins(ui::toPixels(150), ui::toPixels(120), ui::toPixels(150), ui::toPixels(120));
    outer->setSpacing(ui::toPixels(90));

    auto* top = new QGridLayout;
    top->setHorizontalSpacing(ui::toPixels(120));
    top->setVerticalSpacing(ui::toPixels(90));
    outer->addLayout(top);
    createSearchControls(top);

    ListView1 = new ui::ListView(c, QStringLiteral("ListView1"));
    for (const Column& col : columns()) {
        const int column = ListView1->addColumn(col.header, col.widthTwips);
        if (col.money) {
            ListView1->setColumnRightAligned(column);
            ListView1->setColumnFitsContents(column);
        }
    }
    outer->addWidget(ListView1, 1);

    lblHint = new QLabel(hintText(), c);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    lblHint->setVisible(!hintText().isEmpty());
    outer->addWidget(lblHint);

    auto* paging = new QHBoxLayout;
    LblRecords = new QLabel(c);
    LblRecords->setObjectName(QStringLiteral("LblRecords"));
    paging->addWidget(LblRecords, 1);
    CmdPrev = button(c, QStringLiteral("CmdPrev"), QStringLiteral("Prev"));
    CmdNext = button(c, QStringLiteral("CmdNext"), QStringLiteral("Next"));
    paging->addWidget(CmdPrev);
    paging->addWidget(CmdNext);
    outer->addLayout(paging);

    auto* buttons = new QHBoxLayout;
    const QString letters = modeButtons();
    const auto make = [&](QChar letter, QPointer<QPushButton>& slot, const char* name, const char* text) {
        if (!letters.contains(letter))
            return;
        slot = button(c, QString::fromLatin1(name), QString::fromLatin1(text));
    };
    make(u'A', cmdAdd, "cmdAdd", "Add");
    make(u'E', CmdEdit, "CmdEdit", "Edit");
    make(u'D', cmdDel, "cmdDel", "Delete");
    make(u'C', cmdCopy, "cmdCopy", "Copy");
    make(u'S', CmdSelect, "CmdSelect", "Select");
    for (QChar letter : letters)
        if (QPushButton* b = modeButton(letter))
            buttons->addWidget(b);
    buttons->addStretch(1);
    cmdExit = button(c, QStringLiteral("cmdExit"), QStringLiteral("Exit"));
    cmdExit->setToolTip(QStringLiteral("Press Exit to close this window"));
    buttons->addWidget(cmdExit);
    if (hasHelpButton()) {
        cmdMainHelp = button(c, QStringLiteral("cmdMainHelp"), QStringLiteral("Help"));
        cmdMainHelp->setIcon(ui::helpIcon());
        cmdMainHelp->setToolTip(QStringLiteral("The assistant explains this screen"));
        buttons->addWidget(cmdMainHelp);
    }
    outer->addLayout(buttons);
    // The designed size, or what the controls need with the fonts at hand;
    // the list takes whatever the user gives the window beyond that.
    setResizable(true);
    // Escape closes the screen as its exit button does.
    setEscapeAction([this] { cmdExit_Click(); });

    // Keyboard order follows the window from top to bottom, whatever order
    // the member made its controls in.
    QList<QWidget*> chain;
    if (searchBox_)
        chain << searchBox_.data();
    chain << cmdSearch.data() << CmdAll.data();
    for (const auto& o : options_)
        chain << o.data();
    chain << ListView1.data() << CmdPrev.data() << CmdNext.data();
    for (QChar letter : letters)
        if (QPushButton* b = modeButton(letter))
            chain << b;
    chain << cmdExit.data();
    if (cmdMainHelp)
        chain << cmdMainHelp.data();
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);

    ui::onClick(cmdSearch, [this] { cmdSearch_Click(); });
    ui::onClick(CmdAll, [this] { CmdAll_Click(); });
    ui::onClick(CmdPrev, [this] { CmdPrev_Click(); });
    ui::onClick(CmdNext, [this] { CmdNext_Click(); });
    if (cmdAdd)
        ui::onClick(cmdAdd, [this] { cmdAdd_Click(); });
    if (CmdEdit)
        ui::onClick(CmdEdit, [this] { CmdEdit_Click(); });
    if (cmdDel)
        ui::onClick(cmdDel, [this] { cmdDel_Click(); });
    if (cmdCopy)
        ui::onClick(cmdCopy, [this] { cmdCopy_Click(); });
    if (CmdSelect)
        ui::onClick(CmdSelect, [this] { CmdSelect_Click(); });
    ui::onClick(cmdExit, [this] { cmdExit_Click(); });
    if (cmdMainHelp)
        ui::onClick(cmdMainHelp, [this] { cmdMainHelp_Click(); });
    connect(ListView1, &ui::ListView::columnClicked, this,
            ui::guard([this](int position) { ListView1_ColumnClick(position); }));
    connect(ListView1, &ui::ListView::rowDoubleClicked, this, ui::guard([this](int) { ListView1_DblClick(); }));

    controlsCreated();
    ListView1->setSpreadColumns(true);
}

ui::TextBox* ListScreen::addSearchRow(QGridLayout* grid, const QString& label, const QString& boxName)
{
    QWidget* c = client();
    auto* l = new QLabel(label, c);
    l->setObjectName(QStringLiteral("lblSearch"));
    auto* box = new ui::TextBox(c, boxName);
    box->setAccessibleName(label);
    l->setBuddy(box);
    grid->addWidget(l, 0, 0);
    grid->addWidget(box, 0, 1);
    grid->addWidget(cmdSearch, 0, 2);
    grid->addWidget(CmdAll, 0, 3);
    grid->setColumnStretch(1, 1);
    setSearchBox(box);
    return box;
}

void ListScreen::addSearchOptions(QGridLayout* grid, const QString& label, const QList<SearchOption>& options)
{
    QWidget* c = client();
    auto* l = new QLabel(label, c);
    l->setObjectName(QStringLiteral("lblSearchOn"));
    grid->addWidget(l, 1, 0);
    auto* row = new QHBoxLayout;
    row->setSpacing(ui::toPixels(240));
    for (const SearchOption& o : options) {
        auto* r = new QRadioButton(o.caption, c);
        r->setObjectName(o.name);
        r->setChecked(options_.isEmpty());
        options_ << r;
        optionColumns_ << o.column;
        row->addWidget(r);
    }
    row->addStretch(1);
    grid->addLayout(row, 1, 1, 1, 3);
}

void ListScreen::setSearchBox(ui::TextBox* box)
{
    searchBox_ = box;
    if (box && cmdSearch)
        connect(box, &QLineEdit::returnPressed, cmdSearch, &QPushButton::click);
}

void ListScreen::focusSearchBox(bool selectAll)
{
    if (!searchBox_)
        return;
    searchBox_->setEnabled(true);
    searchBox_->setFocus();
    if (selectAll)
        searchBox_->selectAll();
}

QString ListScreen::searchOption() const
{
    for (int i = 0; i < options_.size(); ++i)
        if (options_[i] && options_[i]->isChecked())
            return optionColumns_.value(i);
    return {};
}

QRadioButton* ListScreen::searchOptionButton(const QString& objectName) const
{
    for (const auto& o : options_)
        if (o && o->objectName() == objectName)
            return o;
    return nullptr;
}

void ListScreen::Form_Load()
{
    shell::frmMainMenu().StartUp(*this);
    CurrentPage = 1;
    TotalPages = 0;
    ListMode.clear();
    ListView1->setSortOrder(0);
    SortField = design_.sortField;
    SortDir = QStringLiteral("A");
    RefreshGrid();
    applyMode(AddOrDelete);
    // The sort at load is ascending, yet the header shows "Down": kept as
    // the screens always showed it.
    ListView1->setHeaderIcon(design_.sortPosition - 1, ui::HeaderIcon::Down);
}

void ListScreen::Form_Activate()
{
    if (isLoaded() && AddOrDelete != appliedMode_)
        applyMode(AddOrDelete);
}

void ListScreen::Form_Unload() { HandBack = {}; }

void ListScreen::applyMode(const QString& mode)
{
    appliedMode_ = mode;
    if (mode.size() != 1)
        return;
    QPushButton* shown = modeButton(mode.at(0));
    if (!shown)
        return;
    for (QChar letter : modeButtons())
        if (QPushButton* b = modeButton(letter))
            b->setVisible(b == shown);
    const QString caption = modeCaption(mode);
    if (!caption.isEmpty())
        setCaption(caption);
}

QString ListScreen::rowKey(const data::RowArray& rows, int row, bool) { return rows(0, row).toText(); }

void ListScreen::fill(const data::RowArray& rows, bool searched)
{
    for (int r = 0; r < rows.rowCount(); ++r)
        ListView1->addRow(rowKey(rows, r, searched), rowSubItems(rows, r, searched));
}

void ListScreen::enablePaging()
{
    CmdPrev->setEnabled(CurrentPage > 1);
    CmdNext->setEnabled(CurrentPage < TotalPages);
}

void ListScreen::RefreshGrid()
{
    if (!isLoaded() || !ListView1)
        return;
    // The buttons act on the selected row: after the rows are rebuilt the
    // same record must be selected again, or none of this page's rows but
    // the first.
    const QString kept = ListView1->selectedKey();
    ListView1->clearRows();
    // The getter moves a page beyond the last one (after a delete) onto
    // the last page and says so through CurrentPage.
    std::optional<data::RowArray> rows = fullList(CurrentPage, TotalPages, SortField, SortDir);
    ListMode = QStringLiteral("All");
    enablePaging();
    if (rows)
        fill(*rows, false);
    if (kept.isEmpty() || !ListView1->selectByKey(kept))
        ListView1->setSelectedRow(ListView1->rowCount() > 0 ? 0 : -1);
    ShowLabel();
}

bool ListScreen::RunSearch()
{
    if (!isLoaded() || !ListView1)
        return false;
    std::optional<data::RowArray> rows = searchList(CurrentPage, TotalPages, SortField, SortDir);
    ListMode = QStringLiteral("Searched");
    enablePaging();
    if (!rows) {
        notFound();
        return false;
    }
    const QString kept = ListView1->selectedKey();
    ListView1->clearRows();
    fill(*rows, true);
    if (kept.isEmpty() || !ListView1->selectByKey(kept))
        ListView1->setSelectedRow(ListView1->rowCount() > 0 ? 0 : -1);
    ShowLabel();
    return true;
}

void ListScreen::Rerun()
{
    if (ListMode == QLatin1String("Searched"))
        RunSearch();
    else
        RefreshGrid();
}

void ListScreen::ShowLabel()
{
    if (!LblRecords || !ListView1)
        return;
    const records::RecordClass& r = records();
    const int first = (CurrentPage - 1) * r.PageSize;
    LblRecords->setText(QStringLiteral("Record ") + QString::number(first + 1) + QStringLiteral(" - ") +
                        QString::number(first + ListView1->rowCount()) + QStringLiteral(" of ") +
                        QString::number(r.RecordCount));
}

void ListScreen::cmdSearch_Click()
{
    takeSearch();
    CurrentPage = 1;
    RunSearch();
    focusSearchBox(true);
}

void ListScreen::CmdAll_Click()
{
    RefreshGrid();
    focusSearchBox(false);
}

void ListScreen::CmdPrev_Click()
{
    if (CurrentPage > 1) {
        --CurrentPage;
        Rerun();
    }
}

void ListScreen::CmdNext_Click()
{
    if (CurrentPage < TotalPages) {
        ++CurrentPage;
        Rerun();
    }
}

void ListScreen::ListView1_ColumnClick(int position)
{
    if (!ListView1)
        return;
    ListView1->setAllHeaderIcons(ui::HeaderIcon::Blank);
    const QList<Column> cols = columns();
    if (position >= 1 && position <= cols.size() && !cols[position - 1].sortField.isEmpty())
        SortField = cols[position - 1].sortField;
    // One flag for all columns: every click turns the direction, whichever
    // header it was on.
    if (ListView1->sortOrder() == 1) {
        SortDir = QStringLiteral("A");
        Rerun();
        if (!ListView1)
            return;
        ListView1->setSortOrder(0);
        ListView1->setHeaderIcon(position - 1, ui::HeaderIcon::Up);
    } else {
        SortDir = QStringLiteral("D");
        Rerun();
        if (!ListView1)
            return;
        ListView1->setSortOrder(1);
        ListView1->setHeaderIcon(position - 1, ui::HeaderIcon::Down);
    }
}

void ListScreen::ListView1_DblClick()
{
    if (!hasRows())
        return;
    if (AddOrDelete == QLatin1String("S") && doubleClickPicks()) {
        CmdSelect_Click();
        return;
    }
    const int key = selectedKey();
    turnModeForRow();
    openRow(key);
    Rerun();
}

void ListScreen::CmdSelect_Click()
{
    if (!hasRows())
        return;
    // Closing drops the hook, so it is called from a copy.
    const HandBackFn handBack = HandBack;
    if (handBack)
        handBack(selectedKey(), selectedSubItem(1));
    unload();
}

void ListScreen::cmdExit_Click() { unload(); }

void ListScreen::cmdMainHelp_Click() { shell::speakHelp(helpText(AddOrDelete)); }

bool ListScreen::hasRows() const { return ListView1 && ListView1->rowCount() > 0; }

int ListScreen::selectedKey() const { return selectedKeyText().toInt(); }

QString ListScreen::selectedKeyText() const { return ListView1 ? ListView1->selectedKey() : QString(); }

QString ListScreen::selectedSubItem(int i) const
{
    if (!ListView1)
        return {};
    return ListView1->subItem(ListView1->selectedRow(), i);
}

void ListScreen::turnModeForRow()
{
    if (AddOrDelete == QLatin1String("A"))
        AddOrDelete = QStringLiteral("AE");
    else if (AddOrDelete == QLatin1String("D"))
        AddOrDelete = QStringLiteral("DE");
    else if (AddOrDelete == QLatin1String("E"))
        AddOrDelete = QStringLiteral("EE");
}

void ListScreen::showDialog(DetailDialog& dialog)
{
    dialog.Opener = this;
    dialog.showModal();
}

}  // namespace masters
