#include "panel/Ensemble.h"

#include "model/Constants.h"
#include "model/FieldVector.h"
#include "model/TheoryMeter.h"
#include "model/TheoryPrediction.h"
#include "model/TrapFieldLine.h"
#include "panel/RunDriver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

namespace larmor {

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

bool isTrap(FieldConfig config) { return config == 4 || config == 7; }
bool hasDrift(FieldConfig config) { return config == 2 || config == 3 || config == 5; }

// A counter-based generator: the k-th number of particle `index` is a hash of (seed, index,
// k) alone, so no particle's start depends on which thread or slice ran the ones before it.
std::uint64_t mix(std::uint64_t z) {
  z += 0x9e3779b97f4a7c15ULL;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}
// In [0, 1), 53 random bits.
double uniform(std::uint64_t seed, std::int64_t index, unsigned k) {
  return static_cast<double>(mix(mix(seed) ^ (static_cast<std::uint64_t>(index) * 4 + k)) >> 11) * 0x1p-53;
}

Vec3 startPoint(const SimParams& p) { return {p.x0, p.y0, static_cast<double>(p.z0)}; }

// The unit vector the pitch is measured from: the field at the start, OZ where there is none.
Vec3 fieldDirection(const SimulationState& state) {
  const Vec3 B = fieldAt(state.fieldConfig, state.params, startPoint(state.params));
  const double b = norm(B);
  return b > 0 ? (1 / b) * B : Vec3{0, 0, 1};
}

// The pitch range of the cone, within [0, π].
std::pair<double, double> coneRange(const SimParams& p, double spreadDeg) {
  const double spread = spreadDeg * degToRad;
  return {std::max(0.0, p.alphaRad - spread), std::min(pi, p.alphaRad + spread)};
}

// Measures one particle and ends its run at its outcome in a trap, or when cancelled.
class ParticleSteps : public RunObserver {
public:
  explicit ParticleSteps(const std::atomic<bool>* cancelled) : m_cancelled(cancelled) {}

  void prepared(const Run& run, const SimulationState& state) override {
    m_meter.emplace(state).observe(run, state);
    const Vec3 v{run.vxCartesian(), run.vyCartesian(), run.vzCartesian()};
    const Vec3 b = fieldDirection(state);
    m_pitchDeg = std::atan2(norm(cross(v, b)), dot(v, b)) / degToRad;
    if (hasDrift(state.fieldConfig)) m_driftPredicted = predictTheory(state).driftVelocity.value_or(nan);
    m_trap = isTrap(state.fieldConfig);
  }
  bool stepped(const Run& run, const SimulationState& state, const TrailSegment&) override {
    if (m_cancelled && m_cancelled->load(std::memory_order_relaxed)) {
      m_wasCancelled = true;
      return false;
    }
    m_meter->observe(run, state);
    return !(m_trap && m_meter->trapped());
  }

  bool wasCancelled() const { return m_wasCancelled; }
  const std::optional<TheoryMeter>& meter() const { return m_meter; }
  double pitchDeg() const { return m_pitchDeg; }
  double driftPredicted() const { return m_driftPredicted; }

private:
  const std::atomic<bool>* m_cancelled;
  std::optional<TheoryMeter> m_meter;
  bool m_trap = false, m_wasCancelled = false;
  double m_pitchDeg = nan, m_driftPredicted = nan;
};

// Takes every stride-th step's end into the path, halving the points and doubling the stride
// whenever the path fills up: point j is then always the end of step j·stride.
class PathSteps : public RunObserver {
public:
  explicit PathSteps(ParticlePath& path) : m_path(path) { m_path.points.clear(); }

  bool stepped(const Run&, const SimulationState&, const TrailSegment& segment) override {
    if (m_steps == 0) m_path.points.push_back({segment.xFrom, segment.yFrom, segment.zFrom});
    m_last = {segment.xTo, segment.yTo, segment.zTo};
    if (++m_steps % m_stride == 0) {
      m_path.points.push_back(m_last);
      if (m_path.points.size() >= pathPointLimit) {
        std::size_t kept = 0;
        for (std::size_t j = 0; j < m_path.points.size(); j += 2) m_path.points[kept++] = m_path.points[j];
        m_path.points.resize(kept);
        m_stride *= 2;
      }
    }
    return true;
  }
  // The run's last point, when it fell between two kept ones.
  void close() {
    if (m_steps % m_stride != 0) m_path.points.push_back(m_last);
  }

private:
  ParticlePath& m_path;
  std::int64_t m_steps = 0, m_stride = 1;
  std::array<double, 3> m_last{};
};

}  // namespace

const char* distributionKey(Distribution distribution) {
  switch (distribution) {
    case Distribution::isotropic: return "isotropic";
    case Distribution::cone: return "cone";
    case Distribution::uniformCos: return "uniform-cos";
  }
  return "";
}

std::optional<Distribution> distributionFromKey(std::string_view key) {
  for (const Distribution d : {Distribution::isotropic, Distribution::cone, Distribution::uniformCos})
    if (key == distributionKey(d)) return d;
  return std::nullopt;
}

