#pragma once

namespace calculators {

// Registers the scientific calculator under its form name "scientific",
// which the Group 1 calculator window looks up to show it.
void registerScientific();

}  // namespace calculators
