#include "estimatescreens.h"

#include "shell/screens.h"

namespace estimates {

void registerScreens()
{
    // The estimate screens and reports register here as they are built.
}

}  // namespace estimates
