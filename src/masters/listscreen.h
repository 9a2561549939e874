#pragma once
// The frame of the paged list screens (items, categories, customers,
// estimates): one page of rows in a report-view list with the record key in
// column 0, the paging label with Prev and Next, a search box with option
// buttons, Show All, sorting by header click, the mode buttons, and the
// picker hand-back. A member screen gives its columns, getters, captions,
// texts and row actions through the virtual hooks below; everything else is
// here once.
//
// The public members keep the names the screens and dialogs use for each
// other (AddOrDelete, RefreshGrid, ShowLabel, ...).

#include "records/recordclass.h"

#include "data/rowarray.h"
#include "ui/form.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace masters {

class DetailDialog;

class ListScreen : public ui::Form {
    Q_OBJECT
public:
    // What stays the same for a list screen: its design-time caption
    // (before any mode applies), its help topic for F1, the sort at load
    // (SortDir "A") and the position (1-based) of the header that gets the
    // "Down" icon.
    struct Design {
        QString caption;
        int helpContext = 0;
        QString sortField;
        int sortPosition = 1;
    };
    ListScreen(const QString& formName, Design design);
    ~ListScreen() override;

    // The screen mode, set by the opener before it shows the screen: "A"
    // add, "E" edit, "D" delete, "C" copy, "S" select (picker); a row
    // double-click turns "A", "D", "E" into "AE", "DE", "EE".
    QString AddOrDelete;

    // Module state.
    int CurrentPage = 1;
    int TotalPages = 0;
    QString SortField;
    QString SortDir;   // "A" ascending, anything else descending
    QString ListMode;  // "All" (full list) or "Searched"

    // The picker hand-back for mode "S": the opener sets it before showing
    // the screen; Select (and, where the member allows it, a double-click)
    // calls it with the chosen row's key and name, then closes the screen.
    // It is dropped when the screen closes, so it serves one opening only.
    using HandBackFn = std::function<void(int key, const QString& name)>;
    HandBackFn HandBack;

    // Controls (null while the screen is not loaded). A mode button the
    // member does not have (modeButtons()) stays null.
    QPointer<ui::ListView> ListView1;
    QPointer<QLabel> LblRecords;
    QPointer<QLabel> lblHint;  // shown when the member gives a hint text
    QPointer<QPushButton> CmdPrev, CmdNext, CmdAll, cmdSearch;
    QPointer<QPushButton> cmdAdd, CmdEdit, cmdDel, cmdCopy, CmdSelect;
    QPointer<QPushButton> cmdExit, cmdMainHelp;

    // The search box the member made (setSearchBox); null when none.
    ui::TextBox* searchBox() const { return searchBox_; }

    // Shows page CurrentPage of the full list. A page beyond the last (after
    // a delete) shows the last page. Nothing happens while the screen is not
    // loaded, so a dialog may call it whether or not its opener is open.
    void RefreshGrid();
    // Rewrites LblRecords: "Record " first " - " last " of " count.
    void ShowLabel();
    // The search routine: page CurrentPage of the search result; when
    // nothing matches the rows and label stay and notFound() runs. True
    // when rows were found.
    bool RunSearch();
    // RefreshGrid or RunSearch, by ListMode.
    void Rerun();

    // Event procedures; members may replace them.
    virtual void cmdSearch_Click();
    virtual void CmdAll_Click();
    virtual void CmdPrev_Click();
    virtual void CmdNext_Click();
    virtual void ListView1_ColumnClick(int position);  // 1-based
    virtual void ListView1_DblClick();
    virtual void cmdAdd_Click() {}
    virtual void CmdEdit_Click() {}
    virtual void cmdDel_Click() {}
    virtual void cmdCopy_Click() {}
    virtual void CmdSelect_Click();  // the hand-back, then close
    virtual void cmdExit_Click();
    virtual void cmdMainHelp_Click();

    // The list's rows and the selected one.
    bool hasRows() const;
    // Key (column 0) of the selected row as a number; 0 when none.
    int selectedKey() const;
    QString selectedKeyText() const;
    // Sub-item i (1-based, as the columns) of the selected row.
    QString selectedSubItem(int i) const;

    // The column key of the checked search option ("All" and so on); empty
    // when the member has no options.
    QString searchOption() const;
    QRadioButton* searchOptionButton(const QString& objectName) const;

    // Turns "A", "D", "E" into "AE", "DE", "EE" (a row opened for viewing
    // or editing); any other mode stays.
    void turnModeForRow();

    // Shows a detail dialog modally for this screen: it becomes the
    // dialog's opener (whose mode the dialog reads and whose list its Ok
    // refreshes).
    void showDialog(DetailDialog& dialog);

    struct Column {
        QString header;
        double widthTwips = 0;  // 0 hides the column
        QString sortField;      // empty: a click keeps SortField
        bool money = false;     // right-aligned, never cut off
    };

