#pragma once

#include "model/SimulationState.h"

#include <cstdint>

namespace larmor {

// The time and the step count of a run, whichever integrator makes its steps: dt is the
// period over the configuration's steps per period, and the run steps while t ≤ tEnd, at
// most maxSteps times. t grows by adding dt, so every run ends at the same step count
// and time as any other run of the same state.
struct RunClock {
  // A run never makes more steps than this, whatever the typed run length: it always ends,
  // and ends within seconds. The slowest step of the window (configurations 4 and 7,
  // trail and markers included) costs about 0.2 µs, so a cut run lasts about 2.5 s at
  // slow-down 0; the limit still allows 30,000 periods in configuration 7, 40,000 in
  // configuration 4 and 120,000 in the others.
  static constexpr std::int64_t maxSteps = 12'000'000;

  double dt = 0, t = 0, tEnd = 0;
  std::int64_t steps = 0;
  std::int64_t stepLimit = maxSteps;
  bool started = false;

  // A tighter limit than maxSteps, never a looser one.
  void limit(std::int64_t limit) { stepLimit = limit < maxSteps ? limit : maxSteps; }

  void start(const SimulationState& state) {
    dt = state.quantities.period / stepsPerPeriod(state.fieldConfig);
    tEnd = state.quantities.tEnd;
    t = 0;
    steps = 0;
    started = true;
  }

  bool running() const { return started && steps < stepLimit && t <= tEnd; }
  // Stopped at the step limit with time still left before the end.
  bool cut() const { return started && steps >= stepLimit && t <= tEnd; }

  void tick() {
    t += dt;
    ++steps;
  }
};

// What the Runge–Kutta run and the Boris run share: the state they advance, the decimal
// separator of their accuracy text, the clock, and the stop on a state that is no longer
// finite, with the accessors of these.
class ClockedRun {
public:
  static constexpr std::int64_t maxSteps = RunClock::maxSteps;

  // A tighter step limit than maxSteps (never a looser one), for a caller that wants a
  // shorter bound: a preview, a test.
  void limitSteps(std::int64_t limit) { m_clock.limit(limit); }

  // True when the state stopped being finite: the run ends there and the accuracy text
  // says so instead of showing a number.
  bool stoppedNonFinite() const { return m_stoppedNonFinite; }

  // True when the run stopped at its step limit with time still left before its end: it
  // was cut short, and whoever shows it should say so.
  bool cutAtStepLimit() const { return m_clock.cut(); }

  std::int64_t stepsDone() const { return m_clock.steps; }
  double dt() const { return m_clock.dt; }
  double t() const { return m_clock.t; }

protected:
  ClockedRun(SimulationState& state, char decimalSeparator) : m_state(state), m_decimalSeparator(decimalSeparator) {}

  // Starts the clock for the state as it is now and clears the stop.
  void startClock() {
    m_clock.start(m_state);
    m_stoppedNonFinite = false;
  }

  SimulationState& m_state;
  char m_decimalSeparator;
  RunClock m_clock;
  bool m_stoppedNonFinite = false;
};

}  // namespace larmor
