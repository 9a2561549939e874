#include "listview.h"

#include <QStyle>

#include "twips.h"

#include <QHeaderView>

namespace ui {

ListView::ListView(QWidget* parent, const QString& name) : QTreeWidget(parent)
{
    setObjectName(name);
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QHeaderView* h = header();
    h->setSortIndicatorShown(false);
    h->setSectionsClickable(true);
    h->setSectionsMovable(false);
    h->setStretchLastSection(false);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    h->setMinimumSectionSize(0);

    connect(h, &QHeaderView::sectionClicked, this,
            [this](int logical) { emit columnClicked(logical + 1); });
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
    const int width = toPixels(widthTwips);
    setColumnWidth(column, width);
    setColumnHidden(column, width <= 0);
    headerIcons_.resize(std::size_t(column) + 1, HeaderIcon::Blank);
    designedWidths_.resize(std::size_t(column) + 1, width);
    return column;
}

int ListView::addRow(const QString& key, const QStringList& subItems)
{
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setText(0, key);
    for (int i = 0; i < subItems.size(); ++i)
        item->setText(i + 1, subItems.at(i));
    const int row = topLevelItemCount();
    addTopLevelItem(item);
    if (row == 0 && selectedRow() < 0)
        setSelectedRow(0);
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
}

QTreeWidgetItem* ListView::rowItem(int row) const
{
    if (row < 0 || row >= topLevelItemCount())
        return nullptr;
    return topLevelItem(row);
}

int ListView::rowOf(QTreeWidgetItem* item) const
{
    return item ? indexOfTopLevelItem(item) : -1;
}

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
    if (item && i >= 1)
        item->setText(i, text);
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

void ListView::setSpreadColumns(bool on)
{
    spread_ = on;
    spreadColumns();
}

void ListView::resizeEvent(QResizeEvent* e)
{
    QTreeWidget::resizeEvent(e);
    spreadColumns();
}

void ListView::spreadColumns()
{
    if (!spread_)
        return;
    if (designedWidths_.size() != std::size_t(columnCount()))
        return;  // columns made some other way than addColumn
    int designed = 0;
    for (int c = 0; c < columnCount(); ++c)
        if (!isColumnHidden(c))
            designed += designedWidths_[std::size_t(c)];
    const int room = viewport()->width();
    if (designed <= 0)
        return;
    for (int c = 0; c < columnCount(); ++c)
        if (!isColumnHidden(c)) {
            const int d = designedWidths_[std::size_t(c)];
            setColumnWidth(c, room > designed ? d * room / designed : d);
        }
}

}  // namespace ui
