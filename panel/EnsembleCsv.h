#pragma once

#include "panel/Ensemble.h"

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace larmor {

// What names an ensemble and what theory expects of it: the first line of its CSV, so that
// slices of one ensemble can be told from slices of another and merged without the panel.
struct EnsembleHeader {
  std::int64_t particles = 0;
  std::uint64_t seed = 0;
  Distribution distribution = Distribution::isotropic;
  double spreadDeg = 0;
  double periods = 0;
  int config = 0;
  std::optional<double> predicted, lossConeDeg;
};
EnsembleHeader ensembleHeader(const Ensemble& ensemble);

// "# larmor ensemble particles=… seed=… distribution=… spread_deg=… periods=… config=…
// predicted=… loss_cone_deg=…" then the columns
// index,pitch_deg,outcome,t,steps,drift_predicted,drift_measured; numbers read back as the
// same doubles ("nan", "none" where missing).
std::string ensembleCsvHeader(const EnsembleHeader& header);
std::string ensembleCsvRow(const ParticleResult& result);

struct EnsembleCsvRead {
  EnsembleHeader header;
  std::string headerLine;  // as written, for comparing slices
  std::vector<ParticleResult> results;
  std::string error;  // one line; empty when fine
};
EnsembleCsvRead readEnsembleCsv(std::istream& in);

// Slices of one ensemble put together in index order; an error when they name different
// ensembles, or a particle is missing or given twice.
EnsembleCsvRead mergeEnsembleSlices(std::vector<EnsembleCsvRead> slices);

}  // namespace larmor
