#pragma once
// What the report-view lists share, whether they hold their rows as items
// (ListView) or show a model held elsewhere (ModelListView): their look and
// how their columns are laid out.

#include <QObject>
#include <QString>
#include <vector>

class QKeyEvent;
class QTreeView;

namespace ui {

// No tree decoration, one whole row selected at a time, never edited in
// place, never sorted by itself; the header left-aligned, clickable, its
// sections in place and as narrow as 0.
void setUpReportView(QTreeView* view);

// Enter or Return, the keypad's too, without other modifiers: the
// keyboard's double-click on the selected row. The row it double-clicks,
// -1 for another key or when no row is selected.
int enterRow(const QKeyEvent* e, int selectedRow);

// The columns of one list as designed: each one's width (0 hides it), the
// columns that never get narrower than their widest text, and whether the
// visible columns widen in their designed proportions to share the list's
// width whenever it changes (never narrower than designed: the designed
// widths were meant for a smaller font than ours).
// The widths follow the view's width by themselves.
class ColumnLayout : public QObject {
public:
    explicit ColumnLayout(QTreeView* view);

    // The design of a column of the view: its width in twips; 0 hides it.
    void design(int column, double widthTwips);
    void setFitsContents(int column);
    bool fitsContents(int column) const;
    // A text that a column now shows: a fitting column widens to hold it.
    void noteText(int column, const QString& text);
    // The rows are gone; their texts no longer hold a column wide.
    void forgetTexts();
    void setSpread(bool on);
    // Gives the columns their widths for the view's width as it is now.
    // Nothing moves until every column of the view has its design.
    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int textWidth(const QString& text) const;

    QTreeView* view_;
    std::vector<int> designed_;  // pixels; -1 for a column not designed
    std::vector<bool> fits_;
    std::vector<int> content_;  // widest text so far, of the fitting columns
    bool spread_ = false;
};

}  // namespace ui
