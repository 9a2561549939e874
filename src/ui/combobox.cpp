#include "combobox.h"

#include "keyedlistmodel.h"
#include "pagedlistmodel.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace ui {

namespace {

// The application's style, but with the drop-down of a combo shown as a
// list below the box, a screenful at a time, rather than as a menu over
// it: a menu is made as tall and as wide as all its entries, which for a
// list of a hundred thousand means measuring every one.
class ListDropDownStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* listDropDownStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new ListDropDownStyle;
        style->setParent(qApp);
    }
    return style;
}

}  // namespace

ComboBox::ComboBox(QWidget* parent, const QString& name, ComboStyle style) : QComboBox(parent), style_(style)
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
    if (keyedModel()) {
        disconnect(aboutToReset_);
        disconnect(wasReset_);
        QComboBox::setModel(new QStandardItemModel(0, 1, this));
        setModelColumn(0);
    }
    QComboBox::clear();
    if (isEditable())
        setEditText(QString());
}

void ComboBox::setKeyedModel(KeyedModel* model, int column)
{
    const QSignalBlocker block(this);
    disconnect(aboutToReset_);
    disconnect(wasReset_);
    QComboBox::setModel(model);
    setModelColumn(column);
    setCurrentIndex(-1);
    if (style() != listDropDownStyle())
        setStyle(listDropDownStyle());
    // The drop-down's list takes its scroll bar policy from the style it was
    // made under, which would give a list of any length no scroll bar.
    view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(true);
    // Silent from before the reset to after the kept key is selected again:
    // QComboBox's own reset handler, which runs first, moves the selection
    // to the first row and would report that as a choice.
    aboutToReset_ = connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        selectedBeforeReset_ = currentIndex() >= 0;
        keyBeforeReset_ = selectedBeforeReset_ ? itemData(currentIndex()) : 0;
        silentBeforeReset_ = blockSignals(true);
    });
    wasReset_ = connect(model, &QAbstractItemModel::modelReset, this, [this] {
        setCurrentIndex(selectedBeforeReset_ ? firstEntryOf(keyBeforeReset_) : -1);
        blockSignals(silentBeforeReset_);
    });
}

KeyedModel* ComboBox::keyedModel() const { return qobject_cast<KeyedModel*>(model()); }

QString ComboBox::textOf(qint64 key) const
{
    if (const KeyedModel* keyed = keyedModel())
        return keyed->textOf(key);
    const int entry = lastEntryOf(key);
    return entry >= 0 ? itemText(entry) : QString();
}

void ComboBox::showPopup()
{
    // A list read a page at a time shows what is stored now.
    if (auto* paged = qobject_cast<PagedListModel*>(model()))
        paged->refreshIfChanged();
    QComboBox::showPopup();
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

qint64 ComboBox::selectedData() const { return itemData(currentIndex()); }

bool ComboBox::selectByData(qint64 key)
{
    const int entry = firstEntryOf(key);
    if (entry < 0)
        return false;
    setCurrentIndex(entry);
    return true;
}

int ComboBox::firstEntryOf(qint64 key) const
{
    if (const KeyedModel* keyed = keyedModel())
        return keyed->firstRowOf(key);
    for (int i = 0; i < count(); ++i)
        if (itemData(i) == key)
            return i;
    return -1;
}

int ComboBox::lastEntryOf(qint64 key) const
{
    if (const KeyedModel* keyed = keyedModel())
        return keyed->lastRowOf(key);
    for (int i = count() - 1; i >= 0; --i)
        if (itemData(i) == key)
            return i;
    return -1;
}

QString ComboBox::text() const { return currentText(); }

void ComboBox::setText(const QString& text)
{
    if (isEditable()) {
        setEditText(text);
        return;
    }
    if (const KeyedModel* keyed = keyedModel()) {
        if (const int row = keyed->rowOfText(text); row >= 0)
            setCurrentIndex(row);
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
