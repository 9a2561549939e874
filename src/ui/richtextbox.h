#pragma once
// The notes boxes: a multi-line editor that holds plain text only. Text
// pasted or dropped in arrives without its formatting, since only the
// plain text is ever stored.

#include <QString>
#include <QTextEdit>

namespace ui {

class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    RichTextBox(QWidget* parent, const QString& name);

    // Lines are separated by "\n".
    QString text() const { return toPlainText(); }
    // Always plain: QTextEdit::setText would take text that looks like HTML
    // as markup.
    void setText(const QString& text) { setPlainText(text); }

    // The selected text ("\n" between lines); empty when nothing is selected.
    QString selText() const;
    // Replaces the selection (or inserts at the cursor) with plain text.
    void setSelText(const QString& text);
};

// Stored notes may hold the old CR LF (or lone CR) between lines; the
// boxes work with "\n".
QString withLineBreaks(QString text);

}  // namespace ui
