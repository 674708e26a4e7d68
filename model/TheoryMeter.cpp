#include "model/TheoryMeter.h"

#include "model/Constants.h"
#include "model/MonopoleInvariant.h"
#include "model/TheoryPrediction.h"
#include "model/TrapFieldLine.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace larmor {

namespace {

constexpr double twoPi = 2 * pi;

Vec3 lerp(const Vec3& a, const Vec3& b, double f) { return a + f * (b + (-1.0) * a); }
double lerp(double a, double b, double f) { return a + f * (b - a); }

double wrapAngle(double a) {
  while (a > twoPi / 2) a -= twoPi;
  while (a <= -twoPi / 2) a += twoPi;
  return a;
}

double angleBetween(const Vec3& a, const Vec3& b) { return std::atan2(norm(cross(a, b)), dot(a, b)); }

}  // namespace

TheoryMeter::TheoryMeter(const SimulationState& state)
    : m_config(state.fieldConfig), m_params(state.params) {}

void TheoryMeter::observe(double t, const Vec3& position, const Vec3& velocity) {
  observe(t, position, velocity, localField(m_config, m_params, position));
}

Vec3 TheoryMeter::guidingCentre(const Sample& s) const {
  return guidingCentreOf(s.r, s.v, s.B, m_params.q, m_params.m);
}

void TheoryMeter::observe(double t, const Vec3& position, const Vec3& velocity, const LocalField& field) {
  Sample s;
  s.t = t, s.r = position, s.v = velocity;
  s.B = field.B;
  const double b = field.b;
  const Vec3& bHat = field.bHat;
  s.vPar = dot(velocity, bHat);
  const Vec3 vPerp = velocity + (-s.vPar) * bHat;
  const double vPerp2 = dot(vPerp, vPerp);
  const double mu = b > 0 ? m_params.m * vPerp2 / (2 * b) : 0;

  if (m_samples == 0) {
    m_firstGc = m_lastGc = guidingCentre(s);
    m_firstZ = m_lastBoundaryZ = position.z;
    m_gcRhoFirst = m_gcRhoLast = std::hypot(m_firstGc.x, m_firstGc.y);
    m_xMin = m_xMax = position.x, m_yMin = m_yMax = position.y;
    m_J0 = monopoleJ(m_params, position, velocity);
    m_angleMin = m_angleMax = angleBetween(position, m_J0);
    m_startSpeed = norm(velocity);
    if (m_config == 4 || m_config == 7) {
      const TrapFieldLine line = followTrapFieldLine(m_config, m_params, m_gcRhoFirst, m_firstGc.z,
                                                     std::numeric_limits<double>::infinity(), m_startSpeed);
      m_escapeZ[0] = line.escapeZ[TrapFieldLine::up], m_escapeZ[1] = line.escapeZ[TrapFieldLine::down];
    }
  } else {
    if (m_startSpeed > 0) m_speedError = std::max(m_speedError, std::fabs(norm(velocity) / m_startSpeed - 1));
    // Gyrophase: the turn of v⊥ about the local field since the last state.
    if (m_previousVPerp2 > 0 && vPerp2 > 0) {
      m_phase += std::atan2(dot(cross(m_previousVPerp, vPerp), bHat), dot(m_previousVPerp, vPerp));
    }
    m_xMin = std::min(m_xMin, position.x), m_xMax = std::max(m_xMax, position.x);
    m_yMin = std::min(m_yMin, position.y), m_yMax = std::max(m_yMax, position.y);
  }

  // Most steps are well short of the next whole turn: they skip the division below.
  const double nearTurn = 0.999 * twoPi * static_cast<double>(m_turns + 1);
  if (m_samples > 0 && !(std::fabs(m_phase) < nearTurn)) {
    const double done = std::fabs(m_phase) / twoPi;
    while (m_turns < static_cast<std::int64_t>(done)) {
      const double previousPhase = std::fabs(m_phaseBefore);
      const double target = twoPi * static_cast<double>(m_turns + 1);
      const double span = std::fabs(m_phase) - previousPhase;
      const double f = span > 0 ? std::clamp((target - previousPhase) / span, 0.0, 1.0) : 1.0;
      gyrationBoundary(m_previous, s, f);
    }
  }
  m_muSum += mu;
  ++m_muCount;

  if (m_config == 6) {
    const double angle = angleBetween(position, m_J0);
    if (m_samples > 0) {
      const Vec3 J = monopoleJ(m_params, position, velocity);
      m_jSpread = std::max(m_jSpread, norm(J + (-1.0) * m_J0) / norm(m_J0));
      m_angleMin = std::min(m_angleMin, angle), m_angleMax = std::max(m_angleMax, angle);
    }
    m_angleSum += angle;
  }

  if (m_config == 4 || m_config == 7) {
    if (m_samples > 0) reflectionCheck(m_previous, s);
    if (!m_escaped && (position.z > m_escapeZ[0] || position.z < m_escapeZ[1])) {
      m_escaped = true;
      m_escapedUp = position.z > m_escapeZ[0];
      m_escapeT = t;
    }
  }

  m_previous = s;
  m_previousVPerp = vPerp;
  m_previousVPerp2 = vPerp2;
  m_phaseBefore = m_phase;
  ++m_samples;
}

