#include "cli/ScriptedUser.h"

#include "model/SimParams.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

struct SelectionRow {
  int config;
  double x0;          // exact
  float z0;           // exact
  double S;           // exact
  int recomputes;     // by the selection itself, its nested handlers included
};

TEST(ScriptedUser, SelectionSetsStartPointAndLengthAsTheListDoes) {
  const std::vector<SelectionRow> rows{
      {1, 1.0, -4.0f, 3.3, 1},
      {2, 1.0, -4.0f, 3.3, 1},
      {4, 1.0, -4.0f, 0.3, 2},                       // the S box rewritten: its handler runs
      {5, 1.0, -4.0f, 3.3, 1},
      {6, 1.0, z0FromPosition(-20), 5.0, 3},         // S box and z bar
      {7, 0.30000000000000004, -4.0f, 5.0, 3},       // the x bar's handler: 3 × 0.1
  };
  for (const SelectionRow& row : rows) {
    ScriptedUser user('.');
    user.startUp();
    const int before = user.recomputeCount();
    user.selectConfiguration(row.config);
    const SimParams& p = user.state().params;
    EXPECT_EQ(user.state().fieldConfig, row.config);
    EXPECT_EQ(p.x0, row.x0) << "configuration " << row.config;
    EXPECT_EQ(p.z0, row.z0) << "configuration " << row.config;
    EXPECT_EQ(p.S, row.S) << "configuration " << row.config;
    EXPECT_EQ(user.recomputeCount() - before, row.recomputes) << "configuration " << row.config;
    // The recompute put the particle at the start point.
    EXPECT_EQ(user.state().x, p.x0);
    EXPECT_EQ(user.state().z, static_cast<double>(p.z0));
  }
}

TEST(ScriptedUser, SecondSelectionOfTheSameTrapLeavesTheLiteralStartPoint) {
  // The x bar already stands at 3, so nothing moves and no handler replaces the literal.
  ScriptedUser user('.');
  user.startUp();
  user.selectConfiguration(7);
  user.selectConfiguration(7);
  EXPECT_EQ(user.state().params.x0, 0.3);
  user.selectConfiguration(1);
  EXPECT_EQ(user.state().params.x0, 1.0);
}

TEST(ScriptedUser, ZeroOmegaKeepsThePeriodOfTheLastNonzeroRecompute) {
  ScriptedUser startUpOnly('.');
  startUpOnly.startUp();
  const double startPeriod = startUpOnly.state().quantities.period;

  // Mass first, then charge 0: the doubled mass's period is kept.
  ScriptedUser massFirst('.');
  massFirst.startUp();
  massFirst.apply({TraceControl::Mass, 2, {}});
  massFirst.apply({TraceControl::Charge, 0, {}});
  EXPECT_EQ(massFirst.captions().period, "T - бесконечен");
  EXPECT_EQ(massFirst.captions().radius, "R - бесконечен");
  EXPECT_EQ(massFirst.captions().frequency, "w=0.000e+00 рад/с");
  EXPECT_DOUBLE_EQ(massFirst.state().quantities.period, 2 * startPeriod);

  // Charge 0 first: the mass change finds omega 0 and the start-up period stays.
  ScriptedUser chargeFirst('.');
  chargeFirst.startUp();
  chargeFirst.apply({TraceControl::Charge, 0, {}});
  chargeFirst.apply({TraceControl::Mass, 2, {}});
  EXPECT_EQ(chargeFirst.state().quantities.period, startPeriod);
  EXPECT_EQ(chargeFirst.state().quantities.tEnd, startPeriod * 25.0f);
}

TEST(ScriptedUser, ControlsApplyTheirValueRules) {
  ScriptedUser user(',');
  user.startUp();
  user.apply({TraceControl::X0, 3, {}});
  user.apply({TraceControl::Z0, -33, {}});
  user.apply({TraceControl::Field, 30000, {}});
  user.apply({TraceControl::Beta, -180, {}});
  user.apply({TraceControl::S, 0, "1,5"});
  user.apply({TraceControl::D, 0, "2.675"});
  const SimParams& p = user.state().params;
  EXPECT_EQ(p.x0, 0.30000000000000004);
  EXPECT_EQ(p.z0, static_cast<float>(-33 * 0.1));
  EXPECT_EQ(p.Bo, 30000 * BoStep);
  EXPECT_EQ(p.betaRad, static_cast<float>(-180 * degToRad));
  EXPECT_EQ(p.S, 1.0);    // the comma ends the number
  EXPECT_EQ(p.d, 2.68);   // two decimals, halves away from zero
  EXPECT_EQ(user.captions().frequency, "w=1,447e+05 рад/с");  // the separator of the captions

  // The run-length box only stores its value: no recompute.
  const int before = user.recomputeCount();
  user.apply({TraceControl::Periods, 0, "2.5"});
  EXPECT_EQ(p.periods, 2.5f);
  EXPECT_EQ(user.recomputeCount(), before);
}

}  // namespace
}  // namespace larmor
