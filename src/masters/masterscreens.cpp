#include "masterscreens.h"

#include "frmcategory.h"
#include "frmcustomer.h"
#include "frmitem.h"
#include "frmmaster.h"
#include "shell/screens.h"
#include "ui/forms.h"

namespace masters {

namespace {

// A screen as the main menu drives it: one mode variable, then show.
template <class Screen, auto mode>
shell::Screen modeScreen(const char* variable)
{
    const QString name = QLatin1String(variable);
    return shell::Screen{[name](const QString& v, const QVariant& value) {
                             if (v == name)
                                 ui::form<Screen>().*mode = value.toString();
                         },
                         [](const QString&) {}, [] { ui::form<Screen>().show(); }};
}

}  // namespace

void registerScreens()
{
    shell::registerScreen(QStringLiteral("frmItem"), modeScreen<FrmItem, &FrmItem::AddOrDelete>("AddOrDelete"));
    shell::registerScreen(QStringLiteral("frmCategory"),
                          modeScreen<FrmCategory, &FrmCategory::AddOrDelete>("AddOrDelete"));
    shell::registerScreen(QStringLiteral("frmCustomer"),
                          modeScreen<FrmCustomer, &FrmCustomer::AddOrDelete>("AddOrDelete"));
    shell::registerScreen(QStringLiteral("frmMaster"),
                          modeScreen<FrmMaster, &FrmMaster::MastertableName>("MastertableName"));
}

}  // namespace masters
