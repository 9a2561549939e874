#include "richtextbox.h"

#include <QTextCursor>

namespace ui {

RichTextBox::RichTextBox(QWidget* parent, const QString& name) : QTextEdit(parent)
{
    setObjectName(name);
    setAcceptRichText(false);
}

QString RichTextBox::selText() const
{
    QString s = textCursor().selectedText();
    // The cursor marks line breaks with the Unicode paragraph and line
    // separators; text() uses "\n", and so does this.
    s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    s.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return s;
}

void RichTextBox::setSelText(const QString& text)
{
    QTextCursor c = textCursor();
    c.insertText(text);
    setTextCursor(c);
}

QString withLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace ui
