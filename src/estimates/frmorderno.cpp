#include "frmorderno.h"

#include "frmorder.h"

#include "ui/events.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <charconv>
#include <climits>
#include <cstdint>

namespace estimates {

namespace {

const QString searchTitle = QStringLiteral("Search Estimate");

QToolButton* pictureButton(QWidget* parent, const QString& name, QStyle::StandardPixmap picture,
                           const QString& accessible, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(picture));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(tip);
    b->setAccessibleName(accessible);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setMinimumSize(ui::toPixels(735), ui::toPixels(495));
    return b;
}

}  // namespace

shell::Screen frmOrderNoScreen()
{
    shell::Screen s;
    s.set = [](const QString& variable, const QVariant& value) {
        if (variable == QLatin1String("Caption"))
            ui::form<FrmOrderNo>().setCaption(value.toString());
    };
    s.call = [](const QString&) {};
    s.show = [] { ui::form<FrmOrderNo>().show(); };
    return s;
}

// Its one use is deleting an estimate, which is the topic F1 opens.
FrmOrderNo::FrmOrderNo() : ui::Form(QStringLiteral("FrmOrderNo")) { setHelpContextId(14); }

FrmOrderNo::~FrmOrderNo() = default;

void FrmOrderNo::createControls()
{
    setCaption(QStringLiteral("Delete Estimate"));
    setClientSize(4200, 1700);
    QWidget* c = client();

    auto* outer = new QVBoxLayout(c);
    outer->setContentsMargins(ui::toPixels(180), ui::toPixels(180), ui::toPixels(180), ui::toPixels(180));
    outer->setSpacing(ui::toPixels(120));
    LblEdit = new QLabel(QStringLiteral("Please Enter Estimate Number"), c);
    LblEdit->setObjectName(QStringLiteral("LblEdit"));
    TxtGetOrderNo = new ui::TextBox(c, QStringLiteral("TxtGetOrderNo"));
    TxtGetOrderNo->setAccessibleName(LblEdit->text());
    LblEdit->setBuddy(TxtGetOrderNo);
    outer->addWidget(LblEdit);
    outer->addWidget(TxtGetOrderNo);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOk = pictureButton(c, QStringLiteral("cmdOk"), QStyle::SP_DialogOkButton, QStringLiteral("OK"),
                          QStringLiteral("Open the estimate of this number"));
    CmdCancel = pictureButton(c, QStringLiteral("CmdCancel"), QStyle::SP_DialogCancelButton, QStringLiteral("Cancel"),
                              QStringLiteral("Close without opening an estimate"));
    buttons->addWidget(cmdOk);
    buttons->addWidget(CmdCancel);
    outer->addLayout(buttons);

    ui::onClick(cmdOk, [this] { cmdOk_Click(); });
    ui::onClick(CmdCancel, [this] { CmdCancel_Click(); });
    setEscapeAction([this] { CmdCancel_Click(); });
    connect(TxtGetOrderNo, &QLineEdit::returnPressed, cmdOk, &QToolButton::click);
}

FrmOrderNo::Reading FrmOrderNo::readNumber(const QString& text, int& number)
{
    const QByteArray t = text.trimmed().toLatin1();
    if (t.isEmpty())
        return Reading::Empty;
    const char* first = t.constData();
    const char* last = first + t.size();
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    if (first == last)
        return Reading::NotWhole;
    for (const char* p = first; p != last; ++p)
        if (*p < '0' || *p > '9')
            return Reading::NotWhole;
    // Digits only from here: the one failure left is a number too long.
    std::uint64_t value = 0;
    const auto r = std::from_chars(first, last, value);
    if (r.ec != std::errc() || r.ptr != last)
        return Reading::OutOfRange;
    if (negative || value == 0 || value > std::uint64_t(INT_MAX))
        return Reading::OutOfRange;
    number = int(value);
    return Reading::Number;
}

void FrmOrderNo::cmdOk_Click()
{
    if (!isLoaded())
        return;
    int number = 0;
    switch (readNumber(TxtGetOrderNo->text(), number)) {
    case Reading::Empty: ui::msgBox(QStringLiteral("Please Enter Estimate No."), ui::Buttons::Ok, searchTitle); break;
    case Reading::NotWhole:
        ui::msgBox(QStringLiteral("The Estimate No. is a whole number: please enter its digits only."), ui::Buttons::Ok,
                   searchTitle);
        break;
    case Reading::OutOfRange:
        ui::msgBox(
            QStringLiteral("Estimate numbers run from 1 to %1; please enter a number in that range.").arg(INT_MAX),
            ui::Buttons::Ok, searchTitle);
        break;
    case Reading::Number: {
        // The estimate screen opens in the mode its opener gave it; its
        // load closes this prompt. A number that is not stored is told by
        // the estimate record, and the prompt stays.
        FrmOrder& screen = frmOrder();
        screen.openStored(screen.AddOrDelete, number);
        break;
    }
    }
    if (isLoaded() && TxtGetOrderNo) {
        TxtGetOrderNo->setFocus();
        TxtGetOrderNo->selectAll();
    }
}

void FrmOrderNo::CmdCancel_Click() { unload(); }

}  // namespace estimates
