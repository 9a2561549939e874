#pragma once
// The Group 4 calculator window: roofing squares and lumber cost.

#include "calculatorwindow.h"

#include <QPointer>

class QGroupBox;

namespace calculators {

class FrmCalculator4 : public CalculatorWindow {
    Q_OBJECT
public:
    FrmCalculator4();

    QPointer<QGroupBox> frmTab37, frmTab38;

    void cmdTab37_Click();
    void cmdTab38_Click();

protected:
    void createFrames() override;
    void Form_Load() override;

private:
    void selectFirst(const QString& combo);
};

}  // namespace calculators