    // A search option button: object name, caption, and the column it
    // searches.
    struct SearchOption {
        QString name;
        QString caption;
        QString column;
    };

protected:
    // --- What each member gives -----------------------------------------
    // The list's columns in order; column 1 holds the key.
    virtual QList<Column> columns() const = 0;
    // The paged getters (CurrentPage, TotalPages, SortField, SortDir are
    // passed in); nothing when no row matches.
    virtual std::optional<data::RowArray> fullList(int& page, int& pageCount, const QString& sortField,
                                                   const QString& sortDir) = 0;
    virtual std::optional<data::RowArray> searchList(int& page, int& pageCount, const QString& sortField,
                                                     const QString& sortDir) = 0;
    // The record object whose PageSize and RecordCount the label shows.
    virtual records::RecordClass& records() = 0;
    // A result row: its key text (default: field 0) and its sub-items in
    // column order. `searched` tells a search result from the full list.
    virtual QString rowKey(const data::RowArray& rows, int row, bool searched);
    virtual QStringList rowSubItems(const data::RowArray& rows, int row, bool searched) = 0;
    // Window caption per mode; empty: the caption is not changed.
    virtual QString modeCaption(const QString& mode) const = 0;
    // Spoken help per mode; empty: the assistant shows and says nothing.
    virtual QString helpText(const QString& mode) const = 0;
    // Copies the search box and option into the record object before a
    // search (SearchVal, SearchFld, or the member's own field).
    virtual void takeSearch() = 0;
    // What a search that finds nothing does (a message, an add offer).
    virtual void notFound() {}
    // The member's controls above the list, put in `grid` (which the frame
    // places above ListView1). Most members call addSearchRow() and
    // addSearchOptions(); others place their own controls and cmdSearch,
    // CmdAll themselves, and name their search box with setSearchBox().
    virtual void createSearchControls(QGridLayout* grid) = 0;
    // Called after all controls exist and before Form_Load: member tweaks
    // (button texts, tool tips, extra controls).
    virtual void controlsCreated() {}
    // Letters of the mode buttons the screen has: "A" cmdAdd, "E" CmdEdit,
    // "D" cmdDel, "C" cmdCopy, "S" CmdSelect; in this order on the window.
    virtual QString modeButtons() const { return QStringLiteral("AEDCS"); }
    // The double-click action on the selected row (called only when the
    // list has rows). The default opens the row the member's way: mode "S"
    // with doubleClickPicks() hands the row back; otherwise the mode turns
    // (turnModeForRow), openRow() runs and the list re-runs by ListMode.
    virtual bool doubleClickPicks() const { return false; }
    virtual void openRow(int /*key*/) {}
    // Client area size in twips at opening; the window may be resized and
    // its list takes the difference.
    virtual double clientWidth() const { return 10440; }
    virtual double clientHeight() const { return 6840; }
    // Whether the screen has the spoken-help button.
    virtual bool hasHelpButton() const { return true; }
    // A line shown under the list in every mode; empty for none.
    virtual QString hintText() const { return {}; }

    // --- Helpers for the members -----------------------------------------
    // Row 0 of the standard search area: label, search box, Search, Show
    // All. Returns the box (also set as the search box).
    ui::TextBox* addSearchRow(QGridLayout* grid, const QString& label, const QString& boxName);
    // Row 1: the label and one option button per entry; the first is
    // checked.
    void addSearchOptions(QGridLayout* grid, const QString& label, const QList<SearchOption>& options);
    void setSearchBox(ui::TextBox* box);
    // Enables the search box, gives it the focus and optionally selects its
    // whole text.
    void focusSearchBox(bool selectAll);

    // Shows the one mode button of `mode`, hides the others, sets the
    // caption; any other mode changes nothing.
    virtual void applyMode(const QString& mode);

    void createControls() override;
    // Centre, page 1, initial sort, RefreshGrid, mode, "Down" on the
    // initial sort header. Members that override call it first.
    void Form_Load() override;
    // A show that brings the open screen forward applies a changed mode.
    void Form_Activate() override;
    void Form_Unload() override;

private:
    void fill(const data::RowArray& rows, bool searched);
    void enablePaging();
    QPushButton* modeButton(QChar letter) const;

    QPointer<ui::TextBox> searchBox_;
    QList<QPointer<QRadioButton>> options_;
    QStringList optionColumns_;
    QString appliedMode_;
    Design design_;
};

// Runs a list screen of type T as a picker (mode "S") or in another mode in
// a window of its own, modally: a fresh instance, so that the one the main
// menu may have open stays as it is. `handBack` receives the chosen row.
template <class T>
void runListScreenModal(const QString& mode, ListScreen::HandBackFn handBack = {})
{
    T screen;
    screen.AddOrDelete = mode;
    screen.HandBack = std::move(handBack);
    screen.showModal();
    if (screen.isLoaded())
        screen.unload();
}

}  // namespace masters
