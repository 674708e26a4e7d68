#pragma once

#include "panel/PanelControls.h"
#include "panel/RunDriver.h"
#include "panel/TrajectoryCsv.h"  // the CSV of a run, shared with the window's export

#include <cstdint>
#include <string>
#include <string_view>

namespace larmor {

struct ResultCaptions;

// A JSON string literal: quotes, backslashes and control characters escaped; UTF-8 bytes
// pass through unchanged.
std::string jsonString(std::string_view utf8);

// {"captions": [...4], "steps": N, "complete": true, "x": ..., "y": ..., "z": ..., "dV": "...",
// "integrator": "rk4"} and a line feed; "complete" is true only for a run that reached its
// end time; any other is followed by "stopped" with why (stopName: "step limit",
// "non-finite state", "start on the axis"); "integrator" is "boris" for the Boris run. A coordinate that is not
// finite (a run stopped on a broken state) is written as null. A theory object (theoryJson),
// when given, follows as "theory": {...}; an ensemble object (ensembleJson) ends it as "ensemble": {...}.
std::string summaryJson(const ResultCaptions& captions, std::int64_t steps, RunStop stop, double x, double y,
                        double z, std::string_view accuracyText, Integrator integrator = Integrator::Rk4,
                        std::string_view theory = {}, std::string_view ensemble = {});

}  // namespace larmor
