#pragma once
// The customer dialog: one customer added, edited or viewed through the
// Apply/Ok/Cancel frame. The customers list prepares Cust (mode, and for a
// stored customer its key and GetCustomer) and shows the dialog modally;
// the list's mode decides whether the dialog is editable.

#include "clscustomer.h"
#include "detaildialog.h"

#include <QPointer>

class QGroupBox;

namespace ui {
class ComboBox;
class TextBox;
}  // namespace ui

namespace masters {

class FrmCustMast : public DetailDialog {
    Q_OBJECT
public:
    FrmCustMast();
    ~FrmCustMast() override;

    // The customer in the dialog; emptied whenever the dialog closes.
    ClsCustomer Cust;

    // Empties Cust's stored fields (key, mode and search stay); the boxes
    // are not touched.
    void ClearClass() override;
    // Shows Cust in the boxes, the state list filled afresh.
    void FillData() override;
    // The state list from States, by name; the first entry selected.
    void FillState();

    QPointer<QGroupBox> fraBilling, fraAddress, fraContact;
    QPointer<ui::TextBox> TxtCname;
    QPointer<ui::TextBox> TxtBstreet1, TxtBstreet2, TxtBcity, TxtBZip, TxtBCountry;
    QPointer<ui::ComboBox> CmbBState;
    QPointer<ui::TextBox> TxtBPhone, TxtBfax, TxtBMobile, TxtBEmail, TxtBUrl;

protected:
    void createFields(QWidget* area) override;
    double clientWidth() const override { return 9300; }
    double clientHeight() const override { return 4920; }
    void copyToRecord() override;
    bool validateRecord() override { return Cust.Validate(); }
    void saveRecord() override { Cust.Save(); }
    QString savedMessage() const override { return QStringLiteral("Customer Saved"); }
    QList<QWidget*> keyFields() const override;
    QList<QWidget*> fieldFrames() const override;
    bool cancelRefreshesList() const override { return true; }
};

}  // namespace masters
