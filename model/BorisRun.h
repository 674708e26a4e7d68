#pragma once

#include "model/BorisStep.h"
#include "model/TrajectoryRun.h"

#include <cstdint>
#include <string>

namespace larmor {

// The run of the Boris pusher, the RK4 run's alternative with the same interface, so that
// the window and the companion drive either one alike: the same dt (period / steps per
// period of the configuration), the same clock (RunClock), and the live parameter set, omega and fieldConfig
// read at every step, so that a change made between two steps takes effect from the next.
//
// Staggering: the position is at t_n; the scheme carries the velocity at t_n − dt/2.
// prepare() places the start velocity v(0) there by turning it half a step back in the
// field at the start point, so that the first step turns it on to v(dt/2) and the orbit
// keeps the start direction that was set (taking v(0) as v(−dt/2) would turn the whole
// orbit by ω·dt/2, 1.8° at 100 steps per period). What the run shows as the velocity (the
// Cartesian components below) is the velocity at the position's time t_n: the carried one
// turned half a step forward in the field at the new position. It has the same speed to
// one rounding, and it is what the pitch and the magnetic moment need.
//
// The speed error dV = 100·(1 − |v|/v) [%], single precision, uses the carried velocity.
// The rotation keeps the speed exactly, so dV shows the rounding of the arithmetic alone,
// about 1e-14 % and within 1e-10 % after 100,000 steps, where RK4's truncation error grows.
//
// Integrated in Cartesian components, the scheme has no difficulty on the OZ axis: a start
// there is run, never refused.
class BorisRun : public ClockedRun {
public:
  explicit BorisRun(SimulationState& state, char decimalSeparator = '.');

  // dt, the end time and the start state; the caller then loops while hasNextStep().
  void prepare();

  bool hasNextStep() const { return !m_stoppedNonFinite && m_clock.running(); }

  // One Boris step in the configuration read now; writes the shared position and the speed
  // error. Returns the segment to plot. A step whose result is not finite is discarded
  // (position, time and count stay at the last finite step, the segment is empty) and ends
  // the run.
  TrailSegment step();

  // "dV=0.0000%" after a step, formatted when asked; empty before the first step.
  const std::string& accuracyText() const;

  bool refusedAxisStart() const { return false; }
  float dV() const { return m_dV; }

  // The position [m] at t and the velocity [m/s] at t (see above).
  const Vec3& position() const { return m_point.position; }
  const Vec3& velocity() const { return m_velocity; }
  double vxCartesian() const { return m_velocity.x; }
  double vyCartesian() const { return m_velocity.y; }
  double vzCartesian() const { return m_velocity.z; }

private:
  BorisPoint m_point;
  Vec3 m_velocity;
  float m_dV = 0;  // [%] single precision, as the RK4 run's

  // The text of the step it was formatted for: a run at slow-down 0 asks only at its end.
  mutable std::string m_accuracyText;
  mutable std::int64_t m_textStep = -1;
};

}  // namespace larmor
