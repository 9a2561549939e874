#include "combobox.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace ui {

ComboBox::ComboBox(QWidget* parent, const QString& name, ComboStyle style)
    : QComboBox(parent), style_(style)
{
    setObjectName(name);
    setComboStyle(style);
}

void ComboBox::setComboStyle(ComboStyle style)
{
    style_ = style;
    setEditable(style == ComboStyle::DropDown);
    if (isEditable()) {
        // The old drop-down kept typed text as typed: no completion while
        // typing and no new entry on Enter.
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr);
    }
}

int ComboBox::addItem(const QString& text, qint64 itemData)
{
    const int before = currentIndex();
    const QString typed = isEditable() ? currentText() : QString();
    const int index = count();
    {
        const QSignalBlocker block(this);
        QComboBox::addItem(text, QVariant::fromValue(itemData));
        if (currentIndex() != before) {
            setCurrentIndex(before);
            if (isEditable())
                setEditText(typed);
        }
    }
    return index;
}

void ComboBox::clear()
{
    const QSignalBlocker block(this);
    QComboBox::clear();
    if (isEditable())
        setEditText(QString());
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    setCurrentIndex(index);
}

qint64 ComboBox::itemData(int index) const
{
    if (index < 0 || index >= count())
        return 0;
    return QComboBox::itemData(index).toLongLong();
}

void ComboBox::setItemData(int index, qint64 itemData)
{
    if (index < 0 || index >= count())
        return;
    QComboBox::setItemData(index, QVariant::fromValue(itemData));
}

qint64 ComboBox::selectedData() const { return itemData(currentIndex()); }

bool ComboBox::selectByData(qint64 key)
{
    for (int i = 0; i < count(); ++i) {
        if (itemData(i) == key) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

QString ComboBox::text() const
{
    return currentText();
}

void ComboBox::setText(const QString& text)
{
    if (isEditable()) {
        setEditText(text);
        return;
    }
    for (int i = 0; i < count(); ++i) {
        if (itemText(i) == text) {
            setCurrentIndex(i);
            return;
        }
    }
}

int ComboBox::addRows(const std::optional<data::RowArray>& rows)
{
    if (!rows)
        return 0;
    for (int r = 0; r < rows->rowCount(); ++r)
        addItem(rows->at(1, r).toText(), rows->at(0, r).toInt64());
    return rows->rowCount();
}

}  // namespace ui
