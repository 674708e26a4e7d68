#include "model/SimulationState.h"

namespace larmor {

ResultCaptions SimulationState::computeQuantities(char decimalSeparator) {
  ResultCaptions captions = larmor::computeQuantities(params, quantities, decimalSeparator);
  x = params.x0;
  y = params.y0;
  z = params.z0;
  return captions;
}

}  // namespace larmor
