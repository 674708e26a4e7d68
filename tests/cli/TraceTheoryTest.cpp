// larmor-trace --summary --theory run as a process: the theory object of every field
// structure, where it is null, its numbers against the physics, and the summary around it.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include "TraceProcess.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using larmor::test::Outcome;
using larmor::test::trace;

// The summary's theory object; empty (and a failure) when the run or its JSON went wrong.
QJsonObject theory(const QStringList& arguments) {
  const Outcome o = trace(QStringList{"--summary", "--theory"} + arguments);
  EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(o.out, &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << o.out.toStdString();
  return document.object().value("theory").toObject();
}

double measured(const QJsonObject& theory, const char* key) {
  return theory.value(key).toObject().value("measured").toDouble(NAN);
}

// Each structure's own quantities and no other, each as a predicted/measured pair; the
// summary before the object is the summary without --theory, byte for byte.
TEST(TraceTheory, EveryStructureHasItsOwnKeysAfterTheUnchangedSummary) {
  const QStringList keys[] = {{"period", "radius", "pitch", "muSpread"},
                              {"driftVelocity", "muSpread"},
                              {"driftVelocity", "muSpread"},
                              {"muSpread", "turningField", "reflections", "bouncePeriod", "trapped"},
                              {"driftVelocity", "muSpread"},
                              {"poincareSpread", "coneAngleDeg", "muSpread"},
                              {"muSpread", "turningField", "reflections", "bouncePeriod", "trapped"}};
  for (int config = 1; config <= 7; ++config) {
    SCOPED_TRACE(config);
    const QStringList arguments{"--summary", "--config", QString::number(config)};
    const Outcome plain = trace(arguments), measuredRun = trace(arguments + QStringList{"--theory"});
    ASSERT_EQ(plain.exitCode + measuredRun.exitCode, 0) << plain.err.toStdString() << measuredRun.err.toStdString();
    EXPECT_TRUE(plain.err.isEmpty() && measuredRun.err.isEmpty());
    EXPECT_FALSE(plain.out.contains("theory"));
    EXPECT_TRUE(measuredRun.out.startsWith(plain.out.chopped(2) + ", \"theory\": {") && measuredRun.out.endsWith("}}\n"))
        << measuredRun.out.toStdString();

    const QJsonObject t = QJsonDocument::fromJson(measuredRun.out).object().value("theory").toObject();
    QStringList got = t.keys(), expected = keys[config - 1];
    got.sort(), expected.sort();
    EXPECT_EQ(got, expected);
    for (const QString& key : got) {
      const QJsonObject pair = t.value(key).toObject();
      EXPECT_EQ(pair.keys(), (QStringList{"holds", "measured", "predicted", "why"})) << key.toStdString();
      const QJsonValue holds = pair.value("holds");
      EXPECT_TRUE(holds.isNull() || QStringList({"yes", "marginal", "no"}).contains(holds.toString())) << key.toStdString();
      EXPECT_FALSE(pair.value("why").toString().isEmpty()) << key.toStdString();
    }
    // The default runs hold many gyrations: the invariant is measured, and kept to a few per cent
    // where the field is smooth on the scale of the gyration.
    EXPECT_EQ(t.value("muSpread").toObject().value("predicted").toDouble(NAN), 0);
    if (config != 4) {
      EXPECT_LT(measured(t, "muSpread"), 0.1);
    }
  }
}

// Half a period holds no whole gyration: what is measured per gyration is null while its
// prediction stands; the monopole's J is measured at every step all the same. In the trap
// (gyrating faster where the field is stronger) half a period turns the particle back nowhere.
TEST(TraceTheory, AFractionOfAPeriodLeavesThePerGyrationQuantitiesNull) {
  const QJsonObject uniform = theory({"--periods", "0.5"});
  for (const char* key : {"period", "radius", "pitch", "muSpread"}) {
    EXPECT_TRUE(uniform.value(key).toObject().value("measured").isNull()) << key;
    EXPECT_TRUE(uniform.value(key).toObject().value("predicted").isDouble()) << key;
  }
  const QJsonObject trap = theory({"--config", "7", "--periods", "0.5"});
  for (const char* key : {"turningField", "bouncePeriod", "trapped"})
    EXPECT_TRUE(trap.value(key).toObject().value("measured").isNull()) << key;
  EXPECT_EQ(trap.value("reflections").toObject().value("measured"), QJsonValue(0));
  const QJsonObject monopole = theory({"--config", "6", "--periods", "0.5"});
  EXPECT_TRUE(monopole.value("poincareSpread").toObject().value("measured").isDouble());
  EXPECT_TRUE(monopole.value("muSpread").toObject().value("measured").isNull());
}

// The measured period against 2π·m/(|q|·B) from the constants as they are, with either integrator.
TEST(TraceTheory, UniformFieldPeriodIsTheCyclotronPeriod) {
  constexpr double e = 1.602176634e-19, u = 1.66053906892e-27, electron = 9.1093837139e-31;
  const struct { const char *charge, *mass, *field, *alpha; double expected; } rows[] = {
      {"1", "1", "5e-4", "83", 2 * M_PI * u / (e * 5e-4)},
      {"-2", "4", "1e-3", "30", 2 * M_PI * 4 * u / (2 * e * 1e-3)},
      {"-1", "0", "1.5e-3", "120", 2 * M_PI * electron / (e * 1.5e-3)},
  };
  for (const auto& row : rows) {
    for (const char* integrator : {"rk4", "boris"}) {
      SCOPED_TRACE(std::string(row.charge) + " " + row.mass + " " + integrator);
      const QJsonObject t = theory({"--charge", row.charge, "--mass", row.mass, "--field", row.field, "--alpha",
                                    row.alpha, "--integrator", integrator});
      EXPECT_NEAR(measured(t, "period") / row.expected, 1, 0.01);
    }
  }
}

// The plane drift of a positive charge runs against y (B falls along +x); a negative charge
// drifts the other way at the same speed, whichever integrator makes the run.
TEST(TraceTheory, PlaneDriftReversesWithTheCharge) {
  for (const char* integrator : {"rk4", "boris"}) {
    SCOPED_TRACE(integrator);
    double drift[2] = {};
    for (const int sign : {1, -1}) {
      const QJsonObject t = theory({"--config", "2", "--charge", QString::number(sign), "--speed", "1000", "--alpha",
                                    "90", "--beta", "60", "--field", "1.5e-3", "--x0", "1", "--periods", "20",
                                    "--integrator", integrator});
      drift[sign < 0] = measured(t, "driftVelocity");
      EXPECT_NEAR(drift[sign < 0] / t.value("driftVelocity").toObject().value("predicted").toDouble(NAN), 1, 0.05);
    }
    EXPECT_LT(drift[0], 0);
    EXPECT_NEAR(drift[1] / drift[0], -1, 0.02);
  }
}

QString holds(const QJsonObject& theory, const char* key) {
  return theory.value(key).toObject().value("holds").toString(QStringLiteral("null"));
}
QString why(const QJsonObject& theory, const char* key) { return theory.value(key).toObject().value("why").toString(); }

// The verdicts a physicist gives the starts a teacher tried: the axial drift near the axis
// does not hold; a trap particle turning back beyond the coils is trapped both ways with the
// bounce period of the integral; RK4's own speed loss is named where it makes the
// difference; the monopole's mu and a curvature drift with a wide gyration hold.
TEST(TraceTheory, VerdictsOfTheStartsATeacherTried) {
  const QJsonObject nearAxis = theory({"--config", "3", "--speed", "3000", "--alpha", "90", "--beta", "-90", "--x0",
                                       "0.1", "--y0", "0", "--z0", "0", "--periods", "60"});
  EXPECT_EQ(holds(nearAxis, "driftVelocity"), "no");
  EXPECT_TRUE(why(nearAxis, "driftVelocity").contains("rho_gc")) << why(nearAxis, "driftVelocity").toStdString();

  const QJsonObject trap = theory({"--config", "4", "--speed", "2000", "--alpha", "16", "--beta", "90", "--field",
                                   "0.0015", "--x0", "2", "--y0", "0", "--z0", "0", "--S", "1", "--d", "3", "--periods",
                                   "800"});
  for (const char* side : {"predicted", "measured"})
    EXPECT_EQ(trap.value("trapped").toObject().value(side), QJsonValue(true)) << side;
  EXPECT_EQ(holds(trap, "trapped"), "yes");
  const QJsonObject bounce = trap.value("bouncePeriod").toObject();
  EXPECT_NEAR(bounce.value("measured").toDouble() / bounce.value("predicted").toDouble(), 1, 0.02);

  const QJsonObject rk4 = theory({"--config", "7", "--speed", "8000", "--periods", "100"});
  for (const char* key : {"muSpread", "bouncePeriod"})
    EXPECT_TRUE(why(rk4, key).contains("Boris")) << key << ": " << why(rk4, key).toStdString();

  EXPECT_EQ(holds(theory({"--config", "6"}), "muSpread"), "yes");
  EXPECT_EQ(holds(theory({"--config", "5", "--speed", "8000", "--alpha", "45", "--beta", "-90"}), "driftVelocity"), "yes");
}

TEST(TraceTheory, RefusedWithoutTheSummary) {
  for (const QStringList& arguments : {QStringList{"--theory"}, QStringList{"--config", "2", "--theory", "--diagnostics"},
                                       QStringList{"--summary", "--theory=yes"}}) {
    const Outcome o = trace(arguments);
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(o.out.isEmpty());
    EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains("--theory")) << o.err.toStdString();
  }
  EXPECT_TRUE(trace({"--theory"}).err.contains("only accepted together with --summary"));
}

}  // namespace
