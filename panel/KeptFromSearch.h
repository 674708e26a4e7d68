#pragma once

#include "model/Quantities.h"
#include "panel/Scenario.h"

#include <optional>

namespace larmor {

// The controls whose recompute left these kept period, radius and pitch, found from the
// model's own computation; nothing when no positions of the bars give exactly these.
std::optional<Scenario::KeptFrom> findKeptFrom(const DerivedQuantities& kept);

}  // namespace larmor
