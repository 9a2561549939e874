#include "scientificscreen.h"

#include "frmscientific.h"

#include "shell/screens.h"
#include "ui/forms.h"

#include <QWidget>

namespace calculators {

namespace {

// The Group 1 calculator window owns the calculator when it is open.
QWidget* owningWindow()
{
    for (ui::Form* f : ui::loadedForms())
        if (f->name() == QLatin1String("frmCalculators"))
            return f->window();
    return nullptr;
}

}  // namespace

void registerScientific()
{
    shell::Screen s;
    s.set = [](const QString& variable, const QVariant& value) {
        ScientificEngine& e = ui::form<FrmScientific>().engine;
        if (variable == QLatin1String("qt"))
            e.qt = static_cast<std::int16_t>(value.toInt());
        else if (variable == QLatin1String("qh"))
            e.qh = static_cast<std::int16_t>(value.toInt());
        else if (variable == QLatin1String("qv"))
            e.qv = static_cast<std::int16_t>(value.toInt());
        else if (variable == QLatin1String("ang"))
            e.ang = value.toDouble();
        else if (variable == QLatin1String("memo"))
            e.memo = value.toDouble();
    };
    s.call = [](const QString& procedure) {
        if (procedure == QLatin1String("Unload"))
            ui::form<FrmScientific>().unload();
    };
    s.show = [] { ui::form<FrmScientific>().showOwnedBy(owningWindow()); };
    shell::registerScreen(QStringLiteral("scientific"), std::move(s));
}

}  // namespace calculators
