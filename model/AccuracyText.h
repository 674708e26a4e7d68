#pragma once

#include <string>

namespace larmor {

// The accuracy label's text for a speed error dV [%]: "dV=" + dV with four decimals,
// trimmed, + "%" ("dV=0.0001%", "dV=- 0.0000%"), with the locale's decimal separator.
// Both integrators' runs show their speed error with it.
std::string speedErrorText(float dV, char decimalSeparator = '.');

}  // namespace larmor
