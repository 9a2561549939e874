#include "estimatescreens.h"

#include "customersreport.h"
#include "frmorder.h"
#include "frmorderno.h"
#include "frmorders.h"
#include "frmrptorders.h"
#include "proposalreport.h"
#include "shell/screens.h"

namespace estimates {

void registerScreens()
{
    shell::registerScreen(QStringLiteral("frmOrder"), frmOrderScreen());
    shell::registerScreen(QStringLiteral("frmOrders"), frmOrdersScreen());
    shell::registerScreen(QStringLiteral("FrmOrderNo"), frmOrderNoScreen());
    shell::registerScreen(QStringLiteral("frmRptOrders"), frmRptOrdersScreen());
    shell::registerScreen(QStringLiteral("rptCustomers"), rptCustomersScreen());
    frmOrder().ShowProposal = [](int orderNo) { showProposal(orderNo); };
}

}  // namespace estimates
