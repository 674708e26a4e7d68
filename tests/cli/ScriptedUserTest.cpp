#include "cli/ScriptedUser.h"

#include "model/SimParams.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

TEST(ScriptedUser, SelectionSetsStartPointAndLengthAsTheListDoes) {
  // recomputes: by the last selection, its nested handlers included; values exact.
  const struct { std::vector<int> selections; double x0, S; float z0; int recomputes; } rows[] = {
      {{1}, 1.0, 3.3, -4.0f, 1}, {{2}, 1.0, 3.3, -4.0f, 1},
      {{4}, 1.0, 0.3, -4.0f, 2},                   // the S box rewritten: its handler runs
      {{6}, 1.0, 5.0, z0FromPosition(-20), 3},     // S box and z bar
      {{7}, 0.30000000000000004, 5.0, -4.0f, 3},   // the x bar's handler: 3 × 0.1
      {{7, 7}, 0.3, 5.0, -4.0f, 1},                // the bar stands at 3 already: the literal stays
      {{7, 1}, 1.0, 5.0, -4.0f, 2},                // configuration 1 keeps the S it finds
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.selections.back());
    ScriptedUser user('.');
    user.startUp();
    int before = 0;
    for (const int config : row.selections) before = user.recomputeCount(), user.selectConfiguration(config);
    const SimulationState& s = user.state();
    EXPECT_EQ(s.fieldConfig, row.selections.back());
    EXPECT_EQ(std::tuple(s.params.x0, s.params.z0, s.params.S), std::tuple(row.x0, row.z0, row.S));
    EXPECT_EQ(user.recomputeCount() - before, row.recomputes);
    EXPECT_EQ(std::pair(s.x, s.z), std::pair(s.params.x0, double(s.params.z0)));  // the particle at its start
  }
}

TEST(ScriptedUser, ControlsApplyTheirValueRulesAndZeroOmegaKeepsTheLastPeriod) {
  ScriptedUser massFirst('.'), chargeFirst('.');
  massFirst.startUp(), chargeFirst.startUp();
  const double startPeriod = chargeFirst.state().quantities.period;
  massFirst.apply({TraceControl::Mass, 2, {}}), massFirst.apply({TraceControl::Charge, 0, {}});
  chargeFirst.apply({TraceControl::Charge, 0, {}}), chargeFirst.apply({TraceControl::Mass, 2, {}});
  EXPECT_DOUBLE_EQ(massFirst.state().quantities.period, 2 * startPeriod);
  EXPECT_EQ(chargeFirst.state().quantities.period, startPeriod);
  EXPECT_EQ(chargeFirst.state().quantities.tEnd, startPeriod * 25.0f);

  ScriptedUser user('.');
  user.startUp();
  for (const TraceAction& action : std::initializer_list<TraceAction>{
           {TraceControl::Z0, -33, {}}, {TraceControl::Field, 30000, {}}, {TraceControl::Beta, -180, {}},
           {TraceControl::D, 0, "2.675"}})
    user.apply(action);
  const SimParams& p = user.state().params;
  EXPECT_EQ(std::tuple(p.z0, p.Bo, p.betaRad, p.d),
            std::tuple(float(-33 * 0.1), 30000 * BoStep, float(-180 * degToRad), 2.68));  // d: halves away from zero
  const int before = user.recomputeCount();
  user.apply({TraceControl::Periods, 0, "2.5"});  // the run-length box only stores its value
  EXPECT_EQ(p.periods, 2.5f);
  EXPECT_EQ(user.recomputeCount(), before);
}

}  // namespace
}  // namespace larmor
