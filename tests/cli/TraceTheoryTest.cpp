// larmor-trace --summary --theory run as a process: the theory object of every field
// structure, where it is null, its numbers against the physics, and the summary around it.
#include <QJsonDocument>
#include <QJsonObject>
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

QString holds(const QJsonObject& theory, const char* key) {
  return theory.value(key).toObject().value("holds").toString(QStringLiteral("null"));
}

// The verdicts and their reasons are the model's (its tests judge them against the physics);
// here, that each grade reaches the JSON as the model gave it.
TEST(TraceTheory, VerdictsReachTheJsonAsGraded) {
  const QJsonObject nearAxis = theory({"--config", "3", "--speed", "3000", "--alpha", "90", "--beta", "-90", "--x0",
                                       "0.1", "--y0", "0", "--z0", "0", "--periods", "60"});
  EXPECT_EQ(holds(nearAxis, "driftVelocity"), "no");
  EXPECT_TRUE(nearAxis.value("driftVelocity").toObject().value("why").toString().contains("rho_gc"));
  EXPECT_EQ(holds(theory({}), "period"), "yes");
}

TEST(TraceTheory, RefusedWithoutTheSummary) {
  for (const QStringList& arguments : {QStringList{"--theory"}, QStringList{"--config", "2", "--theory", "--diagnostics"},
                                       QStringList{"--summary", "--theory=yes"}})
    larmor::test::expectRefusal(trace(arguments), 2, "--theory");
  EXPECT_TRUE(trace({"--theory"}).err.contains("only accepted together with --summary"));
}

}  // namespace
