#include "frmmaster.h"

#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/buttons.h"
#include "ui/helpicon.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace masters {

namespace {

const QString masterEntry = QStringLiteral("Master Entry");

QPushButton* button(QWidget* parent, const QString& name, const QString& text)
{
    auto* b = ui::namedButton(parent, name, text);
    b->setMinimumWidth(ui::toPixels(960));
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return b;
}

}  // namespace

FrmMaster::FrmMaster() : ui::Form(QStringLiteral("frmMaster")) {}

FrmMaster::~FrmMaster() = default;

clsMaster& FrmMaster::Names()
{
    if (!names_)
        names_ = std::make_unique<clsMaster>(shell::frmMainMenu().NoInList);
    return *names_;
}

QString FrmMaster::helpText()
{
    return QStringLiteral(
        "This screen allows you to enter the data which will later be used while creating estimates. Click on "
        "'Add' button to add a new name, enter the name in the text box and press 'Apply' button. You can "
        "navigate through the records by pressing 'Previous' and 'Next' buttons. Total number of records and "
        "current record number are shown on the screen. Any record can be edited by changing the name and "
        "pressing the 'Apply' button. To delete a record, press 'Delete' button when the particular record is "
        "selected.");
}

void FrmMaster::growToFit(QLayout* layout, double width, double height)
{
    // The designed size, or what the controls need with the fonts at hand.
    const QSize need = layout->sizeHint();
    setClientSize(std::max(width, ui::toTwips(need.width())), std::max(height, ui::toTwips(need.height())));
}

void FrmMaster::createControls()
{
    setCaption(QStringLiteral("Master Entry"));
    setClientSize(8700, 2460);
    setHelpContextId(helpContextNumber);
    QWidget* c = client();

    auto* outer = new QVBoxLayout(c);
    outer->setContentsMargins(ui::toPixels(180), ui::toPixels(180), ui::toPixels(180), ui::toPixels(150));
    outer->setSpacing(ui::toPixels(120));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(ui::toPixels(150));
    grid->setVerticalSpacing(ui::toPixels(60));
    grid->setColumnMinimumWidth(0, ui::toPixels(1500));
    grid->setColumnStretch(1, 1);

    Label1 = new QLabel(c);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtName = new ui::TextBox(c, QStringLiteral("txtName"));
    Label1->setBuddy(txtName);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtName, 0, 1, 1, 2);

    lblRecord = new QLabel(QStringLiteral("Record"), c);
    lblRecord->setObjectName(QStringLiteral("lblRecord"));
    grid->addWidget(lblRecord, 1, 1, 1, 2);

    Label2 = new QLabel(QStringLiteral("Search"), c);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtSearch = new ui::TextBox(c, QStringLiteral("txtSearch"));
    txtSearch->setAccessibleName(QStringLiteral("Search"));
    Label2->setBuddy(txtSearch);
    cmdSearch = button(c, QStringLiteral("cmdSearch"), QStringLiteral("Search"));
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(txtSearch, 2, 1);
    grid->addWidget(cmdSearch, 2, 2);
    // A little air between the record line and the search.
    grid->setRowMinimumHeight(1, ui::toPixels(420));
    grid->setAlignment(lblRecord, Qt::AlignTop);
    outer->addLayout(grid);
    outer->addStretch(1);

    auto* buttons = new QHBoxLayout;
    cmdAdd = button(c, QStringLiteral("cmdAdd"), QStringLiteral("Add"));
    cmdAdd->setToolTip(QStringLiteral("Press Add Button to add a new category"));
    CmdSave = button(c, QStringLiteral("CmdSave"), QStringLiteral("Apply"));
    cmdDelete = button(c, QStringLiteral("cmdDelete"), QStringLiteral("Delete"));
    cmdPrevious = button(c, QStringLiteral("cmdPrevious"), QStringLiteral("Previous"));
    cmdNext = button(c, QStringLiteral("cmdNext"), QStringLiteral("Next"));
    cmdExit = button(c, QStringLiteral("cmdExit"), QStringLiteral("Ok"));
    cmdMainHelp = button(c, QStringLiteral("cmdMainHelp"), QStringLiteral("Help"));
    cmdMainHelp->setIcon(ui::helpIcon());
    cmdMainHelp->setToolTip(QStringLiteral("The assistant explains this screen"));
    for (QPushButton* b : {cmdAdd.data(), CmdSave.data(), cmdDelete.data(), cmdPrevious.data(), cmdNext.data()})
        buttons->addWidget(b);
    buttons->addSpacing(ui::toPixels(300));  // closing stands apart from editing
    buttons->addStretch(1);
    buttons->addWidget(cmdExit);
    buttons->addWidget(cmdMainHelp);
    outer->addLayout(buttons);
    growToFit(outer, 8700, 2460);

    // Keyboard order from the top: the name, the search, then the buttons.
    QWidget::setTabOrder(txtName, txtSearch);
    QWidget::setTabOrder(txtSearch, cmdSearch);
    QWidget::setTabOrder(cmdSearch, cmdAdd);
    connect(txtSearch, &QLineEdit::returnPressed, cmdSearch, &QPushButton::click);

    ui::onClick(cmdAdd, [this] { cmdAdd_Click(); });
    ui::onClick(CmdSave, [this] { CmdSave_Click(); });
    ui::onClick(cmdDelete, [this] { cmdDelete_Click(); });
    ui::onClick(cmdPrevious, [this] { cmdPrevious_Click(); });
    ui::onClick(cmdNext, [this] { CmdNext_Click(); });
    ui::onClick(cmdSearch, [this] { cmdSearch_Click(); });
    ui::onClick(cmdExit, [this] { cmdExit_Click(); });
    // Escape leaves as the exit button does (asking about an unsaved add).
    setEscapeAction([this] { cmdExit_Click(); });
    ui::onClick(cmdMainHelp, [this] { cmdMainHelp_Click(); });
}