void TheoryMeter::gyrationBoundary(const Sample& before, const Sample& after, double f) {
  ++m_turns;
  m_lastBoundaryT = lerp(before.t, after.t, f);
  const Vec3 gc = lerp(guidingCentre(before), guidingCentre(after), f);
  m_gcPhiTurned += wrapAngle(std::atan2(gc.y, gc.x) - std::atan2(m_lastGc.y, m_lastGc.x));
  m_lastGc = gc;
  m_gcRhoLast = std::hypot(gc.x, gc.y);
  m_lastBoundaryZ = lerp(before.r.z, after.r.z, f);
  m_extentsAtBoundary = (m_xMax - m_xMin) + (m_yMax - m_yMin);
  // mu averaged over the gyration just ended (the states since the last boundary).
  const double mean = m_muCount > 0 ? m_muSum / static_cast<double>(m_muCount) : 0;
  if (m_turns == 1) m_muMeanMin = m_muMeanMax = mean;
  m_muMeanMin = std::min(m_muMeanMin, mean), m_muMeanMax = std::max(m_muMeanMax, mean);
  m_muMeanSum += mean;
  m_muSum = 0, m_muCount = 0;
}

void TheoryMeter::reflectionCheck(const Sample& before, const Sample& after) {
  if ((before.vPar > 0 && after.vPar <= 0) || (before.vPar < 0 && after.vPar >= 0)) {
    const double f = before.vPar / (before.vPar - after.vPar);
    const double t = lerp(before.t, after.t, f);
    const double B = lerp(norm(fieldAt(m_config, m_params, guidingCentre(before))),
                          norm(fieldAt(m_config, m_params, guidingCentre(after))), f);
    if (!m_crossingPending) m_firstCrossingT = t, m_firstCrossingB = B;
    m_lastCrossingT = t, m_lastCrossingB = B;
    m_crossingPending = true;
  }
  const double h = reflectionHysteresis * m_params.v;
  if (std::fabs(after.vPar) <= h) return;
  const int sign = after.vPar > 0 ? 1 : -1;
  if (m_legSign == -sign && m_crossingPending) {
    const double t = 0.5 * (m_firstCrossingT + m_lastCrossingT);
    m_turningFieldSum += 0.5 * (m_firstCrossingB + m_lastCrossingB);
    const int parity = m_reflections % 2;
    if (m_reflectionsOfParity[parity] == 0) m_firstReflectionT[parity] = t;
    m_lastReflectionT[parity] = t;
    ++m_reflectionsOfParity[parity];
    ++m_reflections;
    m_reflectionSides |= m_legSign > 0 ? 1 : 2;  // b_z > 0 in both traps: v∥ > 0 runs up
  }
  m_legSign = sign;
  m_crossingPending = false;
}

std::optional<double> TheoryMeter::period() const {
  if (m_turns == 0) return std::nullopt;
  return m_lastBoundaryT / static_cast<double>(m_turns);
}

std::optional<double> TheoryMeter::radius() const {
  if (m_turns == 0) return std::nullopt;
  return m_extentsAtBoundary / 4;
}

std::optional<double> TheoryMeter::advance() const {
  if (m_turns == 0) return std::nullopt;
  return (m_lastBoundaryZ - m_firstZ) / static_cast<double>(m_turns);
}

std::optional<double> TheoryMeter::driftVelocity() const {
  if (m_turns == 0 || !(m_lastBoundaryT > 0)) return std::nullopt;
  switch (m_config) {
    case 2:
      return (m_lastGc.y - m_firstGc.y) / m_lastBoundaryT;
    case 3:
      return 0.5 * (m_gcRhoFirst + m_gcRhoLast) * m_gcPhiTurned / m_lastBoundaryT;
    case 5:
      return (m_lastGc.z - m_firstGc.z) / m_lastBoundaryT;
    default:
      return std::nullopt;
  }
}

std::optional<double> TheoryMeter::muSpread() const {
  if (m_turns < 2) return std::nullopt;
  const double mean = m_muMeanSum / static_cast<double>(m_turns);
  if (!(mean > 0)) return std::nullopt;
  return (m_muMeanMax - m_muMeanMin) / mean;
}

std::optional<double> TheoryMeter::poincareSpread() const {
  if (m_config != 6 || m_samples < 2) return std::nullopt;
  return m_jSpread;
}

std::optional<double> TheoryMeter::coneAngleDeg() const {
  if (m_config != 6 || m_samples < 2) return std::nullopt;
  return m_angleSum / static_cast<double>(m_samples) / degToRad;
}

std::optional<double> TheoryMeter::coneAngleRangeDeg() const {
  if (m_config != 6 || m_samples < 2) return std::nullopt;
  return (m_angleMax - m_angleMin) / degToRad;
}

std::optional<double> TheoryMeter::turningField() const {
  if (m_reflections == 0) return std::nullopt;
  return m_turningFieldSum / m_reflections;
}

std::optional<double> TheoryMeter::bouncePeriod() const {
  // Reflections 1, 3, 5, … all happen at one end: the spacing of that series.
  if (m_reflectionsOfParity[0] < 2) return std::nullopt;
  return (m_lastReflectionT[0] - m_firstReflectionT[0]) / (m_reflectionsOfParity[0] - 1);
}

std::optional<bool> TheoryMeter::trapped() const {
  if (m_reflectionSides == 3) return true;
  if (m_escaped) return false;
  return std::nullopt;
}

}  // namespace larmor
