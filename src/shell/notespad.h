#pragma once
// The notes pad: one free text kept in the database (table BlankNotes), a
// scratch area for notes about a customer that the estimate screen can later
// import into an estimate.

#include "data/connection.h"
#include "ui/form.h"

#include <QPointer>

class QToolButton;

namespace ui {
class RichTextBox;
}

namespace shell {

class FrmBlank : public ui::Form {
    Q_OBJECT
public:
    FrmBlank();
    ~FrmBlank() override;

    static constexpr double clientWidth = 8280;
    static constexpr double clientHeight = 5835;
    // Its topic in the help document.
    static constexpr int helpContext = 9;

    QPointer<ui::RichTextBox> rtfNotes;
    QPointer<QToolButton> cmdOk;
    QPointer<QToolButton> CmdCancel;

    // Saves the text and closes; a failed write is shown and the window stays
    // open with the text, so nothing typed is lost.
    void cmdOk_Click();
    // Closes without saving.
    void CmdCancel_Click();

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void saveNotes(const QString& text);

    data::Connection connection_;  // the pad's own, from load to unload
};

// The program's one notes pad.
FrmBlank& frmBlank();

}  // namespace shell