void FrmMaster::Form_Load()
{
    shell::frmMainMenu().StartUp(*this);
    if (MastertableName == QLatin1String("Rooms")) {
        setCaption(QStringLiteral("Takeoff Name ") + QStringLiteral(" Master Entry Screen"));
        Label1->setText(QStringLiteral("Takeoff Name :"));
    } else {
        setCaption(MastertableName + QStringLiteral(" Master Entry Screen"));
        Label1->setText(MastertableName.left(MastertableName.size() - 1) + QStringLiteral(" Name :"));
    }
    Position = 1;
    clsMaster& names = Names();
    names.AddEditDel = QStringLiteral("E");
    names.Mastertable = MastertableName;
    ShowData();
}

void FrmMaster::ShowData()
{
    clsMaster& names = Names();
    if (names.AddEditDel == QLatin1String("A")) {
        if (ui::msgBox(QStringLiteral("You have not saved the data you added. Do you want to save it first?"),
                       ui::Buttons::YesNo, masterEntry) == ui::Answer::Yes)
            CmdSave_Click();
    }
    Position = names.GetRecord(Position);
    if (Position && txtName && lblRecord) {
        txtName->setText(names.Name);
        lblRecord->setText(QStringLiteral("Record : ") + QString::number(*Position) + QStringLiteral(" of ") +
                           QString::number(names.RecordCount));
    }
    names.AddEditDel = QStringLiteral("E");
}

void FrmMaster::cmdAdd_Click()
{
    Names().AddEditDel = QStringLiteral("A");
    txtName->clear();
    txtName->setFocus();
}

FrmMaster::SaveOutcome FrmMaster::save()
{
    clsMaster& names = Names();
    SaveOutcome outcome = SaveOutcome::Declined;
    if (ui::msgBox(QStringLiteral("Do you want to save the record?"), ui::Buttons::YesNo,
                   QStringLiteral("Save Data")) == ui::Answer::Yes) {
        names.Name = txtName ? txtName->text() : QString();
        if (names.Validate()) {
            names.Save();
            outcome = SaveOutcome::Saved;
        } else {
            outcome = SaveOutcome::Refused;
        }
    }
    names.AddEditDel = QStringLiteral("E");
    return outcome;
}

void FrmMaster::CmdSave_Click() { save(); }

void FrmMaster::cmdDelete_Click()
{
    clsMaster& names = Names();
    // Names the record last loaded, which need not be the text in the box.
    if (ui::msgBox(QStringLiteral("Do you want to delete '") + names.Name + QStringLiteral("'?"), ui::Buttons::YesNo,
                   masterEntry) != ui::Answer::Yes)
        return;
    names.AddEditDel = QStringLiteral("D");
    names.Delete();
    CmdNext_Click();
}

void FrmMaster::cmdPrevious_Click()
{
    if (Position)
        Position = *Position - 1;
    ShowData();
}

void FrmMaster::CmdNext_Click()
{
    if (Position)
        Position = *Position + 1;
    ShowData();
}

void FrmMaster::cmdSearch_Click()
{
    Position = Names().GetCategory(txtSearch ? txtSearch->text() : QString());
    ShowData();
}

void FrmMaster::cmdExit_Click() { unload(); }

bool FrmMaster::Form_QueryUnload(ui::UnloadMode)
{
    if (!names_ || names_->AddEditDel != QLatin1String("A"))
        return true;
    if (ui::msgBox(QStringLiteral("You have not saved the data you added. Do you want to save it first?"),
                   ui::Buttons::YesNo, masterEntry) != ui::Answer::Yes) {
        names_->AddEditDel = QStringLiteral("E");
        return true;
    }
    if (save() == SaveOutcome::Refused) {
        // The class said why; the window stays with the name, still an add.
        names_->AddEditDel = QStringLiteral("A");
        return false;
    }
    return true;
}

void FrmMaster::cmdMainHelp_Click() { shell::speakHelp(helpText()); }

}  // namespace masters
