#pragma once
// The list screens' grid (ListView, listview.h) over a model that someone
// else holds: the model gives the rows, the columns and their captions; the
// view gives each column its designed width, hides the key columns, shows
// the header pictures, and selects, scrolls and reports rows as ListView
// does. Rows are numbered from 0; columns from 0 (the key column), so
// sub-item i is column i.
//
// As in ListView, the first row of an empty list becomes the selected row,
// and removing the selected row selects a neighbour, so a filled list
// always has a selection; Enter on the selected row reports
// rowDoubleClicked as a double-click does.

#include "columnlayout.h"
#include "headericons.h"

#include <QTreeView>
#include <optional>
#include <vector>

class QIdentityProxyModel;

namespace ui {

class ModelListView : public QTreeView {
    Q_OBJECT
public:
    ModelListView(QWidget* parent, const QString& name);
    ~ModelListView() override;

    // Shows `model`, which stays its holder's. The columns are designed
    // after it is set. model() is then the view's own proxy of it, which
    // adds the header pictures.
    void setModel(QAbstractItemModel* model) override;
    // The model shown; nullptr before setModel.
    QAbstractItemModel* sourceModel() const;

    // A column's designed width; 0 hides it. Every column of the model
    // needs one before the columns spread or fit their contents.
    void setColumnDesign(int column, double widthTwips);
    // As ListView's: the visible columns share the list's width.
    void setSpreadColumns(bool on);
    // The column never gets narrower than its widest text.
    void setColumnFitsContents(int column);

    int rowCount() const;
    int columnCount() const;
    // The key (column 0) of a row; empty outside the list.
    QString text(int row) const;
    // Sub-item i (i >= 1) of a row; empty outside the list.
    QString subItem(int row, int i) const;
    // The row's rectangle in the viewport, across the visible columns.
    QRect rowRect(int row) const;

    // The selected row, -1 for none.
    int selectedRow() const;
    // Selects a row (-1: none) and scrolls it into view. Does not emit
    // rowSelected, which reports the user's choices only.
    void setSelectedRow(int row);
    // Scrolls a row into view; the selection stays.
    void scrollToRow(int row);

    // Header pictures by column number. A column whose picture was never set
    // shows none and reads as Blank.
    void setHeaderIcon(int column, HeaderIcon icon);
    HeaderIcon headerIcon(int column) const;

signals:
    void rowDoubleClicked(int row);
    // The user selected a row (click or keyboard).
    void rowSelected(int row);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    class Pictures;

    void noteRows(int first, int last);

    Pictures* pictures_;  // the model as shown, with the header pictures
    ColumnLayout columns_{this};
    std::vector<std::optional<HeaderIcon>> headerIcons_;
    bool userInput_ = false;  // while a click or a key is handled
    bool selectingByCode_ = false;
};

}  // namespace ui
