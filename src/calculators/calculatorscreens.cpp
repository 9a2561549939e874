#include "calculatorscreens.h"

#include "frmcalculator4.h"
#include "frmcalculators.h"
#include "shell/screens.h"
#include "ui/forms.h"

#if __has_include("frmcalculator2.h")
#include "frmcalculator2.h"
#define CORVANEL_HAS_GROUP2 1
#endif
#if __has_include("frmcalculator3.h")
#include "frmcalculator3.h"
#define CORVANEL_HAS_GROUP3 1
#endif

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
#ifdef CORVANEL_HAS_GROUP2
    shell::registerScreen(QStringLiteral("frmCalculator2"), calculatorScreen<FrmCalculator2>());
#endif
#ifdef CORVANEL_HAS_GROUP3
    shell::registerScreen(QStringLiteral("frmCalculator3"), calculatorScreen<FrmCalculator3>());
#endif
    shell::registerScreen(QStringLiteral("frmCalculator4"), calculatorScreen<FrmCalculator4>());
}

}  // namespace calculators
