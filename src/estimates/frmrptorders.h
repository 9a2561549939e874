#pragma once
// The estimates report's launcher: the user picks a date range and shows
// the report of the estimates dated within it, or of all estimates.

#include "shell/screens.h"
#include "ui/form.h"

#include <QPointer>

class QLabel;
class QPushButton;

namespace ui {
class DatePicker;
}

namespace estimates {

class FrmRptOrders : public ui::Form {
    Q_OBJECT
public:
    FrmRptOrders();
    ~FrmRptOrders() override;

    // Event procedures.
    void Command1_Click();  // Show report between given dates
    void Command3_Click();  // Show report for all orders
    void Command2_Click();  // Close

    QPointer<QLabel> lblFrom, lblTo;
    QPointer<ui::DatePicker> FDate, TDate;
    QPointer<QPushButton> Command1, Command3, Command2;

protected:
    void createControls() override;
    void Form_Load() override;
};

// The launcher as the main menu drives it: show only.
shell::Screen frmRptOrdersScreen();

}  // namespace estimates
