#pragma once
// The item dialog: one item added, copied, viewed or edited. The items list
// prepares the public record object Item and shows the dialog modally; the
// list's mode decides whether the fields can be changed.

#include "clscategory.h"
#include "clsitem.h"
#include "clsmaster.h"
#include "detaildialog.h"

#include <QPointer>
#include <memory>

class QGroupBox;
class QLabel;

namespace ui {
class ComboBox;
class TextBox;
}  // namespace ui

namespace masters {

class FrmItemMast : public DetailDialog {
    Q_OBJECT
public:
    FrmItemMast();
    ~FrmItemMast() override;

    // The item in the dialog; the opener sets itemid, calls GetItem and
    // sets AddEditDel before showing it. Emptied on every close.
    ClsItem Item;

    // Item number and description, and the field frame with the rest.
    QPointer<ui::TextBox> txtCode, TxtName;
    QPointer<QGroupBox> fraFields;
    QPointer<QLabel> lblCategory;
    QPointer<ui::ComboBox> CmbCat;
    // While no category exists: the name box with choose and add buttons.
    QPointer<ui::TextBox> txtCatName;
    QPointer<QPushButton> CmdSelCat, cmdAddCat;
    QPointer<ui::ComboBox> cmbUnit;
    QPointer<ui::TextBox> TxtMaterial, txtLabor, txtSubLabor, txtEquipment, TxtQty;

    // True once FillCatg found a category (the combo replaces the name box).
    bool HasCategories = false;

    void ClearClass() override;
    void FillData() override;
    // The categories, each with its ancestor path; the first one selected.
    void FillCatg();
    void FillUnits();

    void CmbCat_Change();
    void CmdSelCat_Click();
    void cmdAddCat_Click();

    static constexpr int helpContextNumber = 3;

protected:
    void createFields(QWidget* area) override;
    double clientWidth() const override { return 7560; }
    double clientHeight() const override { return 5640; }
    void fillLists() override;
    void copyToRecord() override;
    bool validateRecord() override;
    void saveRecord() override;
    QString savedMessage() const override { return QStringLiteral(" Item Saved"); }
    QList<QWidget*> keyFields() const override;
    QList<QWidget*> fieldFrames() const override;

private:
    clsCategory& categoryList();
    clsMaster& unitList();

    std::unique_ptr<clsCategory> categoryList_;
    std::unique_ptr<clsMaster> unitList_;
};

}  // namespace masters
