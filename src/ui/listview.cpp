#include "listview.h"

#include "twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

#include <algorithm>

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

    connect(h, &QHeaderView::sectionClicked, this, [this](int logical) { emit columnClicked(logical + 1); });
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
    rightAligned_.resize(std::size_t(column) + 1, false);
    fitsContents_.resize(std::size_t(column) + 1, false);
    contentWidths_.resize(std::size_t(column) + 1, 0);
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
    if (column < 0 || std::size_t(column) >= fitsContents_.size())
        return;
    fitsContents_[std::size_t(column)] = true;
    for (int row = 0; row < topLevelItemCount(); ++row)
        noteWidth(column, topLevelItem(row)->text(column));
    spreadColumns();
}

void ListView::applyAlignment(QTreeWidgetItem* item, int column) const
{
    if (item && column >= 0 && std::size_t(column) < rightAligned_.size() && rightAligned_[std::size_t(column)])
        item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

int ListView::textWidth(const QString& text) const
{
    // The text and the cell's margins on both sides.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return fontMetrics().horizontalAdvance(text) + 2 * margin + 4;
}

void ListView::noteWidth(int column, const QString& text)
{
    if (column < 0 || std::size_t(column) >= fitsContents_.size() || !fitsContents_[std::size_t(column)] ||
        text.isEmpty())
        return;
    const int width = textWidth(text);
    if (width <= contentWidths_[std::size_t(column)])
        return;
    contentWidths_[std::size_t(column)] = width;
    if (columnWidth(column) < width)
        spreadColumns();
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
        noteWidth(i + 1, subItems.at(i));
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
    std::fill(contentWidths_.begin(), contentWidths_.end(), 0);
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
        noteWidth(i, text);
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

void ListView::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const int row = selectedRow();
        if (row >= 0) {
            e->accept();
            emit rowDoubleClicked(row);
            return;
        }
    }
    QTreeWidget::keyPressEvent(e);
}

void ListView::spreadColumns()
{
    const int n = columnCount();
    if (designedWidths_.size() != std::size_t(n))
        return;  // columns made some other way than addColumn
    if (!spread_) {
        // Only a fitting column moves, and only wider.
        for (int c = 0; c < n; ++c)
            if (fitsContents_[std::size_t(c)] && !isColumnHidden(c) && contentWidths_[std::size_t(c)] > columnWidth(c))
                setColumnWidth(c, contentWidths_[std::size_t(c)]);
        return;
    }
    int designed = 0;
    for (int c = 0; c < n; ++c)
        if (!isColumnHidden(c))
            designed += designedWidths_[std::size_t(c)];
    if (designed <= 0)
        return;
    const int room = viewport()->width();
    std::vector<int> widths(std::size_t(n), 0);
    int extra = 0;  // what the fitting columns need beyond their share
    for (int c = 0; c < n; ++c) {
        if (isColumnHidden(c))
            continue;
        const std::size_t i = std::size_t(c);
        const int d = designedWidths_[i];
        widths[i] = room > designed ? d * room / designed : d;
        if (fitsContents_[i] && contentWidths_[i] > widths[i]) {
            extra += contentWidths_[i] - widths[i];
            widths[i] = contentWidths_[i];
        }
    }
    if (extra > 0) {
        // The other columns give it back, down to their designed widths.
        int spare = 0;
        for (int c = 0; c < n; ++c)
            if (!isColumnHidden(c) && !fitsContents_[std::size_t(c)])
                spare += widths[std::size_t(c)] - designedWidths_[std::size_t(c)];
        const int taken = std::min(extra, spare);
        for (int c = 0; c < n && spare > 0; ++c) {
            const std::size_t i = std::size_t(c);
            if (!isColumnHidden(c) && !fitsContents_[i])
                widths[i] -= (widths[i] - designedWidths_[i]) * taken / spare;
        }
    }
    for (int c = 0; c < n; ++c)
        if (!isColumnHidden(c))
            setColumnWidth(c, widths[std::size_t(c)]);
}

}  // namespace ui
