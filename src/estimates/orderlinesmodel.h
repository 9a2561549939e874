#pragma once
// The lines of the estimate on the estimate screen, as the table its list
// shows: one row per line of a line collection, in collection order (row r
// is position r + 1), in twelve columns. The collection is the one place
// the lines live; the model changes it and writes its figures as text only
// when they are shown. It shares the collection with the estimate record,
// so that a save writes what the list shows, and keeps it when the record
// is cleared or loaded with another estimate.
//
// While the model shows a collection, its lines change through the model.

#include "colnorderitems.h"
#include "orderline.h"

#include <QAbstractTableModel>
#include <QString>
#include <memory>
#include <vector>

namespace estimates {

class OrderLinesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ColItemId = 0,  // the item key, the row's key; hidden on screen
        ColRoom,
        ColQty,
        ColUnit,
        ColItemName,
        ColMaterial,  // quantity times unit material price
        ColLabor,
        ColSubLabor,
        ColOthers,
        ColTotal,
        ColRoomId,  // takeoff name key; hidden on screen
        ColUnitId,  // unit key; hidden on screen
        ColumnCount
    };

    // The texts of a line's keys, as the pick lists showed them when the
    // line was added or loaded; the lists are not asked again.
    struct Names {
        QString room;
        QString unit;
        QString item;
    };

    explicit OrderLinesModel(QObject* parent = nullptr);
    ~OrderLinesModel() override;

    // Shows the lines of a stored estimate, one name entry per line. A
    // stored line shows its material and labor at four decimals, until it
    // is changed on screen.
    void setLines(std::shared_ptr<ColnOrderItems> lines, std::vector<Names> names);
    // The lines shown; never null.
    const std::shared_ptr<ColnOrderItems>& lines() const { return lines_; }

    // Appends a line; returns its row.
    int addLine(const LineKeys& keys, const LineAmounts& amounts, const Names& names);
    void setLine(int row, const LineKeys& keys, const LineAmounts& amounts, const Names& names);
    void removeLine(int row);

    // The line of a row from 0 to rowCount() - 1.
    const ClsOrderItems& line(int row) const;
    // The first row other than `skip` whose line has these keys; -1 when
    // none has.
    int rowOf(const LineKeys& keys, int skip = -1) const;
    // The number a cell shows (a stored line's material and labor rounded
    // to four decimals); 0 for the text columns.
    double figure(int row, int column) const;
    // The text a cell shows.
    QString text(int row, int column) const;
    // Every line's total, by row.
    std::vector<double> lineTotals() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Shown {
        Names names;
        bool stored = false;
    };

    bool holds(int row) const { return row >= 0 && row < rowCount() && std::size_t(row) < shown_.size(); }

    std::shared_ptr<ColnOrderItems> lines_;
    std::vector<Shown> shown_;  // by row
};

}  // namespace estimates
