#pragma once

#include "model/RunClock.h"
#include "model/SimulationState.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace larmor {

// One piece of the trail: from the previous plotted point to the new position.
struct TrailSegment {
  double xFrom, yFrom;
  float zFrom;  // the previous z is held in single precision
  double xTo, yTo, zTo;
};

// The RK4 run of the start button, driven one step at a time by its observer (the window
// or the companion), which draws the segment, moves the markers and paces after each step.
// It reads the live parameter set, omega and fieldConfig at every stage and step, so a
// change made between two steps takes effect from the next one; dt, the end time and the
// start-of-step state stay the run's own.
class TrajectoryRun : public ClockedRun {
public:
  explicit TrajectoryRun(SimulationState& state, char decimalSeparator = '.');

  // dt, the start-of-step state and the cylindrical start values. The caller then draws
  // the field structure once and loops while hasNextStep().
  void prepare();

  bool hasNextStep() const {
    return !m_stoppedNonFinite && !m_refusedAxisStart && m_clock.running();
  }

  // One RK4 step in the frame of the configuration read now; writes the shared position
  // and keeps what the speed error needs. Returns the segment to plot. A step whose
  // result is not finite is discarded (position, time and count stay at the last finite
  // step, the segment is empty) and ends the run.
  TrailSegment step();

  // For a run nobody watches step by step (the companion's summary): a cylindrical step
  // then leaves the Cartesian position and velocity, and its segment, as they were, and
  // settle() works them out once from the last step. The same bits as at every step.
  void deferCartesian() { m_cartesianDeferred = true; }
  void settle();

  // "dV=0.0001%" after a step; empty before the first one. Formatted when asked for, from
  // the last step's dV: formatting costs several times the step itself, and a run at
  // full speed shows only its last step's text.
  const std::string& accuracyText() const;

  // True when a cylindrical configuration was asked to integrate from a point of the OZ
  // axis, where its equations divide by rho = 0: the run makes no step there.
  bool refusedAxisStart() const { return m_refusedAxisStart; }

  // The last step's speed error [%], worked out when first asked for.
  float dV() const;

  // The current velocity in Cartesian components [m/s], in either frame.
  double vxCartesian() const { return m_vx; }
  double vyCartesian() const { return m_vy; }
  double vzCartesian() const { return m_vz; }
  // The cylindrical state [m, rad, m/s, rad/s]: after the last cylindrical step, or as
  // prepared while the run stays in the Cartesian frame.
  double rho() const { return m_rho; }
  double phi() const { return m_phi; }
  double vRho() const { return m_vRho; }
  float phiDot() const { return m_phiDot; }

private:
  bool m_refusedAxisStart = false;
  bool m_cartesianDeferred = false;
  bool m_cartesianStale = false;  // a deferred step moved the particle since settle()

  void stopNonFinite();

  // Current velocity in Cartesian components (also after a cylindrical step); vz is kept
  // in single precision whenever it is stored.
  double m_vx = 0, m_vy = 0;
  float m_vz = 0;
  // Start-of-step state; zn and vzn single precision.
  double m_xn = 0, m_yn = 0, m_vxn = 0, m_vyn = 0;
  float m_zn = 0, m_vzn = 0;
  // Cylindrical state for configurations 4 to 7; phiDot single precision.
  double m_rho = 0, m_phi = 0, m_vRho = 0;
  float m_phiDot = 0;
  double m_rhon = 0, m_phin = 0, m_vRhon = 0;
  float m_phiDotn = 0;

  // The speed error [%], single precision: the displayed text depends on it. Pending, it is
  // still to be worked out from the last step's speed squared and set speed.
  mutable float m_dV = 0;
  mutable bool m_dVPending = false;
  double m_speedSquared = 0;  // [m²/s²]
  double m_setSpeed = 0;      // [m/s] v as read at the last step
  // The text of m_dV once asked for; stale after every step until asked for again.
  mutable std::string m_accuracyText;
  mutable bool m_accuracyStale = false;
};

// Shown in the accuracy label when a run stops on a state that is no longer finite. Short
// enough for the label; the window explains the stop in a message after the run.
inline constexpr const char* nonFiniteAccuracyText = "dV не определена";

// Shown in the accuracy label when a cylindrical configuration would start on the OZ axis.
inline constexpr const char* axisStartAccuracyText = "Старт на оси OZ";

// The accuracy label's text in the window's language: the two stop texts above have their
// English forms, a speed error ("dV=…%") reads the same in both.
inline const char* accuracyTextIn(const char* text, Language language) {
  if (language == Language::Russian) return text;
  if (std::string_view(text) == nonFiniteAccuracyText) return "dV undefined";
  if (std::string_view(text) == axisStartAccuracyText) return "Start on the OZ axis";
  return text;
}

}  // namespace larmor
