#include "model/AccuracyText.h"

#include "model/TextRules.h"

namespace larmor {

std::string speedErrorText(float dV, char decimalSeparator) {
  return "dV=" + trimmed(formatNumber(dV, " 0.0000", decimalSeparator)) + "%";
}

}  // namespace larmor
