#pragma once
// The estimate-number prompt: asks for a number and opens that estimate in
// the estimate screen, in whatever mode the opener gave the screen (the
// main menu's delete-estimate item sets "D" and the caption "Delete Order"
// before it shows the prompt). A found estimate opens the screen, whose
// load closes the prompt; otherwise the prompt stays for another try.

#include "shell/screens.h"
#include "ui/form.h"

#include <QPointer>
#include <QString>
#include <optional>

class QLabel;
class QToolButton;

namespace ui {
class TextBox;
}

namespace estimates {

class FrmOrderNo : public ui::Form {
    Q_OBJECT
public:
    FrmOrderNo();
    ~FrmOrderNo() override;

    // The caption is set through ui::Form::setCaption, which loads the
    // window first, so a caption set before show() is the one shown.

    // Event procedures.
    void cmdOk_Click();
    void CmdCancel_Click();

    // What a typed estimate number reads as: a whole number from 1 to the
    // largest 32-bit number, blanks around it allowed.
    enum class Reading { Empty, NotWhole, OutOfRange, Number };
    static Reading readNumber(const QString& text, int& number);

    QPointer<QLabel> LblEdit;
    QPointer<ui::TextBox> TxtGetOrderNo;
    QPointer<QToolButton> cmdOk, CmdCancel;

protected:
    void createControls() override;
};

// The prompt as the main menu drives it: "Caption" sets the caption (and
// so loads the window), show shows it.
shell::Screen frmOrderNoScreen();

}  // namespace estimates
