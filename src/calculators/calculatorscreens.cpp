#include "calculatorscreens.h"

#include "frmcalculator2.h"
#include "frmcalculator3.h"
#include "frmcalculator4.h"
#include "frmcalculators.h"
#include "scientificscreen.h"
#include "shell/screens.h"
#include "ui/forms.h"

namespace calculators {

namespace {

// A calculator window as the main menu drives it: Which, Showframe, show.
template <class Window>
shell::Screen calculatorScreen()
{
    shell::Screen s;
    s.set = [](const QString& variable, const QVariant& value) {
        if (variable == QLatin1String("Which"))
            ui::form<Window>().Which = value.toInt();
    };
    s.call = [](const QString& procedure) {
        if (procedure == QLatin1String("Showframe"))
            ui::form<Window>().Showframe();
    };
    s.show = [] { ui::form<Window>().show(); };
    return s;
}

}  // namespace

void registerScreens()
{
    shell::registerScreen(QStringLiteral("frmCalculators"), calculatorScreen<FrmCalculators>());
    shell::registerScreen(QStringLiteral("frmCalculator2"), calculatorScreen<FrmCalculator2>());
    shell::registerScreen(QStringLiteral("frmCalculator3"), calculatorScreen<FrmCalculator3>());
    shell::registerScreen(QStringLiteral("frmCalculator4"), calculatorScreen<FrmCalculator4>());
    registerScientific();
}

}  // namespace calculators
