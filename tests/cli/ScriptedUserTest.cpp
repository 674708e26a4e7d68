#include "cli/ScriptedUser.h"

#include "model/SimParams.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

TEST(ScriptedUser, SelectionSetsStartPointAndLengthAsTheListDoes) {
  const struct {
    std::vector<int> selections;
    double x0, S;  // exact
    float z0;
    int recomputes;  // by the last selection, its nested handlers included
  } rows[] = {
      {{1}, 1.0, 3.3, -4.0f, 1},
      {{2}, 1.0, 3.3, -4.0f, 1},
      {{4}, 1.0, 0.3, -4.0f, 2},                        // the S box rewritten: its handler runs
      {{6}, 1.0, 5.0, z0FromPosition(-20), 3},          // S box and z bar
      {{7}, 0.30000000000000004, 5.0, -4.0f, 3},        // the x bar's handler: 3 × 0.1
      {{7, 7}, 0.3, 5.0, -4.0f, 1},                     // the bar stands at 3 already: the literal stays
      {{7, 1}, 1.0, 5.0, -4.0f, 2},                     // configuration 1 keeps the S it finds
  };
  for (const auto& row : rows) {
    ScriptedUser user('.');
    user.startUp();
    int before = 0;
    for (const int config : row.selections) {
      before = user.recomputeCount();
      user.selectConfiguration(config);
    }
    const SimParams& p = user.state().params;
    SCOPED_TRACE(row.selections.back());
    EXPECT_EQ(user.state().fieldConfig, row.selections.back());
    EXPECT_EQ(p.x0, row.x0);
    EXPECT_EQ(p.z0, row.z0);
    EXPECT_EQ(p.S, row.S);
    EXPECT_EQ(user.recomputeCount() - before, row.recomputes);
    EXPECT_EQ(user.state().x, p.x0);  // the recompute put the particle at the start point
    EXPECT_EQ(user.state().z, static_cast<double>(p.z0));
  }
}

TEST(ScriptedUser, ZeroOmegaKeepsThePeriodOfTheLastNonzeroRecompute) {
  ScriptedUser massFirst('.'), chargeFirst('.');
  massFirst.startUp();
  chargeFirst.startUp();
  const double startPeriod = chargeFirst.state().quantities.period;
  massFirst.apply({TraceControl::Mass, 2, {}});
  massFirst.apply({TraceControl::Charge, 0, {}});
  chargeFirst.apply({TraceControl::Charge, 0, {}});
  chargeFirst.apply({TraceControl::Mass, 2, {}});
  EXPECT_DOUBLE_EQ(massFirst.state().quantities.period, 2 * startPeriod);
  EXPECT_EQ(chargeFirst.state().quantities.period, startPeriod);
  EXPECT_EQ(chargeFirst.state().quantities.tEnd, startPeriod * 25.0f);
}

TEST(ScriptedUser, ControlsApplyTheirValueRules) {
  ScriptedUser user('.');
  user.startUp();
  for (const TraceAction& action : std::initializer_list<TraceAction>{
           {TraceControl::Z0, -33, {}}, {TraceControl::Field, 30000, {}}, {TraceControl::Beta, -180, {}},
           {TraceControl::D, 0, "2.675"}})
    user.apply(action);
  const SimParams& p = user.state().params;
  EXPECT_EQ(p.z0, static_cast<float>(-33 * 0.1));
  EXPECT_EQ(p.Bo, 30000 * BoStep);
  EXPECT_EQ(p.betaRad, static_cast<float>(-180 * degToRad));
  EXPECT_EQ(p.d, 2.68);  // two decimals, halves away from zero
  const int before = user.recomputeCount();
  user.apply({TraceControl::Periods, 0, "2.5"});  // the run-length box only stores its value
  EXPECT_EQ(p.periods, 2.5f);
  EXPECT_EQ(user.recomputeCount(), before);
}

}  // namespace
}  // namespace larmor
