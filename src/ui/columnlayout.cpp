#include "columnlayout.h"

#include "twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

namespace ui {

void setUpReportView(QTreeView* view)
{
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSortingEnabled(false);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QHeaderView* h = view->header();
    h->setSortIndicatorShown(false);
    h->setSectionsClickable(true);
    h->setSectionsMovable(false);
    h->setStretchLastSection(false);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    h->setMinimumSectionSize(0);
}

int enterRow(const QKeyEvent* e, int selectedRow)
{
    const bool enter = (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
                       (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    return enter ? selectedRow : -1;
}

ColumnLayout::ColumnLayout(QTreeView* view) : view_(view) { view->viewport()->installEventFilter(this); }

bool ColumnLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == view_->viewport())
        apply();
    return false;
}

void ColumnLayout::design(int column, double widthTwips)
{
    if (column < 0)
        return;
    const std::size_t i = std::size_t(column);
    if (designed_.size() <= i) {
        designed_.resize(i + 1, -1);
        fits_.resize(i + 1, false);
        content_.resize(i + 1, 0);
    }
    const int width = toPixels(widthTwips);
    designed_[i] = width;
    view_->setColumnWidth(column, width);
    view_->setColumnHidden(column, width <= 0);
}

bool ColumnLayout::fitsContents(int column) const
{
    return column >= 0 && std::size_t(column) < fits_.size() && fits_[std::size_t(column)];
}

void ColumnLayout::setFitsContents(int column)
{
    if (column < 0 || std::size_t(column) >= fits_.size())
        return;
    fits_[std::size_t(column)] = true;
}

int ColumnLayout::textWidth(const QString& text) const
{
    // The text and the cell's margins on both sides.
    const int margin = view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1;
    return view_->fontMetrics().horizontalAdvance(text) + 2 * margin + 4;
}

void ColumnLayout::noteText(int column, const QString& text)
{
    if (!fitsContents(column) || text.isEmpty())
        return;
    const int width = textWidth(text);
    if (width <= content_[std::size_t(column)])
        return;
    content_[std::size_t(column)] = width;
    if (view_->columnWidth(column) < width)
        apply();
}

void ColumnLayout::forgetTexts() { std::fill(content_.begin(), content_.end(), 0); }

void ColumnLayout::setSpread(bool on)
{
    spread_ = on;
    apply();
}

void ColumnLayout::apply()
{
    const int n = view_->header()->count();
    if (designed_.size() != std::size_t(n) || std::find(designed_.begin(), designed_.end(), -1) != designed_.end())
        return;  // columns made some other way
    if (!spread_) {
        // Only a fitting column moves, and only wider.
        for (int c = 0; c < n; ++c)
            if (fits_[std::size_t(c)] && !view_->isColumnHidden(c) && content_[std::size_t(c)] > view_->columnWidth(c))
                view_->setColumnWidth(c, content_[std::size_t(c)]);
        return;
    }
    int designed = 0;
    for (int c = 0; c < n; ++c)
        if (!view_->isColumnHidden(c))
            designed += designed_[std::size_t(c)];
    if (designed <= 0)
        return;
    const int room = view_->viewport()->width();
    std::vector<int> widths(std::size_t(n), 0);
    int extra = 0;  // what the fitting columns need beyond their share
    for (int c = 0; c < n; ++c) {
        if (view_->isColumnHidden(c))
            continue;
        const std::size_t i = std::size_t(c);
        const int d = designed_[i];
        widths[i] = room > designed ? d * room / designed : d;
        if (fits_[i] && content_[i] > widths[i]) {
            extra += content_[i] - widths[i];
            widths[i] = content_[i];
        }
    }
    if (extra > 0) {
        // The other columns give it back, down to their designed widths.
        int spare = 0;
        for (int c = 0; c < n; ++c)
            if (!view_->isColumnHidden(c) && !fits_[std::size_t(c)])
                spare += widths[std::size_t(c)] - designed_[std::size_t(c)];
        const int taken = std::min(extra, spare);
        for (int c = 0; c < n && spare > 0; ++c) {
            const std::size_t i = std::size_t(c);
            if (!view_->isColumnHidden(c) && !fits_[i])
                widths[i] -= (widths[i] - designed_[i]) * taken / spare;
        }
    }
    for (int c = 0; c < n; ++c)
        if (!view_->isColumnHidden(c))
            view_->setColumnWidth(c, widths[std::size_t(c)]);
}

}  // namespace ui
