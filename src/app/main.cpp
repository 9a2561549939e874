#include "calculators/calculatorscreens.h"
#include "estimates/estimatescreens.h"
#include "masters/masterscreens.h"
#include "shell/startup.h"
#include "ui/application.h"
#include "ui/desktopplatform.h"
#include "ui/forms.h"

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    int code = 0;
    {
        ui::DesktopPlatform platform;
        ui::Platform::setInstance(&platform);
        masters::registerScreens();
        calculators::registerScreens();
        estimates::registerScreens();
        code = shell::runProgram();
        ui::destroyAllForms();
        ui::Platform::setInstance(nullptr);
    }
    return code;
}
