#pragma once

namespace masters {

// Registers the master-list screens with the main menu.
void registerScreens();

}  // namespace masters
