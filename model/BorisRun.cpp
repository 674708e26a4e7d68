#include "model/BorisRun.h"

#include "model/AccuracyText.h"
#include "model/Precision.h"

#include <cmath>

namespace larmor {

namespace {

bool finite(const Vec3& a) { return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z); }

}  // namespace

BorisRun::BorisRun(SimulationState& state, char decimalSeparator) : ClockedRun(state, decimalSeparator) {}

void BorisRun::prepare() {
  startClock();
  m_dV = 0;
  m_accuracyText.clear();
  m_textStep = -1;

  const SimParams& p = m_state.params;
  const DerivedQuantities& k = m_state.quantities;
  const Vec3 start{p.x0, p.y0, p.z0};
  m_velocity = {k.vx0, k.vy0, k.vPar};
  // v(−dt/2): v(0) turned back half a step, the inverse of the half step forward.
  const Vec3 b = fieldFactorAt(m_state.fieldConfig, p, start);
  m_point = {start, borisRotate(m_velocity, borisRotationVector(k.omega, b, -m_clock.dt / 2))};
}

const std::string& BorisRun::accuracyText() const {
  if (m_textStep != m_clock.steps && !m_stoppedNonFinite && m_clock.steps > 0) {
    m_accuracyText = speedErrorText(m_dV, m_decimalSeparator);
    m_textStep = m_clock.steps;
  }
  return m_accuracyText;
}

TrailSegment BorisRun::step() {
  const FieldConfig config = m_state.fieldConfig;
  const SimParams& p = m_state.params;
  const double omega = m_state.quantities.omega;
  const Vec3& from = m_point.position;
  TrailSegment segment{from.x, from.y, toSingle(from.z), from.x, from.y, from.z};

  const BorisPoint next = borisStep(m_point, omega, fieldFactorAt(config, p, from), m_clock.dt);
  const Vec3 bNext = fieldFactorAt(config, p, next.position);
  const Vec3 velocity = borisRotate(next.halfVelocity, borisRotationVector(omega, bNext, m_clock.dt / 2));
  const float dV = toSingle(100 * (1 - norm(next.halfVelocity) / p.v));
  if (!(finite(next.position) && finite(next.halfVelocity) && finite(velocity) &&
        std::isfinite(dV))) {
    m_stoppedNonFinite = true;
    m_accuracyText = nonFiniteAccuracyText;
    return segment;
  }

  m_point = next;
  m_velocity = velocity;
  m_dV = dV;
  m_state.x = next.position.x;
  m_state.y = next.position.y;
  m_state.z = next.position.z;
  segment.xTo = next.position.x;
  segment.yTo = next.position.y;
  segment.zTo = next.position.z;
  m_clock.tick();
  return segment;
}

}  // namespace larmor
