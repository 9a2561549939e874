#pragma once
// Drives list screens and dialogs as a user would, and reads what they show.

#include "ui/forms.h"
#include "ui/textbox.h"

#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <functional>

class QWidget;

namespace ui {
class ComboBox;
class Form;
class ListView;
class ModelListView;
}  // namespace ui

namespace screentest {

// A list screen shown in a mode ("A", "E", "D", "C", "S"), as the main menu
// opens it.
template <class Screen>
Screen& openInMode(const QString& mode)
{
    Screen& s = ui::form<Screen>();
    s.AddOrDelete = mode;
    s.show();
    return s;
}

// A search on a list screen: the option checked, the text typed, Search pressed.
template <class Screen>
void search(Screen& s, const QString& option, const QString& text)
{
    QRadioButton* b = s.searchOptionButton(option);
    QVERIFY2(b, qPrintable(option));
    b->setChecked(true);
    s.searchBox()->setText(text);
    s.cmdSearch->click();
}

// The texts of one column of a list view (0: the key column).
QStringList columnTexts(const ui::ListView* lv, int column);
inline QStringList columnTexts(const ui::ListView& lv, int column) { return columnTexts(&lv, column); }
// Every cell of one row, the hidden columns included.
QStringList rowCells(const ui::ListView* lv, int row);
QStringList rowCells(const ui::ModelListView* lv, int row);
// The row whose first sub-item is `name`, -1 when none.
int rowNamed(const ui::ListView* lv, const QString& name);
// Every entry of a combo, in order.
QStringList comboTexts(const ui::ComboBox* c);
// Selects the row whose first sub-item is `name`.
void selectRow(ui::ListView* lv, const QString& name);
// A user's double-click on a row: the press selects it, the second click opens it.
void doubleClickRow(ui::ListView* lv, int row);
inline void doubleClickRow(ui::ListView& lv, int row) { doubleClickRow(&lv, row); }
// A click on the header of a column (1-based, as the screens count them).
void clickHeader(ui::ListView* lv, int position);
inline void clickHeader(ui::ListView& lv, int position) { clickHeader(&lv, position); }
// Types `text` over what the box holds, as a user who selects it all first.
void typeOver(ui::TextBox* box, const QString& text);
// Runs `steps` once the modal window about to open is up, and closes `form`
// afterwards if the steps left it open (a failed check must not leave the
// test waiting on a modal loop).
void whenShown(ui::Form& form, std::function<void()> steps);

// The names of the controls the Tab key visits from `start` (included), as
// a user pressing Tab sees them, until the focus comes back to `start` (at
// most `limit` presses). The window is made active first.
QStringList tabWalk(QWidget* start, int limit = 60);

// The shown top-level window of that form name, nullptr when none.
QWidget* visibleWindow(const QString& formName);
// The same, only when it is shown modal.
QWidget* modalWindow(const QString& formName);
// Runs `steps` on the window `formName` once it is up as a modal picker, and
// closes it afterwards if the steps did not (a failed check must not leave
// the test waiting in the picker's modal loop); `stayedOpen` tells whether
// that was needed.
void whenListShown(const QString& formName, std::function<void(QWidget*)> steps, bool& stayedOpen);

}  // namespace screentest
