#pragma once
// The Group 3 calculator window: site work (tank and utility trenches,
// excavation, steel beams) and floor and wall coverings (ceramic tile,
// carpet, wallpaper, sheet vinyl, resilient tile). One frame per tab.
//
// Controls carry their old names as objectName (txtTab28_1, cmdTab28,
// cmbTab32, ...); find them through CalculatorWindow::textBox() and friends.

#include "calculatorwindow.h"
#include "group3formulas.h"

#include <QPointer>

class QGroupBox;
class QRadioButton;

namespace calculators {

class FrmCalculator3 : public CalculatorWindow {
    Q_OBJECT
public:
    FrmCalculator3();

    // The calculator frames (null while the window is not loaded).
    QPointer<QGroupBox> frmTab28, frmTab29, frmTab30, frmTab31, frmTab32, frmTab33, frmTab34, frmTab35, frmTab36;
    QPointer<QRadioButton> optTab28_1;  // "Yes": the tank is round
    QPointer<QRadioButton> optTab28_2;  // "No"
    QPointer<ui::ComboBox> cmbTab32;    // ceramic tile size
    QPointer<ui::ComboBox> cmbTab36;    // resilient tile size

    // The Compute buttons.
    void cmdTab28_Click();  // trenching for tanks
    void cmdTab29_Click();  // utility trenching
    void cmdTab30_Click();  // excavation volume
    void cmdTab31_Click();  // steel beam
    void cmdTab32_Click();  // ceramic tile
    void cmdTab33_Click();  // carpet
    void cmdTab34_Click();  // wallpaper
    void cmdTab35_Click();  // sheet vinyl
    void cmdTab36_Click();  // resilient tile

    // Asked when a tile calculator has no tile size to divide by.
    static QString noTileSizeMessage();
    // Shown when the tank or pipe cannot lie in its hole or trench.
    static QString tankMisfitMessage(group3::TankMisfit misfit);
    static QString pipeMisfitMessage(group3::PipeMisfit misfit);

protected:
    void createFrames() override;
    void Form_Load() override;

private:
    static QList<Tab> tabList();
    ui::TextBox* out(const QString& box) const;
    void askForTileSize(ui::ComboBox* combo);

    void buildTankTrench();
    void buildUtilityTrench();
    void buildExcavation();
    void buildSteelBeam();
    void buildCeramicTile();
    QPushButton* buildAreaTable(QGroupBox* frame, int number, const QString& stairUnit, const QString& totalLabel,
                                const QString& neededLabel, const QString& neededUnit);
    void buildWallpaper();
    void buildResilientTile();
};

// The program's one Group 3 window.
FrmCalculator3& frmCalculator3();

}  // namespace calculators
