#pragma once
// The category dialog: one category's name and parent, changed through the
// Apply/Ok/Cancel frame. Only the categories list opens it, in its edit
// mode, after loading Cat; the dialog is always editable.

#include "clscategory.h"
#include "detaildialog.h"

#include <QPointer>

class QLabel;

namespace ui {
class ComboBox;
class TextBox;
}  // namespace ui

namespace masters {

class FrmCatMast : public DetailDialog {
    Q_OBJECT
public:
    FrmCatMast();
    ~FrmCatMast() override;

    // The category in the dialog; the opener sets Catid, calls GetCatg and
    // sets AddEditDel "E" before showing the dialog.
    clsCategory Cat;

    // Empties the name and parent of Cat (its key and mode stay).
    void ClearClass() override;
    void FillData() override;
    // The parent list, with each category's ancestor path.
    void FillCatg();

    QPointer<QLabel> Label1, Label2;
    QPointer<ui::TextBox> Txtname;
    QPointer<ui::ComboBox> cmbParent;

    QString dialogMode() const override { return QStringLiteral("E"); }

protected:
    void createFields(QWidget* area) override;
    double clientWidth() const override { return 6600; }
    double clientHeight() const override { return 2100; }
    void fillLists() override { FillCatg(); }
    void copyToRecord() override;
    bool validateRecord() override { return Cat.Validate(); }
    void saveRecord() override { Cat.Save(); }
    QString savedMessage() const override { return QStringLiteral("Category Saved"); }
    QList<QWidget*> keyFields() const override;
    QList<QWidget*> fieldFrames() const override;
    bool cancelRefreshesList() const override { return true; }
    bool hasHelpButton() const override { return false; }
};

}  // namespace masters
