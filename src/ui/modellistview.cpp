#include "modellistview.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include <algorithm>

namespace ui {

// The header pictures are the view's, not the model's: shown through a
// proxy that adds them to the model's header, so that the header sizes and
// paints them as any header picture.
class ModelListView::Pictures : public QIdentityProxyModel {
public:
    explicit Pictures(ModelListView* view) : QIdentityProxyModel(view), view_(view) {}

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DecorationRole) {
            const auto& icons = view_->headerIcons_;
            if (section >= 0 && std::size_t(section) < icons.size() && icons[std::size_t(section)])
                return ui::headerIcon(*icons[std::size_t(section)]);
            return {};
        }
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    void pictureChanged(int column) { emit headerDataChanged(Qt::Horizontal, column, column); }

private:
    const ModelListView* view_;
};

ModelListView::ModelListView(QWidget* parent, const QString& name) : QTreeView(parent), pictures_(new Pictures(this))
{
    setObjectName(name);
    QTreeView::setModel(pictures_);
    setUpReportView(this);

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit rowDoubleClicked(index.row());
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        // Rows the model takes away move the selection too; only a click or
        // a key is the user's choice.
        if (!userInput_ || selectingByCode_)
            return;
        const int row = selectedRow();
        if (row >= 0)
            emit rowSelected(row);
    });

    connect(pictures_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        noteRows(first, last);
        if (rowCount() == last - first + 1 && selectedRow() < 0)
            setSelectedRow(0);
    });
    connect(pictures_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                noteRows(topLeft.row(), bottomRight.row());
            });
    // When the selected row goes, Qt's single selection selects the next
    // row, or the one before when it was the last, as the old list did.
    connect(pictures_, &QAbstractItemModel::modelReset, this, [this] {
        columns_.forgetTexts();
        noteRows(0, rowCount() - 1);
        if (rowCount() > 0)
            setSelectedRow(0);
    });
}

ModelListView::~ModelListView() = default;

void ModelListView::setModel(QAbstractItemModel* model) { pictures_->setSourceModel(model); }

QAbstractItemModel* ModelListView::sourceModel() const { return pictures_->sourceModel(); }

void ModelListView::setColumnDesign(int column, double widthTwips)
{
    if (column < 0 || column >= columnCount())
        return;
    columns_.design(column, widthTwips);
}

void ModelListView::setSpreadColumns(bool on) { columns_.setSpread(on); }

void ModelListView::setColumnFitsContents(int column)
{
    if (column < 0 || column >= columnCount())
        return;
    columns_.setFitsContents(column);
    for (int row = 0; row < rowCount(); ++row)
        columns_.noteText(column, pictures_->index(row, column).data().toString());
    columns_.apply();
}

void ModelListView::noteRows(int first, int last)
{
    for (int column = 0; column < columnCount(); ++column) {
        if (!columns_.fitsContents(column))
            continue;
        for (int row = std::max(first, 0); row <= last; ++row)
            columns_.noteText(column, pictures_->index(row, column).data().toString());
    }
}

int ModelListView::rowCount() const { return pictures_->rowCount(); }

int ModelListView::columnCount() const { return pictures_->columnCount(); }

QString ModelListView::text(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return pictures_->index(row, 0).data().toString();
}

QString ModelListView::subItem(int row, int i) const
{
    if (row < 0 || row >= rowCount() || i < 1 || i >= columnCount())
        return {};
    return pictures_->index(row, i).data().toString();
}

QRect ModelListView::rowRect(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const QHeaderView* h = header();
    const int first = h->logicalIndexAt(-h->offset());
    const int last = h->logicalIndexAt(h->length() - h->offset() - 1);
    return visualRect(pictures_->index(row, first)) | visualRect(pictures_->index(row, last));
}

int ModelListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ModelListView::setSelectedRow(int row)
{
    selectingByCode_ = true;
    if (row >= 0 && row < rowCount()) {
        const QModelIndex at = pictures_->index(row, 0);
        selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(at);
    } else {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
    }
    selectingByCode_ = false;
}

void ModelListView::scrollToRow(int row)
{
    if (row >= 0 && row < rowCount())
        scrollTo(pictures_->index(row, 0));
}

void ModelListView::setHeaderIcon(int column, HeaderIcon icon)
{
    if (column < 0 || column >= columnCount())
        return;
    if (headerIcons_.size() <= std::size_t(column))
        headerIcons_.resize(std::size_t(column) + 1);
    headerIcons_[std::size_t(column)] = icon;
    pictures_->pictureChanged(column);
}

HeaderIcon ModelListView::headerIcon(int column) const
{
    if (column < 0 || std::size_t(column) >= headerIcons_.size() || !headerIcons_[std::size_t(column)])
        return HeaderIcon::Blank;
    return *headerIcons_[std::size_t(column)];
}

void ModelListView::keyPressEvent(QKeyEvent* e)
{
    if (const int row = enterRow(e, selectedRow()); row >= 0) {
        e->accept();
        emit rowDoubleClicked(row);
        return;
    }
    const QScopedValueRollback<bool> user(userInput_, true);
    QTreeView::keyPressEvent(e);
}

void ModelListView::mousePressEvent(QMouseEvent* e)
{
    const QScopedValueRollback<bool> user(userInput_, true);
    QTreeView::mousePressEvent(e);
}

void ModelListView::mouseMoveEvent(QMouseEvent* e)
{
    const QScopedValueRollback<bool> user(userInput_, true);
    QTreeView::mouseMoveEvent(e);
}

void ModelListView::mouseReleaseEvent(QMouseEvent* e)
{
    const QScopedValueRollback<bool> user(userInput_, true);
    QTreeView::mouseReleaseEvent(e);
}

}  // namespace ui
