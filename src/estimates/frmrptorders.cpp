#include "frmrptorders.h"

#include "estimatesreport.h"

#include "shell/mainmenu.h"
#include "ui/buttons.h"
#include "ui/datepicker.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/twips.h"

#include <QDate>
#include <algorithm>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace estimates {

namespace {

constexpr double clientWidth = 3855;
constexpr double clientHeight = 3315;

}  // namespace

shell::Screen frmRptOrdersScreen()
{
    shell::Screen s;
    s.set = [](const QString&, const QVariant&) {};
    s.call = [](const QString&) {};
    s.show = [] { ui::form<FrmRptOrders>().show(); };
    return s;
}

FrmRptOrders::FrmRptOrders() : ui::Form(QStringLiteral("frmRptOrders")) { setHelpContextId(16); }

FrmRptOrders::~FrmRptOrders() = default;

void FrmRptOrders::createControls()
{
    setCaption(QStringLiteral("Estimates Report"));
    setClientSize(clientWidth, clientHeight);
    QWidget* c = client();

    auto* outer = new QVBoxLayout(c);
    outer->setContentsMargins(ui::toPixels(240), ui::toPixels(240), ui::toPixels(240), ui::toPixels(240));
    outer->setSpacing(ui::toPixels(120));

    auto* dates = new QGridLayout;
    dates->setHorizontalSpacing(ui::toPixels(120));
    dates->setVerticalSpacing(ui::toPixels(120));
    lblFrom = new QLabel(QStringLiteral("From Date"), c);
    lblFrom->setObjectName(QStringLiteral("lblFrom"));
    FDate = new ui::DatePicker(c, QStringLiteral("FDate"));
    FDate->setCustomFormat(QStringLiteral("MM/dd/yyyy"));
    lblFrom->setBuddy(FDate);
    lblTo = new QLabel(QStringLiteral("To Date"), c);
    lblTo->setObjectName(QStringLiteral("lblTo"));
    TDate = new ui::DatePicker(c, QStringLiteral("TDate"));
    TDate->setCustomFormat(QStringLiteral("MM/dd/yyyy"));
    lblTo->setBuddy(TDate);
    dates->addWidget(lblFrom, 0, 0);
    dates->addWidget(FDate, 0, 1);
    dates->addWidget(lblTo, 1, 0);
    dates->addWidget(TDate, 1, 1);
    dates->setColumnStretch(1, 1);
    outer->addLayout(dates);
    outer->addSpacing(ui::toPixels(120));

    Command1 = ui::namedButton(c, QStringLiteral("Command1"), QStringLiteral("Show report between given dates"));
    Command3 = ui::namedButton(c, QStringLiteral("Command3"), QStringLiteral("Show report for all orders"));
    Command2 = ui::namedButton(c, QStringLiteral("Command2"), QStringLiteral("Close"));
    outer->addWidget(Command1);
    outer->addWidget(Command3);
    outer->addWidget(Command2);
    outer->addStretch(1);

    // The fonts at hand may need more room than the design gave.
    const QSize need = outer->minimumSize();
    if (ui::toTwips(need.width()) > clientWidth || ui::toTwips(need.height()) > clientHeight)
        setClientSize(std::max(clientWidth, ui::toTwips(need.width())),
                      std::max(clientHeight, ui::toTwips(need.height())));

    ui::onClick(Command1, [this] { Command1_Click(); });
    ui::onClick(Command3, [this] { Command3_Click(); });
    ui::onClick(Command2, [this] { Command2_Click(); });
    setEscapeAction([this] { Command2_Click(); });
}

void FrmRptOrders::Form_Load()
{
    shell::frmMainMenu().StartUp(*this);
    const QDate today = QDate::currentDate();
    FDate->setValue(QDate(today.year(), today.month(), 1));
    TDate->setValue(today);
}

void FrmRptOrders::Command1_Click()
{
    if (!isLoaded())
        return;
    const QDate from = FDate->value();
    const QDate to = TDate->value();
    if (from > to) {
        ui::msgBox(QStringLiteral("The From Date is later than the To Date; please choose a From Date on or before "
                                  "the To Date."),
                   ui::Buttons::Ok, QStringLiteral("Estimates Report"));
        FDate->setFocus();
        return;
    }
    showEstimatesReport(window(), from, to);
}

void FrmRptOrders::Command3_Click()
{
    if (!isLoaded())
        return;
    showEstimatesReport(window());
}

void FrmRptOrders::Command2_Click() { unload(); }

}  // namespace estimates