namespace {
constexpr Outcome allOutcomes[] = {Outcome::trapped,   Outcome::escapedUp, Outcome::escapedDown,
                                   Outcome::undecided, Outcome::noTrap,    Outcome::notRun};
}

const char* outcomeKey(Outcome outcome) {
  switch (outcome) {
    case Outcome::trapped: return "trapped";
    case Outcome::escapedUp: return "escaped-up";
    case Outcome::escapedDown: return "escaped-down";
    case Outcome::undecided: return "undecided";
    case Outcome::noTrap: return "none";
    case Outcome::notRun: return "not-run";
  }
  return "";
}

std::optional<Outcome> outcomeFromKey(std::string_view key) {
  for (const Outcome o : allOutcomes)
    if (key == outcomeKey(o)) return o;
  return std::nullopt;
}

ParticleStart particleStart(const SimulationState& state, const EnsembleSettings& settings, std::int64_t index) {
  ParticleStart start;
  const double u = uniform(settings.seed, index, 0);
  switch (settings.distribution) {
    case Distribution::isotropic:
      start.pitchRad = std::acos(2 * u - 1);
      break;
    case Distribution::uniformCos:
      start.pitchRad = std::acos(1 - u);  // 1 − u in (0, 1]: along the field included
      break;
    case Distribution::cone: {
      const auto [lo, hi] = coneRange(state.params, settings.spreadDeg);
      start.pitchRad = lo + u * (hi - lo);
      break;
    }
  }
  start.gyrophaseRad = 2 * pi * uniform(settings.seed, index, 1);
  // Two unit vectors across the field, then the direction at that pitch and gyrophase.
  const Vec3 b = fieldDirection(state);
  Vec3 e1 = cross(b, {0, 0, 1});
  if (norm(e1) < 1e-9) e1 = {1, 0, 0};
  e1 = (1 / norm(e1)) * e1;
  const Vec3 e2 = cross(b, e1);
  const Vec3 across = std::cos(start.gyrophaseRad) * e1 + std::sin(start.gyrophaseRad) * e2;
  const Vec3 direction = std::cos(start.pitchRad) * b + std::sin(start.pitchRad) * across;
  start.alphaRad = std::acos(std::clamp(direction.z / norm(direction), -1.0, 1.0));
  start.betaRad = static_cast<float>(std::atan2(direction.y, direction.x));
  return start;
}

EnsemblePrediction predictEnsemble(const SimulationState& state, const EnsembleSettings& settings) {
  EnsemblePrediction prediction;
  const SimParams& p = state.params;
  if (!isTrap(state.fieldConfig)) return prediction;
  const Vec3 r0 = startPoint(p);
  prediction.B0 = norm(fieldAt(state.fieldConfig, p, r0));
  const TrapFieldLine line = followTrapFieldLine(state.fieldConfig, p, std::hypot(r0.x, r0.y), r0.z,
                                                 std::numeric_limits<double>::infinity(), p.v);
  prediction.Bmax = std::min(line.peak[TrapFieldLine::up], line.peak[TrapFieldLine::down]);
  if (!(prediction.B0 > 0) || !(prediction.Bmax > 0)) return prediction;
  const double lossCone = std::asin(std::sqrt(std::min(1.0, prediction.B0 / prediction.Bmax)));
  prediction.lossConeDeg = lossCone / degToRad;
  switch (settings.distribution) {
    case Distribution::isotropic:
    case Distribution::uniformCos:
      prediction.trappedFraction = std::cos(lossCone);
      break;
    case Distribution::cone: {
      // The part of the pitch range [lo, hi] inside [α_lc, π − α_lc].
      const auto [lo, hi] = coneRange(p, settings.spreadDeg);
      const double inside = std::max(0.0, std::min(hi, pi - lossCone) - std::max(lo, lossCone));
      prediction.trappedFraction = hi > lo ? inside / (hi - lo) : (lo > lossCone && lo < pi - lossCone ? 1.0 : 0.0);
      break;
    }
  }
  return prediction;
}

