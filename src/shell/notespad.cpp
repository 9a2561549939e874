#include "notespad.h"

#include "mainmenu.h"

#include "data/dberror.h"
#include "data/recordset.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/richtextbox.h"
#include "ui/twips.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

namespace shell {

FrmBlank& frmBlank() { return ui::form<FrmBlank>(); }

FrmBlank::FrmBlank() : ui::Form(QStringLiteral("frmBlank")) {}

FrmBlank::~FrmBlank() = default;

namespace {

enum class Glyph { Tick, Cross };

// The buttons carry pictures only: a green tick on a round badge for OK, a
// red cross for Cancel.
QIcon drawIcon(Glyph glyph)
{
    const int side = 32;
    QPixmap pm(side * 2, side * 2);  // drawn at double size, sharp on high-dpi screens
    pm.setDevicePixelRatio(2.0);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor base = glyph == Glyph::Tick ? QColor(0x2e, 0x8b, 0x3e) : QColor(0xc0, 0x39, 0x2b);
    QRadialGradient fill(QPointF(12, 10), 22);
    fill.setColorAt(0, base.lighter(150));
    fill.setColorAt(1, base);
    p.setPen(QPen(base.darker(140), 1.2));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2.5, 2.5, 27, 27));

    QPen mark(Qt::white, 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    if (glyph == Glyph::Tick) {
        QPainterPath tick;
        tick.moveTo(9.5, 16.5);
        tick.lineTo(14, 21);
        tick.lineTo(22.5, 11);
        p.drawPath(tick);
    } else {
        p.drawLine(QPointF(11, 11), QPointF(21, 21));
        p.drawLine(QPointF(21, 11), QPointF(11, 21));
    }
    p.end();
    return QIcon(pm);
}

QToolButton* pictureButton(QWidget* parent, const QString& name, Glyph glyph, const QString& accessible,
                           const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(drawIcon(glyph));
    b->setIconSize(QSize(32, 32));
    b->setToolTip(tip);
    b->setAccessibleName(accessible);
    b->setAutoRaise(false);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

}  // namespace

void FrmBlank::createControls()
{
    setCaption(QStringLiteral("Blank Area for Customer Notes"));
    setClientSize(clientWidth, clientHeight);
    setHelpContextId(helpContext);
    QWidget* c = client();

    rtfNotes = new ui::RichTextBox(c, QStringLiteral("rtfNotes"));
    rtfNotes->setGeometry(ui::twipsRect(120, 120, 8040, 4920));
    rtfNotes->setAccessibleName(QStringLiteral("Notes"));

    cmdOk = pictureButton(c, QStringLiteral("cmdOk"), Glyph::Tick, QStringLiteral("OK"),
                          QStringLiteral("Save the notes and close"));
    cmdOk->setGeometry(ui::twipsRect(6300, 5145, 855, 600));
    CmdCancel = pictureButton(c, QStringLiteral("CmdCancel"), Glyph::Cross, QStringLiteral("Cancel"),
                              QStringLiteral("Close without saving"));
    CmdCancel->setGeometry(ui::twipsRect(7305, 5145, 855, 600));

    ui::onClick(cmdOk, [this] { cmdOk_Click(); });
    ui::onClick(CmdCancel, [this] { CmdCancel_Click(); });
    setEscapeAction([this] { CmdCancel_Click(); });
}

void FrmBlank::Form_Load()
{
    frmMainMenu().StartUp(*this);
    try {
        connection_.openApplicationDatabase();
        data::Recordset rs = connection_.query(QStringLiteral("Select * from BlankNotes"));
        // No row or a Null text: an empty pad; Ok then writes the row.
        const QString text = (rs.eof() || rs.fieldCount() == 0) ? QString() : rs.value(0).toText();
        rtfNotes->setText(ui::withLineBreaks(text));
        rs.close();
    } catch (const data::DbError& e) {
        // A pad that cannot show the stored text must not offer to save
        // over it.
        ui::reportFailure(e.message());
        unload();
    }
}

void FrmBlank::saveNotes(const QString& text)
{
    // Update and the insert of a missing row go together or not at all.
    data::Transaction t(connection_);
    const QString value = text.isNull() ? QStringLiteral("") : text;
    const int changed = connection_.execute(QStringLiteral("Update BlankNotes set Notes=?"), {value});
    if (changed == 0)
        connection_.execute(QStringLiteral("Insert into BlankNotes (Notes) values (?)"), {value});
    t.commit();
}

void FrmBlank::cmdOk_Click()
{
    if (!rtfNotes)
        return;
    try {
        saveNotes(rtfNotes->text());
    } catch (const data::DbError& e) {
        ui::reportFailure(e.message());
        return;
    }
    unload();
}

void FrmBlank::CmdCancel_Click() { unload(); }

void FrmBlank::Form_Unload() { connection_.close(); }

}  // namespace shell
