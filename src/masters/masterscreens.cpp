#include "masterscreens.h"

#include "shell/screens.h"

namespace masters {

void registerScreens()
{
    // The list screens and dialogs register here as they are built.
}

}  // namespace masters
