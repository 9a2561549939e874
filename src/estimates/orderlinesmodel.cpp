#include "orderlinesmodel.h"
#include "ordertotals.h"

#include "data/conversions.h"

#include <array>
#include <optional>

namespace estimates {

namespace {

const std::array<QString, OrderLinesModel::ColumnCount> captions{
    QStringLiteral("Item ID"), QStringLiteral("Takeoff Name"), QStringLiteral("Quantity"),
    QStringLiteral("Unit"),    QStringLiteral("Item Name"),    QStringLiteral("Material"),
    QStringLiteral("Labor"),   QStringLiteral("Sub-Labor"),    QStringLiteral("Others"),
    QStringLiteral("Total"),   QStringLiteral("Roomid"),       QStringLiteral("Unitid")};

// A stored figure as shown: at four decimals, which hides the noise of the
// single-precision amounts older estimates were kept in.
std::optional<conv::Currency> fourDecimals(double v) { return conv::Currency::fromDouble(v); }

}  // namespace

OrderLinesModel::OrderLinesModel(QObject* parent)
    : QAbstractTableModel(parent), lines_(std::make_shared<ColnOrderItems>())
{}

OrderLinesModel::~OrderLinesModel() = default;

void OrderLinesModel::setLines(std::shared_ptr<ColnOrderItems> lines, std::vector<Names> names)
{
    beginResetModel();
    lines_ = lines ? std::move(lines) : std::make_shared<ColnOrderItems>();
    shown_.clear();
    shown_.resize(std::size_t(lines_->Count()));
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (i < names.size())
            shown_[i].names = std::move(names[i]);
        shown_[i].stored = true;
    }
    endResetModel();
}

int OrderLinesModel::addLine(const LineKeys& keys, const LineAmounts& amounts, const Names& names)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    lines_->Add(keys, amounts);
    shown_.push_back({names, false});
    endInsertRows();
    return row;
}

void OrderLinesModel::setLine(int row, const LineKeys& keys, const LineAmounts& amounts, const Names& names)
{
    if (!holds(row))
        return;
    ClsOrderItems& l = lines_->Item(row + 1);
    l.setKeys(keys);
    l.setAmounts(amounts);
    shown_[std::size_t(row)] = {names, false};
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1), {Qt::DisplayRole});
}

void OrderLinesModel::removeLine(int row)
{
    if (!holds(row))
        return;
    beginRemoveRows(QModelIndex(), row, row);
    lines_->Remove(row + 1);
    shown_.erase(shown_.begin() + row);
    endRemoveRows();
}

const ClsOrderItems& OrderLinesModel::line(int row) const { return lines_->Item(row + 1); }

int OrderLinesModel::rowOf(const LineKeys& keys, int skip) const
{
    int row = 0;
    for (const ClsOrderItems& l : *lines_) {
        if (row != skip && l.keys() == keys)
            return row;
        ++row;
    }
    return -1;
}

double OrderLinesModel::figure(int row, int column) const
{
    if (!holds(row))
        return 0;
    const ClsOrderItems& l = line(row);
    const LineAmounts a = l.amounts();
    const bool stored = shown_[std::size_t(row)].stored;
    const auto shown = [stored](double v) {
        const std::optional<conv::Currency> c = stored ? fourDecimals(v) : std::nullopt;
        return c ? c->toDouble() : v;
    };
    switch (column) {
    case ColItemId: return l.itemKey();
    case ColQty: return a.quantity;
    case ColMaterial: return shown(a.material);
    case ColLabor: return shown(a.labor);
    case ColSubLabor: return a.subLabor;
    case ColOthers: return a.others;
    case ColTotal: return lineTotal(a);
    case ColRoomId: return l.mvarRoomId;
    case ColUnitId: return l.mvarUnitId;
    default: return 0;
    }
}

QString OrderLinesModel::text(int row, int column) const
{
    if (!holds(row))
        return {};
    const Shown& s = shown_[std::size_t(row)];
    switch (column) {
    case ColRoom: return s.names.room;
    case ColUnit: return s.names.unit;
    case ColItemName: return s.names.item;
    case ColMaterial:
    case ColLabor:
        if (s.stored) {
            const LineAmounts a = line(row).amounts();
            if (const std::optional<conv::Currency> c = fourDecimals(column == ColMaterial ? a.material : a.labor))
                return c->toText();
        }
        return conv::numberText(figure(row, column));
    case ColItemId: return conv::numberText(line(row).itemKey());
    case ColRoomId: return conv::numberText(line(row).mvarRoomId);
    case ColUnitId: return conv::numberText(line(row).mvarUnitId);
    default: return conv::numberText(figure(row, column));
    }
}

std::vector<double> OrderLinesModel::lineTotals() const
{
    std::vector<double> totals;
    totals.reserve(std::size_t(rowCount()));
    for (const ClsOrderItems& l : *lines_)
        totals.push_back(lineTotal(l.amounts()));
    return totals;
}

int OrderLinesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : lines_->Count(); }

int OrderLinesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant OrderLinesModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || !holds(index.row()))
        return {};
    return text(index.row(), index.column());
}

QVariant OrderLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return captions[std::size_t(section)];
}

}  // namespace estimates
