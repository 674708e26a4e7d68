#pragma once

#include "panel/ControlPanel.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace larmor {

// How the start directions of an ensemble are spread. Pitch angles are measured from the
// field at the start point (from OZ where there is no field there); gyrophases are uniform.
enum class Distribution {
  isotropic,   // every direction alike: cos(pitch) uniform in [−1, 1]
  cone,        // pitch uniform within the panel's α ± the spread
  uniformCos,  // cos(pitch) uniform in [0, 1]: isotropic over the half moving along the field
};
const char* distributionKey(Distribution distribution);  // "isotropic", "cone", "uniform-cos"
std::optional<Distribution> distributionFromKey(std::string_view key);

struct EnsembleSettings {
  std::int64_t particles = 1000;
  std::uint64_t seed = 1;
  Distribution distribution = Distribution::isotropic;
  double spreadDeg = 10;  // [deg] the cone's half-width about the panel's α
  // [cyclotron periods] the longest run of one particle; in a trap it usually ends sooner, at
  // its outcome. Long enough in the default trap for a particle near the loss cone's edge to
  // come back from both ends.
  float periods = 400;
};

// The start of particle `index` of an ensemble: it depends on the seed and the index alone,
// so a slice of the ensemble, or any number of threads, starts every particle alike.
struct ParticleStart {
  double pitchRad = 0;      // from the field at the start
  double gyrophaseRad = 0;  // about it
  double alphaRad = 0;      // the same direction as the panel's angles: from OZ,
  float betaRad = 0;        // and of the transverse part from OX (single precision, as the panel's)
};
ParticleStart particleStart(const SimulationState& state, const EnsembleSettings& settings, std::int64_t index);

enum class Outcome {
  trapped,      // turned back at both ends
  escapedUp,    // passed where |B| stops rising towards +z (towards −z below)
  escapedDown,
  undecided,    // neither before the run's end
  noTrap,       // the structure is no trap
  notRun,       // cancelled before it was run
};
const char* outcomeKey(Outcome outcome);  // "trapped", "escaped-up", "escaped-down", "undecided", "none", "not-run"
std::optional<Outcome> outcomeFromKey(std::string_view key);

struct ParticleResult {
  std::int64_t index = 0;
  double pitchDeg = 0;  // [deg] the start's pitch to the local field, as the run started it
  Outcome outcome = Outcome::notRun;
  double t = 0;         // [s] when it escaped, when its second end turned it back, or the run's end
  std::int64_t steps = 0;
  // [m/s] the guiding centre's drift, predicted from the start and measured (drift
  // structures 2, 3 and 5; NaN elsewhere or when no gyration was completed).
  double driftPredicted = 0, driftMeasured = 0;
};

// What theory expects of the whole ensemble in a trap: with B0 = |B| at the start and Bmax
// the smaller of the largest |B| up and down the field line through it, a particle stays
// when sin²(pitch) > B0/Bmax.
struct EnsemblePrediction {
  std::optional<double> trappedFraction;  // of the chosen distribution; none outside the traps
  std::optional<double> lossConeDeg;      // α_lc
  double B0 = 0, Bmax = 0;                // [T]
};
EnsemblePrediction predictEnsemble(const SimulationState& state, const EnsembleSettings& settings);

struct EnsembleSummary {
  std::int64_t particles = 0;  // run (not cancelled)
  std::int64_t trapped = 0, escapedUp = 0, escapedDown = 0, undecided = 0;
  // The fraction that stayed, 1 − escaped/(particles of a trap), and its binomial standard
  // error; none outside the traps. A particle that escapes does so at its first mirror, soon;
  // one still undecided at the run's end has only been slow to come back from both ends.
  std::optional<double> measured, error;
  std::optional<double> meanEscapeTime;  // [s]
  // [m/s] means over the particles that have both values; error: the standard error of the
  // measured mean.
  std::optional<double> driftPredicted, driftMeasured, driftError;
};
// In index order, so that the same results give the same bits however they were produced.
EnsembleSummary summarizeEnsemble(const std::vector<ParticleResult>& results);

// The path of one particle, kept for a picture. Whenever it fills up to pathPointLimit points
// every second point is dropped and only every second step is taken from then on, so a path
// costs the same memory however long its run; its last point is where the run ended.
constexpr std::size_t pathPointLimit = 2048;
struct ParticlePath {
  std::int64_t index = 0;
  Outcome outcome = Outcome::notRun;
  std::vector<std::array<double, 3>> points;  // [m] x, y, z from the start on
};

// Progress and cancel, shared with the thread that watches: the counts only grow.
struct EnsembleProgress {
  std::atomic<std::int64_t> finished{0};
  std::atomic<bool> cancelled{false};
};

// An ensemble of runs of the start button from the panel's start point and speed, each run
// by the run driver with the panel's integrator and measured by the theory's meter. The
// panel is copied: the window may go on changing its own while the ensemble runs.
class Ensemble {
public:
  Ensemble(const ControlPanel& panel, const EnsembleSettings& settings);

  const EnsembleSettings& settings() const { return m_settings; }
  const EnsemblePrediction& prediction() const { return m_prediction; }
  const SimulationState& state() const { return m_panel.state(); }
  const ControlPanel& panel() const { return m_panel; }

  // Particles [first, last) on `threads` threads (at least one); blocks until all have run
  // or the progress says cancelled. Results keep only one record per particle; with `paths`,
  // the paths of the first paths->size() particles of the range are kept too (no more of
  // them than the range holds), each filled by the thread that runs it.
  std::vector<ParticleResult> run(unsigned threads, std::int64_t first, std::int64_t last,
                                  EnsembleProgress* progress = nullptr,
                                  std::vector<ParticlePath>* paths = nullptr) const;
  std::vector<ParticleResult> run(unsigned threads, EnsembleProgress* progress = nullptr,
                                  std::vector<ParticlePath>* paths = nullptr) const {
    return run(threads, 0, m_settings.particles, progress, paths);
  }
  // The K-th (1-based) of `shards` slices of the particles.
  static std::pair<std::int64_t, std::int64_t> shard(std::int64_t particles, int k, int shards);

  // Watching the path changes nothing of the result.
  ParticleResult runParticle(std::int64_t index, const std::atomic<bool>* cancelled = nullptr,
                             ParticlePath* path = nullptr) const;

private:
  ControlPanel m_panel;
  EnsembleSettings m_settings;
  EnsemblePrediction m_prediction;
};

}  // namespace larmor
