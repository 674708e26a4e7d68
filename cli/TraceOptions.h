#pragma once

#include "panel/Ensemble.h"
#include "panel/PanelAction.h"
#include "views/OrbitCamera.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QStringList>

namespace larmor {

struct TraceOptions {
  std::string scenarioPath;         // a scenario file applied before every other option
  std::vector<int> configurations;  // list selections, in the order given (default: 1)
  bool configurationGiven = false;  // false: the default above, which a scenario overrides
  // Every other control, in the order given: its key and value are the control table's.
  std::vector<PanelAction> actions;
  bool summary = false;
  bool help = false;
  char separator = '.';   // decimal separator of the result captions and the accuracy text
  std::string pngPath;    // empty: no picture
  int width = 208;        // [px] side of the XY view in the picture
  std::string png3dPath;  // empty: no picture in space
  std::optional<double> azimuth, elevation;  // [deg] of the picture in space; none: the view's start
  int png3dWidth = OrbitCamera::startWidth;  // [px] of the picture in space, its height in the view's proportion
  std::int64_t maxSteps = INT64_MAX;  // a tighter step limit than the run's own, if given
  std::optional<Integrator> integrator;  // none: the scenario's, else the Runge–Kutta run
  bool diagnostics = false;  // the CSV's diagnostics columns
  bool theory = false;       // the summary's theory object (only with summary)
  // An ensemble of particles from the panel's start instead of one run's CSV, or added to
  // the summary; 0: none.
  std::int64_t ensemble = 0;
  std::uint64_t seed = 1;
  Distribution distribution = Distribution::isotropic;
  std::optional<double> spreadDeg;  // the cone's half-width [deg]; none: the ensemble's own
  int shard = 0, shards = 0;        // only the shard-th (1-based) of shards slices; 0: all
  unsigned threads = 0;             // 0: every core
  std::vector<std::string> mergeFiles;  // slices' CSVs to merge into the ensemble's summary
};

struct TraceParse {
  TraceOptions options;
  std::string error;  // one line naming the option and what it accepts; empty when fine
  bool ok() const { return error.empty(); }
};

// arguments[0] is the program. Options may come as "--name value", "--name=value" or with
// a single dash; a value may start with a minus sign ("--charge -3"), but a separate value
// that is the name of an option is refused ("--periods --summary" lost its value); given
// with "=" it is taken as written.
TraceParse parseTraceOptions(const QStringList& arguments);

std::string traceUsage();

// The text with its control characters written as escapes: a message that quotes a file
// name or a value stays one line.
std::string oneLineText(const std::string& text);

}  // namespace larmor
