#pragma once

namespace estimates {

// Registers the estimate screens and reports with the main menu.
void registerScreens();

}  // namespace estimates
