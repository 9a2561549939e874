#pragma once
// The list screens' grid: a report-view list whose column 0 holds each
// row's record key (hidden when its width is 0) and whose other columns
// are the row's sub-items. Rows are numbered from 0; columns from 0 (the
// key column), so sub-item i is column i.
//
// The list never sorts itself: a header click only reports the column, and
// the screen reloads the rows in the order it wants. sortOrder is a plain
// 0/1 flag the screens toggle on each header click.
//
// As in the old list view, the first row added to an empty list becomes the
// selected row, so a filled list always has a selection.
//
// Enter on the selected row is the keyboard's double-click: it reports
// rowDoubleClicked as a double-click does.
//
// ModelListView (modellistview.h) is the same list over a model that
// someone else holds.

#include "columnlayout.h"
#include "headericons.h"

#include <QStringList>
#include <QTreeWidget>
#include <vector>

namespace ui {

class ListView : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(int sortOrder READ sortOrder WRITE setSortOrder)
public:
    ListView(QWidget* parent, const QString& name);

    // Appends a column; a width of 0 hides it. Returns its column number.
    // When on, the visible columns widen in their designed proportions to
    // share the list's width whenever it changes (never narrower than
    // designed): the designed widths were meant for a smaller font than ours.
    void setSpreadColumns(bool on);

    int addColumn(const QString& header, double widthTwips);
    // Right-aligns a column's cells and header (amounts of money stand in
    // one column that way).
    void setColumnRightAligned(int column);
    // The column never gets narrower than its widest text, so that a
    // figure is never cut off.
    void setColumnFitsContents(int column);

    // Appends a row: key in column 0, subItems in columns 1, 2, ...
    // Returns the row number.
    int addRow(const QString& key, const QStringList& subItems = {});
    void removeRow(int row);
    int rowCount() const { return topLevelItemCount(); }
    void clearRows();

    // The key (column 0) of a row; empty outside the list.
    QString text(int row) const;
    void setText(int row, const QString& key);
    // Sub-item i (i >= 1) of a row; empty outside the list.
    QString subItem(int row, int i) const;
    void setSubItem(int row, int i, const QString& text);

    // The selected row, -1 for none.
    int selectedRow() const;
    // Selects a row (-1: none) and scrolls it into view. Does not emit
    // rowSelected, which reports the user's choices only.
    void setSelectedRow(int row);
    // Scrolls a row into view; the selection stays.
    void scrollToRow(int row);
    // Selects the first row whose key is `key`; false (selection kept) when
    // there is none.
    bool selectByKey(const QString& key);
    // The selected row's key; empty when none.
    QString selectedKey() const;

    // Header pictures by column number. A column whose picture was never set
    // reads as Blank.
    void setHeaderIcon(int column, HeaderIcon icon);
    void setAllHeaderIcons(HeaderIcon icon);
    HeaderIcon headerIcon(int column) const;

    int sortOrder() const { return sortOrder_; }
    void setSortOrder(int order) { sortOrder_ = order != 0 ? 1 : 0; }

signals:
    // A header was clicked: its 1-based position (column + 1).
    void columnClicked(int position);
    void rowDoubleClicked(int row);
    // The user selected a row (click or keyboard).
    void rowSelected(int row);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void applyAlignment(QTreeWidgetItem* item, int column) const;
    QTreeWidgetItem* rowItem(int row) const;
    int rowOf(QTreeWidgetItem* item) const;

    ColumnLayout columns_{this};
    std::vector<HeaderIcon> headerIcons_;
    std::vector<bool> rightAligned_;
    int sortOrder_ = 0;
    bool selectingByCode_ = false;
};

}  // namespace ui
