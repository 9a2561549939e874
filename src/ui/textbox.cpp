#include "textbox.h"

#include "data/conversions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

namespace ui {

namespace {

bool isDigitOrPoint(QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; }

bool onlyDigitsAndPoints(const QString& s)
{
    for (QChar c : s) {
        if (!isDigitOrPoint(c))
            return false;
    }
    return true;
}

// Text a key press would type: non-empty and not a control character.
bool typesText(const QString& t)
{
    if (t.isEmpty())
        return false;
    for (QChar c : t) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

// What an edit that turned `before` into `after` inserted: `after` less
// the longest prefix and suffix the two texts share.
QString insertedText(const QString& before, const QString& after)
{
    qsizetype prefix = 0;
    const qsizetype shorter = qMin(before.size(), after.size());
    while (prefix < shorter && before.at(prefix) == after.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    return after.mid(prefix, after.size() - prefix - suffix);
}

}  // namespace

TextBox::TextBox(QWidget* parent, const QString& name) : QLineEdit(parent) { setObjectName(name); }

double TextBox::number() const { return conv::val(text()); }

void TextBox::setNumber(double value) { setText(conv::numberText(value)); }

void TextBox::setDigitsAndPointOnly(bool on) { digitsOnly_ = on; }

bool TextBox::refused(const QString& inserted) const { return digitsOnly_ && !onlyDigitsAndPoints(inserted); }

void TextBox::keyPressEvent(QKeyEvent* e)
{
    if (digitsOnly_) {
        if (e->matches(QKeySequence::Paste) && refused(QApplication::clipboard()->text())) {
            e->accept();
            return;
        }
        // Ctrl+letter is a shortcut, whatever text the platform attaches;
        // Ctrl+Alt is AltGr on some keyboards and does type.
        const Qt::KeyboardModifiers m = e->modifiers();
        const bool shortcut = (m & (Qt::ControlModifier | Qt::MetaModifier)) && !(m & Qt::AltModifier);
        if (!shortcut && typesText(e->text()) && refused(e->text())) {
            e->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void TextBox::inputMethodEvent(QInputMethodEvent* e)
{
    if (refused(e->commitString())) {
        e->accept();
        return;
    }
    QLineEdit::inputMethodEvent(e);
}

void TextBox::contextMenuEvent(QContextMenuEvent* e)
{
    if (!digitsOnly_)
        return QLineEdit::contextMenuEvent(e);
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's Paste action cannot be told apart reliably (its text is
    // translated), so every action is checked after it ran: one that put a
    // refused character into the box is undone.
    const QString before = text();
    for (QAction* a : menu->actions()) {
        connect(a, &QAction::triggered, this, [this, before] {
            if (refused(insertedText(before, text())) && isUndoAvailable())
                undo();
        });
    }
    menu->popup(e->globalPos());
}

void TextBox::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the X11 selection.
    if (e->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection() &&
        refused(QApplication::clipboard()->text(QClipboard::Selection))) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TextBox::dragEnterEvent(QDragEnterEvent* e)
{
    if (digitsOnly_ && (!e->mimeData()->hasText() || refused(e->mimeData()->text()))) {
        e->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(e);
}

void TextBox::dragMoveEvent(QDragMoveEvent* e)
{
    if (digitsOnly_ && (!e->mimeData()->hasText() || refused(e->mimeData()->text()))) {
        e->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(e);
}

void TextBox::dropEvent(QDropEvent* e)
{
    if (digitsOnly_ && (!e->mimeData()->hasText() || refused(e->mimeData()->text()))) {
        e->ignore();
        return;
    }
    QLineEdit::dropEvent(e);
}

void TextBox::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason)
        emit lostFocus();
}

void TextBox::setVisibleCharacters(int count)
{
    // Characters of a middling width (a font's average is narrower than
    // most words), and the frame and text margins on both sides.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QSize text(fontMetrics().horizontalAdvance(QString(count, QLatin1Char('n'))), fontMetrics().height());
    setMinimumWidth(style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, this).width() + textMargins().left() +
                    textMargins().right());
}

}  // namespace ui
