#pragma once
// The Group 1 calculator window: blocks, concrete, block wall, column,
// bricks, the conversions program, the scientific calculator, foundation
// concrete, wall framing, roof area and board feet.

#include "calculatorwindow.h"

#include <QPointer>

class QGroupBox;
class QRadioButton;

namespace calculators {

class FrmCalculators : public CalculatorWindow {
    Q_OBJECT
public:
    FrmCalculators();

    // The Bricks calculator's three totals over its four areas.
    void CalTab5Tot();
    // Closes the scientific calculator and the Group 2 and Group 3 windows,
    // then hides this window's frames.
    void Unloadall() override;

    // Where the conversions program is looked for: the application folder
    // only, never the search path. Empty when it is not there.
    static QString conversionsProgram();

    QPointer<QGroupBox> frmTab1, frmTab2, frmTab3, frmTab4, frmTab5, frmTab8, frmTab9, frmTab10, frmTab11;
    QPointer<QRadioButton> Tab2_Option1, Tab2_Option2, Tab3_Option1, Tab3_Option2;

    // The Compute and Calculate buttons' clicks.
    void cmdTab6_1_Click();
    void cmdTab6_2_Click();
    void cmdTab2_Click();
    void cmdTab3_Click();
    void cmdTab4_Click();
    void cmdTab5_Click(int area);  // 1..4
    void cmdTab8_1_Click();
    void cmdTab8_2_Click();
    void cmdTab9_Click();
    void cmdTab10_Click();
    void cmdTab11_Click();

protected:
    void createFrames() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void buildBlocks();
    void buildConcreteMaterials();
    void buildBlockWall();
    void buildColumn();
    void buildBricks();
    void buildFoundation();
    void buildWallFraming();
    void buildRoofArea();
    void buildBoardFoot();

    void startConversions();
    void showScientific();

    ui::TextBox* box(const QString& name) const;
};

}  // namespace calculators
