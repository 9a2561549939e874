#include "listview.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace ui {

ListView::ListView(QWidget* parent, const QString& name) : QTreeWidget(parent)
{
    setObjectName(name);
    setColumnCount(0);
    setUpReportView(this);

    connect(header(), &QHeaderView::sectionClicked, this, [this](int logical) { emit columnClicked(logical + 1); });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        const int row = rowOf(item);
        if (row >= 0)
            emit rowDoubleClicked(row);
    });
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (selectingByCode_)
            return;
        const int row = selectedRow();
        if (row >= 0)
            emit rowSelected(row);
    });
}

int ListView::addColumn(const QString& header, double widthTwips)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    QTreeWidgetItem* h = headerItem();
    h->setText(column, header);
    h->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
    columns_.design(column, widthTwips);
    headerIcons_.resize(std::size_t(column) + 1, HeaderIcon::Blank);
    rightAligned_.resize(std::size_t(column) + 1, false);
    return column;
}

void ListView::setColumnRightAligned(int column)
{
    if (column < 0 || std::size_t(column) >= rightAligned_.size())
        return;
    rightAligned_[std::size_t(column)] = true;
    headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    for (int row = 0; row < topLevelItemCount(); ++row)
        applyAlignment(topLevelItem(row), column);
}

void ListView::setColumnFitsContents(int column)
{
    if (column < 0 || column >= columnCount())
        return;
    columns_.setFitsContents(column);
    for (int row = 0; row < topLevelItemCount(); ++row)
        columns_.noteText(column, topLevelItem(row)->text(column));
    columns_.apply();
}

void ListView::applyAlignment(QTreeWidgetItem* item, int column) const
{
    if (item && column >= 0 && std::size_t(column) < rightAligned_.size() && rightAligned_[std::size_t(column)])
        item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

int ListView::addRow(const QString& key, const QStringList& subItems)
{
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setText(0, key);
    for (int i = 0; i < subItems.size(); ++i)
        item->setText(i + 1, subItems.at(i));
    for (int c = 0; c < columnCount(); ++c)
        applyAlignment(item, c);
    const int row = topLevelItemCount();
    addTopLevelItem(item);
    if (row == 0 && selectedRow() < 0)
        setSelectedRow(0);
    for (int i = 0; i < subItems.size(); ++i)
        columns_.noteText(i + 1, subItems.at(i));
    return row;
}

void ListView::removeRow(int row)
{
    const bool wasSelected = row >= 0 && row == selectedRow();
    selectingByCode_ = true;
    delete takeTopLevelItem(row);
    selectingByCode_ = false;
    // Qt moves the current item to a neighbour without selecting it; the
    // old list kept a row selected while it had rows.
    if (wasSelected && rowCount() > 0)
        setSelectedRow(qMin(row, rowCount() - 1));
}

void ListView::clearRows()
{
    selectingByCode_ = true;
    clear();
    selectingByCode_ = false;
    columns_.forgetTexts();
}

QTreeWidgetItem* ListView::rowItem(int row) const
{
    if (row < 0 || row >= topLevelItemCount())
        return nullptr;
    return topLevelItem(row);
}

int ListView::rowOf(QTreeWidgetItem* item) const { return item ? indexOfTopLevelItem(item) : -1; }

QString ListView::text(int row) const
{
    const QTreeWidgetItem* item = rowItem(row);
    return item ? item->text(0) : QString();
}

void ListView::setText(int row, const QString& key)
{
    if (QTreeWidgetItem* item = rowItem(row))
        item->setText(0, key);
}

QString ListView::subItem(int row, int i) const
{
    const QTreeWidgetItem* item = rowItem(row);
    return item && i >= 1 ? item->text(i) : QString();
}

void ListView::setSubItem(int row, int i, const QString& text)
{
    QTreeWidgetItem* item = rowItem(row);
    if (item && i >= 1) {
        item->setText(i, text);
        columns_.noteText(i, text);
    }
}

int ListView::selectedRow() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : indexOfTopLevelItem(items.first());
}

void ListView::setSelectedRow(int row)
{
    selectingByCode_ = true;
    if (QTreeWidgetItem* item = rowItem(row)) {
        setCurrentItem(item);
        scrollToItem(item);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
    selectingByCode_ = false;
}

void ListView::scrollToRow(int row)
{
    if (QTreeWidgetItem* item = rowItem(row))
        scrollToItem(item);
}

bool ListView::selectByKey(const QString& key)
{
    for (int row = 0; row < topLevelItemCount(); ++row) {
        if (topLevelItem(row)->text(0) == key) {
            setSelectedRow(row);
            return true;
        }
    }
    return false;
}

QString ListView::selectedKey() const { return text(selectedRow()); }

void ListView::setHeaderIcon(int column, HeaderIcon icon)
{
    if (column < 0 || column >= columnCount())
        return;
    headerIcons_[std::size_t(column)] = icon;
    headerItem()->setIcon(column, ui::headerIcon(icon));
}

void ListView::setAllHeaderIcons(HeaderIcon icon)
{
    for (int column = 0; column < columnCount(); ++column)
        setHeaderIcon(column, icon);
}

HeaderIcon ListView::headerIcon(int column) const
{
    if (column < 0 || std::size_t(column) >= headerIcons_.size())
        return HeaderIcon::Blank;
    return headerIcons_[std::size_t(column)];
}

void ListView::setSpreadColumns(bool on) { columns_.setSpread(on); }

void ListView::keyPressEvent(QKeyEvent* e)
{
    if (const int row = enterRow(e, selectedRow()); row >= 0) {
        e->accept();
        emit rowDoubleClicked(row);
        return;
    }
    QTreeWidget::keyPressEvent(e);
}

}  // namespace ui
