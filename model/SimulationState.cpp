#include "model/SimulationState.h"

namespace larmor {

ResultCaptions SimulationState::computeQuantities(char decimalSeparator, Language language) {
  ResultCaptions captions = larmor::computeQuantities(params, quantities, decimalSeparator, language);
  x = params.x0;
  y = params.y0;
  z = params.z0;
  return captions;
}

}  // namespace larmor
