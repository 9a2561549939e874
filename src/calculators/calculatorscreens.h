#pragma once

namespace calculators {

// Registers the calculator windows with the main menu.
void registerScreens();

}  // namespace calculators
