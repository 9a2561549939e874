#include "frmcalculator4.h"

#include "group4formulas.h"
#include "inputreader.h"

#include "ui/combobox.h"
#include "ui/events.h"
#include "ui/textbox.h"

#include <QGroupBox>
#include <QPushButton>

namespace calculators {

FrmCalculator4::FrmCalculator4()
    : CalculatorWindow(QStringLiteral("frmCalculator4"),
                       {{QStringLiteral("Roofing Calculator"), {}}, {QStringLiteral("Lumber Calculator"), {}}}, 23)
{}

void FrmCalculator4::createFrames()
{
    frmTab37 = newFrame(QStringLiteral("frmTab37"), QStringLiteral("Roofing Calculator"));
    {
        FrameBuilder b(frmTab37);
        b.input(QStringLiteral("Nominal roof size (in sq. ft.)"), QStringLiteral("txtTab37_1"));
        QList<std::pair<QString, qint64>> pitches;
        for (int p = 4; p <= 12; ++p)
            pitches.append({QStringLiteral("%1 in 12").arg(p), p});
        b.combo(QStringLiteral("Roof pitch"), QStringLiteral("cmbTab37"), pitches);
        b.output(QStringLiteral("Actual square feet of house: "), QStringLiteral("txtTab37_2"),
                 QStringLiteral("Sq. Ft."));
        b.output(QStringLiteral("Number of squares you need: "), QStringLiteral("txtTab37_3"));
        ui::onClick(b.button(QStringLiteral("cmdTab37")), [this] { cmdTab37_Click(); });
        b.finish();
    }

    frmTab38 = newFrame(QStringLiteral("frmTab38"), QStringLiteral("Lumber Calculator"));
    {
        FrameBuilder b(frmTab38);
        const QStringList dimensions = {
            QStringLiteral("2 by 2"), QStringLiteral("2 by 3"),  QStringLiteral("2 by 4"),  QStringLiteral("2 by 6"),
            QStringLiteral("2 by 8"), QStringLiteral("2 by 10"), QStringLiteral("2 by 12"), QStringLiteral("4 by 4"),
            QStringLiteral("4 by 6"), QStringLiteral("4 by 8"),  QStringLiteral("4 by 10"), QStringLiteral("4 by 12"),
            QStringLiteral("6 by 6"), QStringLiteral("6 by 8"),  QStringLiteral("6 by 10"), QStringLiteral("6 by 12")};
        QList<std::pair<QString, qint64>> items;
        for (int i = 0; i < dimensions.size(); ++i)
            items.append({dimensions[i], i < 9 ? 4 + i : 0});
        b.combo(QStringLiteral("Lumber Dimension"), QStringLiteral("cmbTab38_1"), items);
        b.combo(QStringLiteral("Unit of measurement"), QStringLiteral("cmbTab38_2"),
                {{QStringLiteral("Lineal foot"), 4}, {QStringLiteral("Board foot"), 5}});
        b.input(QStringLiteral("Price per lineal foot"), QStringLiteral("txtTab38_1"));
        b.input(QStringLiteral("Number of lineal feet"), QStringLiteral("txtTab38_2"));
        b.output(QStringLiteral("Cost for lineal feet:"), QStringLiteral("txtTab38_3"));
        ui::onClick(b.button(QStringLiteral("cmdTab38")), [this] { cmdTab38_Click(); });
        b.finish();
    }

    mapWhich(1, frmTab37, [this] { selectFirst(QStringLiteral("cmbTab37")); });
    mapWhich(2, frmTab38, [this] {
        selectFirst(QStringLiteral("cmbTab38_1"));
        selectFirst(QStringLiteral("cmbTab38_2"));
    });
}

void FrmCalculator4::Form_Load()
{
    CalculatorWindow::Form_Load();
    showOnly(frmTab37);
    selectFirst(QStringLiteral("cmbTab37"));
}

void FrmCalculator4::selectFirst(const QString& combo)
{
    if (ui::ComboBox* c = comboBox(combo))
        c->setListIndex(0);
}

void FrmCalculator4::cmdTab37_Click()
{
    ui::TextBox* actual = textBox(QStringLiteral("txtTab37_2"));
    ui::TextBox* squares = textBox(QStringLiteral("txtTab37_3"));
    ui::ComboBox* pitch = comboBox(QStringLiteral("cmbTab37"));
    if (!actual || !squares || !pitch)
        return;
    InputReader size(*this);
    const double nominal = size.measure(QStringLiteral("txtTab37_1"));
    if (size.refused())
        return;
    // With no pitch chosen the actual area keeps its text.
    if (const auto factor = group4::pitchFactor(pitch->listIndex()))
        if (!writeResults({{actual, nominal * *factor}}))
            return;
    // The squares come from the area as its box shows it.
    InputReader area(*this);
    const double actualSquareFeet = area.measure(QStringLiteral("txtTab37_2"));
    if (area.refused())
        return;
    writeResults({{squares, group4::roofingSquares(actualSquareFeet)}});
}

void FrmCalculator4::cmdTab38_Click()
{
    ui::TextBox* cost = textBox(QStringLiteral("txtTab38_3"));
    if (!cost)
        return;
    InputReader in(*this);
    const double price = in.money(QStringLiteral("txtTab38_1"));
    const double feet = in.measure(QStringLiteral("txtTab38_2"));
    if (in.refused())
        return;
    writeResults({{cost, group4::lumberCost(price, feet)}});
}

}  // namespace calculators
