#include "estimatescreens.h"

#include "frmorder.h"
#include "shell/screens.h"

namespace estimates {

void registerScreens()
{
    shell::registerScreen(QStringLiteral("frmOrder"), frmOrderScreen());
}

}  // namespace estimates
