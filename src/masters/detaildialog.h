#pragma once
// The frame of the detail dialogs (items, categories, customers): a modal
// window over one public record object that the opener prepares (key,
// single-record getter, record mode) before showing it. Apply validates,
// saves, reports and disables itself; Ok applies while Apply is enabled,
// refreshes the opener's list and closes, whatever Apply reported; Cancel
// closes without saving. Every close empties the record object.
//
// Editable or view-only follows the opening list screen's mode:
//   "A", "C"          the field frames enabled
//   "E", "EE"         the key fields and the field frames enabled
//   "D", "DE", "AE"   view only: Apply and Ok hidden, key fields and field
//                     frames disabled; Cancel and help remain
//   anything else     as designed

#include "ui/form.h"

#include <QList>
#include <QPointer>
#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace masters {

class ListScreen;

class DetailDialog : public ui::Form {
    Q_OBJECT
public:
    // `caption` is the design-time caption, `helpContext` the help topic for F1.
    DetailDialog(const QString& formName, QString caption, int helpContext);
    ~DetailDialog() override;

    // The list screen that opened the dialog (ListScreen::showDialog sets
    // it): its AddOrDelete is read at load, and its list is refreshed by Ok
    // (and by Cancel where the member says so). May be null.
    QPointer<ListScreen> Opener;

    QPointer<QPushButton> CmdSave;  // Apply
    QPointer<QPushButton> cmdOk;
    QPointer<QPushButton> CmdCancel;
    QPointer<QPushButton> cmdMainHelp;

    // Empties the record object (AddEditDel stays).
    virtual void ClearClass() = 0;
    // Shows the record object in the fields.
    virtual void FillData() = 0;
    void DisableSave();
    bool isSaveEnabled() const;

    // The mode the dialog opens in: the opener's AddOrDelete by default.
    virtual QString dialogMode() const;
    // True when the last load made the dialog view only.
    bool isViewOnly() const { return viewOnly_; }

    // Event procedures.
    virtual void CmdSave_Click();
    virtual void cmdOk_Click();
    virtual void CmdCancel_Click();
    virtual void cmdMainHelp_Click();

protected:
    // --- What each member gives -----------------------------------------
    // Builds the fields on `area` (the space above the button row); the
    // member sizes the area with fieldsWidth()/fieldsHeight() in mind.
    virtual void createFields(QWidget* area) = 0;
    virtual double clientWidth() const = 0;
    virtual double clientHeight() const = 0;
    // Fills the combo lists before FillData (FillCatg, FillUnits, ...).
    virtual void fillLists() {}
    // Apply's steps: copy the fields into the record object; the checks
    // (each failure shows its own message first); the write.
    virtual void copyToRecord() = 0;
    virtual bool validateRecord() = 0;
    virtual void saveRecord() = 0;
    // Apply's message on success (title "Inventory").
    virtual QString savedMessage() const = 0;
    // The fields the view-only modes disable: the key fields and the field
    // frames.
    virtual QList<QWidget*> keyFields() const = 0;
    virtual QList<QWidget*> fieldFrames() const = 0;
    // Whether Cancel refreshes the opener's list before closing.
    virtual bool cancelRefreshesList() const { return false; }
    // The spoken help; hasHelpButton() false leaves cmdMainHelp null.
    virtual QString helpText() const;
    virtual bool hasHelpButton() const { return true; }

    // Applies the table above.
    virtual void applyMode(const QString& mode);
    // RefreshGrid of the opener, when it has one.
    void refreshOpener();

    // Height of the button row at the bottom, in twips.
    static constexpr double buttonRowHeight = 600;

    void createControls() override;
    // Centre, fillLists, FillData, applyMode(dialogMode()). Members that
    // override call it first.
    void Form_Load() override;
    void Form_Unload() override;

private:
    bool viewOnly_ = false;
    QString caption_;
    int helpContext_ = 0;
};

}  // namespace masters