EnsembleSummary summarizeEnsemble(const std::vector<ParticleResult>& results) {
  EnsembleSummary s;
  double escapeTimes = 0;
  std::int64_t drifts = 0;
  double predictedSum = 0, measuredSum = 0, measuredSquares = 0;
  for (const ParticleResult& r : results) {
    if (r.outcome == Outcome::notRun) continue;
    ++s.particles;
    switch (r.outcome) {
      case Outcome::trapped: ++s.trapped; break;
      case Outcome::escapedUp: ++s.escapedUp, escapeTimes += r.t; break;
      case Outcome::escapedDown: ++s.escapedDown, escapeTimes += r.t; break;
      case Outcome::undecided: ++s.undecided; break;
      default: break;
    }
    if (std::isfinite(r.driftPredicted) && std::isfinite(r.driftMeasured)) {
      ++drifts;
      predictedSum += r.driftPredicted, measuredSum += r.driftMeasured;
      measuredSquares += r.driftMeasured * r.driftMeasured;
    }
  }
  const std::int64_t escaped = s.escapedUp + s.escapedDown, inTrap = s.trapped + escaped + s.undecided;
  if (inTrap > 0) {
    const double n = static_cast<double>(inTrap), p = 1 - static_cast<double>(escaped) / n;
    s.measured = p;
    s.error = std::sqrt(p * (1 - p) / n);
  }
  if (escaped > 0) s.meanEscapeTime = escapeTimes / static_cast<double>(escaped);
  if (drifts > 0) {
    const double n = static_cast<double>(drifts);
    s.driftPredicted = predictedSum / n;
    s.driftMeasured = measuredSum / n;
    if (drifts > 1) {
      const double variance = std::max(0.0, (measuredSquares - n * *s.driftMeasured * *s.driftMeasured) / (n - 1));
      s.driftError = std::sqrt(variance / n);
    }
  }
  return s;
}

Ensemble::Ensemble(const ControlPanel& panel, const EnsembleSettings& settings)
    : m_panel(panel), m_settings(settings) {
  m_panel.setObserver(nullptr);
  m_panel.RecomputeQuantities();
  m_prediction = predictEnsemble(m_panel.state(), m_settings);
}

std::pair<std::int64_t, std::int64_t> Ensemble::shard(std::int64_t particles, int k, int shards) {
  const auto edge = [&](int i) { return particles * i / shards; };
  return {edge(k - 1), edge(k)};
}

ParticleResult Ensemble::runParticle(std::int64_t index, const std::atomic<bool>* cancelled, ParticlePath* path) const {
  ControlPanel panel = m_panel;
  SimParams& p = panel.state().params;
  const ParticleStart start = particleStart(m_panel.state(), m_settings, index);
  p.alphaRad = start.alphaRad;
  p.betaRad = start.betaRad;
  p.periods = m_settings.periods;

  ParticleSteps steps(cancelled);
  RunDriver driver(panel);
  std::optional<PathSteps> pathSteps;
  if (path) {
    path->index = index;
    path->outcome = Outcome::notRun;
    driver.observe(pathSteps.emplace(*path));  // first: it sees the step that ends the run too
  }
  const RunOutcome outcome = driver.observe(steps).drive();
  ParticleResult result;
  result.index = index;
  if (steps.wasCancelled()) return result;
  const TheoryMeter& meter = *steps.meter();
  result.pitchDeg = steps.pitchDeg();
  result.steps = outcome.steps;
  result.t = outcome.t;
  result.driftPredicted = steps.driftPredicted();
  result.driftMeasured = hasDrift(panel.state().fieldConfig) ? meter.driftVelocity().value_or(nan) : nan;
  if (!isTrap(panel.state().fieldConfig)) {
    result.outcome = Outcome::noTrap;
  } else if (const std::optional<bool> trapped = meter.trapped(); !trapped) {
    result.outcome = Outcome::undecided;
  } else if (*trapped) {
    result.outcome = Outcome::trapped;
  } else {
    result.outcome = meter.escapedUp() ? Outcome::escapedUp : Outcome::escapedDown;
    result.t = meter.escapeTime();
  }
  if (path) {
    pathSteps->close();
    path->outcome = result.outcome;
  }
  return result;
}

std::vector<ParticleResult> Ensemble::run(unsigned threads, std::int64_t first, std::int64_t last,
                                          EnsembleProgress* progress, std::vector<ParticlePath>* paths) const {
  std::vector<ParticleResult> results(static_cast<std::size_t>(std::max<std::int64_t>(0, last - first)));
  for (std::size_t i = 0; i < results.size(); ++i) results[i].index = first + static_cast<std::int64_t>(i);
  if (paths) {
    paths->resize(std::min(paths->size(), results.size()));
    for (std::size_t i = 0; i < paths->size(); ++i) (*paths)[i] = ParticlePath{first + static_cast<std::int64_t>(i), Outcome::notRun, {}};
  }
  // Each thread takes the next particle not yet taken: a slow particle holds up one thread
  // only, and each result has its own place, so the order they finish in changes nothing.
  std::atomic<std::int64_t> next{first};
  const std::atomic<bool>* cancelled = progress ? &progress->cancelled : nullptr;
  const auto work = [&] {
    for (;;) {
      if (cancelled && cancelled->load(std::memory_order_relaxed)) return;
      const std::int64_t i = next.fetch_add(1, std::memory_order_relaxed);
      if (i >= last) return;
      ParticleResult& slot = results[static_cast<std::size_t>(i - first)];
      const std::size_t place = static_cast<std::size_t>(i - first);
      slot = runParticle(i, cancelled, paths && place < paths->size() ? &(*paths)[place] : nullptr);
      if (progress && slot.outcome != Outcome::notRun) progress->finished.fetch_add(1, std::memory_order_relaxed);
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < std::max(1u, threads); ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
  return results;
}

}  // namespace larmor
