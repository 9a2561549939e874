#pragma once
// The Group 2 calculator window: roof framing angles, paint, round
// concrete, crown moulding, squaring a house, and four simple frames of
// lengths and areas that several tabs share (a shared frame keeps what was
// typed into it when another of its tabs is chosen).
//
// Controls carry their old names as objectName (txtTab12_1, cmdTab12, ...);
// find them through CalculatorWindow::textBox() and friends.

#include "calculatorwindow.h"

#include <QPointer>

class QCheckBox;
class QGroupBox;

namespace calculators {

class FrmCalculator2 : public CalculatorWindow {
    Q_OBJECT
public:
    FrmCalculator2();

    // The calculator frames (null while the window is not loaded).
    QPointer<QGroupBox> frmTab12, frmTab13, frmTab14, frmTab15, frmTab16, frmTab17, frmTab20, frmTab22, frmTab26;
    QPointer<QCheckBox> chkTab12;
    QPointer<ui::ComboBox> cmbTab13;

    // The Compute buttons.
    void cmdTab12_Click();    // rafter angles and lengths
    void cmdTab13_Click();    // paint coverage
    void cmdTab14_Click();    // circular concrete
    void cmdTab15_Click();    // crown moulding angles
    void cmdTab16_Click();    // square house (hypotenuse)
    void cmdTab17_Click();    // lengths: wall base, shoe and crown mould, railing
    void cmdTab20_Click();    // wall area: insulation
    void cmdTab22_1_Click();  // floor area: deck, tile, oak floor, carpet
    void cmdTab26_Click();    // perimeter: gutter, sofface

    // Help texts of the five calculators with a help button.
    static QString helpText(int frameNumber);
    // Shown when the ridge is thicker than twice the run to its centre.
    static QString noRunMessage();

protected:
    void createFrames() override;
    void Form_Load() override;

private:
    static QList<Tab> tabList();
    ui::TextBox* out(const QString& box) const;

    void buildRafter();
    void buildPaint();
    void buildCircular();
    void buildCrown();
    void buildSquareHouse();
    void buildLengths();
    void buildWallArea();
    void buildFloorArea();
    void buildPerimeter();
};

// The program's one Group 2 window.
FrmCalculator2& frmCalculator2();

}  // namespace calculators
