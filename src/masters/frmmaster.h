#pragma once
// The editor of the two one-column name lists, takeoff names ("Rooms") and
// units ("Units"): one record at a time in name order, with Previous and
// Next, a search for a part of a name, Add, Apply, Delete and Ok.

#include "clsmaster.h"

#include "ui/form.h"

#include <QPointer>
#include <memory>
#include <optional>

class QLabel;
class QLayout;
class QPushButton;

namespace ui {
class TextBox;
}

namespace masters {

class FrmMaster : public ui::Form {
    Q_OBJECT
public:
    FrmMaster();
    ~FrmMaster() override;

    // The table to edit, "Rooms" or "Units"; read while the window loads.
    QString MastertableName;

    // 1-based place of the shown record in name order; nothing while the
    // table is empty.
    std::optional<int> Position;

    QPointer<QLabel> Label1, lblRecord, Label2;
    QPointer<ui::TextBox> txtName, txtSearch;
    QPointer<QPushButton> cmdSearch, cmdAdd, CmdSave, cmdDelete, cmdPrevious, cmdNext, cmdExit, cmdMainHelp;

    // The screen's record object.
    clsMaster& Names();

    // Shows the record at Position, after asking about an unsaved add.
    void ShowData();

    void cmdAdd_Click();
    void CmdSave_Click();
    void cmdDelete_Click();
    void cmdPrevious_Click();
    void CmdNext_Click();
    void cmdSearch_Click();
    void cmdExit_Click();
    void cmdMainHelp_Click();

    static QString helpText();
    static constexpr int helpContextNumber = 6;

protected:
    void createControls() override;
    void Form_Load() override;
    // Closing with an unsaved new name asks to save it first.
    bool Form_QueryUnload(ui::UnloadMode) override;

private:
    enum class SaveOutcome { Declined, Saved, Refused };
    SaveOutcome save();
    void growToFit(QLayout* layout, double width, double height);

    std::unique_ptr<clsMaster> names_;
};

}  // namespace masters
