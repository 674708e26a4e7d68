#pragma once

#include "panel/EnsembleCsv.h"

#include <cstdio>
#include <string>
#include <vector>

namespace larmor {

class ControlPanel;
struct TraceOptions;

// The summary's "ensemble" object: {"particles", "seed", "distribution", "config",
// "lossConeDeg", "trapped": {"predicted", "measured", "error", "count"}, "escaped": {"up",
// "down", "meanTime"}, "undecided", "drift": {"predicted", "measured", "error"}}, null where
// a value does not exist.
std::string ensembleJson(const EnsembleHeader& header, const EnsembleSummary& summary);

// The ensemble of the panel as the options ask (all of it or one slice): its CSV written to
// out, or, with json, only its summary object returned there.
void runEnsembleTrace(const ControlPanel& panel, const TraceOptions& options, std::FILE* out, std::string* json);

// Slices read from files and merged: {"ensemble": …} on out as the whole run's summary holds
// it; false with one line on err when a file cannot be read or the slices do not make a whole.
bool mergeEnsembleTrace(const std::vector<std::string>& files, std::FILE* out, std::FILE* err);

}  // namespace larmor
