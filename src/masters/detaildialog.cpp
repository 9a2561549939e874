#include "detaildialog.h"

#include "listscreen.h"

#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/buttons.h"
#include "ui/helpicon.h"
#include "ui/events.h"
#include "ui/platform.h"
#include "ui/twips.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace masters {

namespace {

const QString inventoryTitle = QStringLiteral("Inventory");

}  // namespace

DetailDialog::DetailDialog(const QString& formName, QString caption, int helpContext)
    : ui::Form(formName), caption_(std::move(caption)), helpContext_(helpContext)
{}

DetailDialog::~DetailDialog() = default;

void DetailDialog::createControls()
{
    setCaption(caption_);
    setClientSize(clientWidth(), clientHeight());
    setHelpContextId(helpContext_);
    QWidget* c = client();

    double width = clientWidth();
    double height = clientHeight();
    auto* area = new QWidget(c);
    area->setObjectName(QStringLiteral("fields"));
    area->setGeometry(ui::twipsRect(0, 0, width, height - buttonRowHeight));
    createFields(area);
    // Fields laid out by a layout get the room their fonts need, should
    // the designed size be too small for them.
    if (QLayout* l = area->layout()) {
        const QSize need = l->sizeHint();
        width = std::max(width, ui::toTwips(need.width()));
        height = std::max(height, ui::toTwips(need.height()) + buttonRowHeight);
        setClientSize(width, height);
        area->setGeometry(ui::twipsRect(0, 0, width, height - buttonRowHeight));
    }

    // Help at the left; Ok, Cancel, Apply at the right, as desktop dialogs
    // place them. A row layout closes the gap the view-only modes leave.
    auto* row = new QWidget(c);
    row->setObjectName(QStringLiteral("buttonRow"));
    row->setGeometry(ui::twipsRect(0, height - buttonRowHeight, width, buttonRowHeight));
    auto* buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(ui::toPixels(180), 0, ui::toPixels(180), ui::toPixels(120));
    buttons->setSpacing(ui::toPixels(120));
    const int buttonWidth = ui::toPixels(1100);
    if (hasHelpButton()) {
        cmdMainHelp = ui::namedButton(row, QStringLiteral("cmdMainHelp"), QStringLiteral("Help"));
        cmdMainHelp->setIcon(ui::helpIcon());
        cmdMainHelp->setToolTip(QStringLiteral("The assistant explains this window"));
        cmdMainHelp->setMinimumWidth(buttonWidth);
        buttons->addWidget(cmdMainHelp);
        ui::onClick(cmdMainHelp, [this] { cmdMainHelp_Click(); });
    }
    buttons->addStretch(1);
    cmdOk = ui::namedButton(row, QStringLiteral("cmdOk"), QStringLiteral("Ok"));
    CmdCancel = ui::namedButton(row, QStringLiteral("CmdCancel"), QStringLiteral("Cancel"));
    CmdSave = ui::namedButton(row, QStringLiteral("CmdSave"), QStringLiteral("Apply"));
    for (QPushButton* b : {cmdOk.data(), CmdCancel.data(), CmdSave.data()}) {
        b->setMinimumWidth(buttonWidth);
        buttons->addWidget(b);
    }
    // Tab order as the window reads: the fields from the top, then the
    // buttons from left to right.
    QWidget* previous = cmdMainHelp;
    for (QPushButton* b : {cmdOk.data(), CmdCancel.data(), CmdSave.data()}) {
        if (previous)
            QWidget::setTabOrder(previous, b);
        previous = b;
    }
    // Escape is Cancel, with whatever Cancel asks.
    setEscapeAction([this] { CmdCancel_Click(); });

    ui::onClick(CmdSave, [this] { CmdSave_Click(); });
    ui::onClick(cmdOk, [this] { cmdOk_Click(); });
    ui::onClick(CmdCancel, [this] { CmdCancel_Click(); });
}

void DetailDialog::Form_Load()
{
    shell::frmMainMenu().StartUp(*this);
    fillLists();
    FillData();
    applyMode(dialogMode());
}

void DetailDialog::Form_Unload() { ClearClass(); }

QString DetailDialog::dialogMode() const { return Opener ? Opener->AddOrDelete : QString(); }

void DetailDialog::applyMode(const QString& mode)
{
    viewOnly_ = false;
    const auto enable = [](const QList<QWidget*>& widgets, bool on) {
        for (QWidget* w : widgets)
            if (w)
                w->setEnabled(on);
    };
    if (mode == QLatin1String("A") || mode == QLatin1String("C")) {
        enable(fieldFrames(), true);
    } else if (mode == QLatin1String("E") || mode == QLatin1String("EE")) {
        enable(keyFields(), true);
        enable(fieldFrames(), true);
    } else if (mode == QLatin1String("D") || mode == QLatin1String("DE") || mode == QLatin1String("AE")) {
        viewOnly_ = true;
        if (CmdSave)
            CmdSave->setVisible(false);
        if (cmdOk)
            cmdOk->setVisible(false);
        enable(keyFields(), false);
        enable(fieldFrames(), false);
    }
}

void DetailDialog::DisableSave()
{
    if (CmdSave)
        CmdSave->setEnabled(false);
}

bool DetailDialog::isSaveEnabled() const { return CmdSave && CmdSave->isEnabled(); }

void DetailDialog::refreshOpener()
{
    if (Opener)
        Opener->RefreshGrid();
}

void DetailDialog::CmdSave_Click()
{
    copyToRecord();
    if (validateRecord()) {
        saveRecord();
        ui::msgBox(savedMessage(), ui::Buttons::Ok, inventoryTitle);
        ClearClass();
        DisableSave();
    } else {
        ui::msgBox(QStringLiteral("Please enter Valid Data"), ui::Buttons::Ok, inventoryTitle);
    }
}

void DetailDialog::cmdOk_Click()
{
    if (isSaveEnabled())
        CmdSave_Click();
    // The dialog closes also after a refused Apply; the entry is not saved.
    refreshOpener();
    unload();
}

void DetailDialog::CmdCancel_Click()
{
    if (cancelRefreshesList())
        refreshOpener();
    unload();
}

QString DetailDialog::helpText() const
{
    return QStringLiteral(
        "Once you enter all the data, press 'Ok' button to save the record and close. 'Cancel' button closes "
        "the window without saving. 'Apply' button saves your data but does not close the window.");
}

void DetailDialog::cmdMainHelp_Click() { shell::speakHelp(helpText()); }

}  // namespace masters
