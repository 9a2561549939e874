#pragma once
// The scientific calculator window: a pocket calculator with functions, an
// angle unit, a memory register, a list of saved values and the clipboard
// for moving figures in and out. The working lives in ScientificEngine; the
// window draws the keypad, forwards keys and shows the display.

#include "scientificengine.h"

#include "ui/form.h"

#include <QHash>
#include <QPointer>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {
class TextBox;
}

namespace calculators {

class FrmScientific : public ui::Form {
    Q_OBJECT
public:
    FrmScientific();
    ~FrmScientific() override;

    // Its topic in the help document.
    static constexpr int helpContext = 24;

    // The calculator's state, with the public variables qt, qh, qv, ang and
    // memo. Made afresh at every load: closing the window discards it.
    ScientificEngine engine;

    QPointer<ui::TextBox> Text1;  // the display
    QPointer<QLabel> Label1;      // the saved value chosen by View
    QPointer<QLabel> Label2;      // follows the display
    QPointer<QGroupBox> Frame1;   // the keypad
    QPointer<QGroupBox> Frame3;   // "angle"
    QPointer<QRadioButton> Option2[3];
    QPointer<QAction> ecut, ecopy, epaste, eselectall, eexit;
    QPointer<QAction> tstandard, tscientific;
    QPointer<QAction> hcontents, habout;

    // A keypad key by its name: "Command1_5" for key 5 of the Command1
    // array, "Command11" for a key of its own. Null when not loaded.
    QPushButton* key(const QString& objectName) const;

    // The key arrays' click procedures, by index.
    void Command1_Click(int index);   // digits
    void Command2_Click(int index);   // operators
    void Command5_Click(int index);   // trigonometry
    void Command6_Click(int index);   // 1/X, square, root, factorial, cube
    void Command7_Click(int index);   // memory
    void Command8_Click(int index);   // saved-value list
    void Command9_Click(int index);   // constants
    void Command10_Click(int index);  // ln, log, e to the x
    void Command12_Click(int index);  // AND, OR, NOT: no action
    void Command3_Click();            // C
    void Command4_Click();            // AC
    void Command11_Click();           // Back
    void Command13_Click();           // EXIT
    void Command14_Click();           // sign
    void Option2_Click(int index);

    // A character typed anywhere in the window; true when it was a
    // calculator key.
    bool Form_KeyPress(QChar key);

    void ecut_Click();
    void ecopy_Click();
    void epaste_Click();
    void eselectall_Click();
    void eexit_Click();
    // Standard hides the scientific keys and leaves a plain keypad;
    // Scientific brings them back. The calculation goes on either way.
    void tstandard_Click();
    void tscientific_Click();
    void hcontents_Click();
    void habout_Click();

    bool isStandard() const { return standard_; }

    // Shows the window modeless, kept above `owner` when there is one.
    void showOwnedBy(QWidget* owner);

protected:
    void createControls() override;
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildKeypad();
    void arrange();
    void setStandard(bool standard);
    // Shows what the engine holds after a key.
    void refresh();

    QHash<QString, QPointer<QPushButton>> keys_;
    bool standard_ = false;
};

}  // namespace calculators
