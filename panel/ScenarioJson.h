#pragma once

#include "panel/Scenario.h"
#include "panel/ScenarioProblem.h"

#include <optional>
#include <string>
#include <string_view>

namespace larmor {

// A scenario file is UTF-8 JSON. Its controls are named by the keys of the control table,
// in its order and units:
//
//   {"format": "larmor-scenario", "version": 1, "title": "…", "description": "…",
//    "config": 1, "charge": 1, "mass": 1, "speed": 22000, "alpha": 83, "beta": 60,
//    "field": 0.0005, "region": 5, "x0": 1.0, "y0": 0.5, "z0": -4.0,
//    "S": "3.30", "d": "5.00", "periods": " 25", "slowdown": 3,
//    "integrator": "rk4", "picture": "structure"}
//
// and, where they apply, "x0FromList": true and "keptFrom": {"charge": …, "mass": …,
// "field": …, "speed": …, "alpha": …}.

// The file's text: pretty-printed JSON, keys in a fixed order, a line feed at the end.
std::string scenarioJson(const Scenario& scenario);

struct ScenarioRead {
  Scenario scenario;
  std::optional<ScenarioProblem> problem;
  bool ok() const { return !problem; }
};

// Reads and checks a whole file; nothing of a file with a problem is taken.
ScenarioRead readScenario(std::string_view bytes);

}  // namespace larmor
