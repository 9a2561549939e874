#pragma once
// Drives list screens and dialogs as a user would, and reads what they show.

#include <QStringList>
#include <functional>

class QWidget;

namespace ui {
class ComboBox;
class Form;
class ListView;
}  // namespace ui

namespace screentest {

// The texts of one column of a list view (0: the key column).
QStringList columnTexts(const ui::ListView* lv, int column);
// The row whose first sub-item is `name`, -1 when none.
int rowNamed(const ui::ListView* lv, const QString& name);
// Every entry of a combo, in order.
QStringList comboTexts(const ui::ComboBox* c);
// A user's double-click on a row: the press selects it, the second click opens it.
void doubleClickRow(ui::ListView* lv, int row);
inline void doubleClickRow(ui::ListView& lv, int row) { doubleClickRow(&lv, row); }
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
// Runs `steps` on the window `formName` once it is up as a modal picker, and
// closes it afterwards if the steps did not (a failed check must not leave
// the test waiting in the picker's modal loop); `stayedOpen` tells whether
// that was needed.
void whenListShown(const QString& formName, std::function<void(QWidget*)> steps, bool& stayedOpen);

}  // namespace screentest
