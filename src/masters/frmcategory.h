#pragma once
// The categories list: one page of categories with their item counts and
// parent names. Its own name box and parent combo add a category inline
// (mode "A"); mode "E" edits a row in the category dialog, mode "D" deletes
// a category that holds no items, and mode "S" hands the chosen category
// back through HandBack (the item dialog's category picker). The name box
// is also the search box: a search is always a name prefix.

#include "clscategory.h"
#include "listscreen.h"

#include <QPointer>
#include <memory>

class QLabel;
class QToolButton;

namespace ui {
class ComboBox;
class TextBox;
}  // namespace ui

namespace masters {

// Fills a parent-category combo: "No Parent Category" (item data 0), then
// every category by name with its ancestor path, keyed by CatId. The first
// entry is selected when at least one category exists, none otherwise.
void fillParentCombo(ui::ComboBox& combo, clsCategory& categories);

class FrmCategory : public ListScreen {
    Q_OBJECT
public:
    FrmCategory();
    ~FrmCategory() override;

    // Opens a fresh categories list modally as a picker; `chosen` receives
    // the key and name of the row the user selects (it is not called when
    // the list is closed without a choice).
    static void pickCategory(HandBackFn chosen);

    // Empties the screen's record object.
    void ClearClass();
    // Refills the parent combo; the first entry ends up selected.
    void FillCatg();

    // The screen's record object.
    clsCategory& Category();

    QPointer<QLabel> Label1, Label2, lblExplain;
    QPointer<ui::TextBox> txtCatName;
    QPointer<ui::ComboBox> cmbParent;
    QPointer<QToolButton> cmdHelp2;

    void cmdAdd_Click() override;
    void CmdEdit_Click() override;
    void cmdDel_Click() override;
    void CmdAll_Click() override;
    void ListView1_DblClick() override;
    void cmdHelp2_Click();

    static QString searchHelpText();
    static QString mainHelpText();

protected:
    QList<Column> columns() const override;
    std::optional<data::RowArray> fullList(int& page, int& pageCount, const QString& sortField,
                                           const QString& sortDir) override;
    std::optional<data::RowArray> searchList(int& page, int& pageCount, const QString& sortField,
                                             const QString& sortDir) override;
    records::RecordClass& records() override { return Category(); }
    QStringList rowSubItems(const data::RowArray& rows, int row, bool searched) override;
    QString modeCaption(const QString& mode) const override;
    QString helpText(const QString& mode) const override;
    void takeSearch() override;
    void notFound() override;
    void createSearchControls(QGridLayout* grid) override;
    void controlsCreated() override;
    QString modeButtons() const override { return QStringLiteral("AEDS"); }
    void applyMode(const QString& mode) override;
    void Form_Load() override;

private:
    void SaveCategory();
    // Refills the parent combo and selects `key` again (the first entry when
    // that category is gone).
    void refillParents(qint64 key);
    void enableBoxes(bool on);

    std::unique_ptr<clsCategory> category_;
    // Looks up the parent names of the full listing, so that the screen's
    // own record object (whose Catname is the search prefix) stays as it is.
    std::unique_ptr<clsCategory> parentNames_;
    bool adding_ = false;  // inside an inline add: a failed reload offers no second add
};

}  // namespace masters
