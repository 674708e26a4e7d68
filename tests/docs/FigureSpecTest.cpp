#include "docgen/FigureSpec.h"

#include "model/SimParams.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

struct GoodAddress {
  const char* name;
  const char* address;
  FigureSpec::Kind kind;
  FieldConfig config;
  std::size_t settings;
};

TEST(FigureAddress, ReadsKindConfigurationAndSettingsInOrder) {
  const GoodAddress rows[] = {
      {"field figure", "larmor:field?config=4", FigureSpec::Kind::Field, 4, 0},
      {"run with a length", "larmor:run?config=2&periods=10", FigureSpec::Kind::Run, 2, 1},
      {"configuration 1 when none is named", "larmor:run", FigureSpec::Kind::Run, 1, 0},
      {"several settings", "larmor:run?config=6&alpha=20&periods=2&charge=-1",
       FigureSpec::Kind::Run, 6, 3},
      {"every bar setting", "larmor:field?config=7&mass=0&speed=100&beta=-180&field=0.0015"
                            "&region=10&x0=-5&y0=5&z0=-10&S=2.5&d=1",
       FigureSpec::Kind::Field, 7, 10},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QString error;
    const auto spec = parseFigureUrl(QString::fromUtf8(row.address), &error);
    ASSERT_TRUE(spec.has_value()) << error.toStdString();
    EXPECT_EQ(spec->kind, row.kind);
    EXPECT_EQ(spec->config, row.config);
    EXPECT_EQ(spec->settings.size(), row.settings);
  }
  const auto spec = parseFigureUrl(QStringLiteral("larmor:run?config=6&alpha=20&periods=2"));
  ASSERT_TRUE(spec);
  ASSERT_EQ(spec->settings.size(), 2u);
  EXPECT_EQ(spec->settings[0].first, QStringLiteral("alpha"));
  EXPECT_EQ(spec->settings[1].first, QStringLiteral("periods"));
}

struct BadAddress {
  const char* name;
  const char* address;
  const char* named;  // the error names the culprit
};

TEST(FigureAddress, RefusesWhatNoControlCouldGive) {
  const BadAddress rows[] = {
      {"another scheme", "https://example.org/fig.png", "https://example.org/fig.png"},
      {"unknown kind", "larmor:movie?config=1", "movie"},
      {"configuration 0", "larmor:run?config=0", "0"},
      {"configuration 8", "larmor:run?config=8", "8"},
      {"configuration twice", "larmor:run?config=1&config=2", "config"},
      {"unknown setting", "larmor:run?colour=red", "colour"},
      {"charge beyond the bar", "larmor:run?charge=6", "charge"},
      {"speed 0", "larmor:run?speed=0", "speed"},
      {"angle not a number", "larmor:run?alpha=abc", "alpha"},
      {"beta beyond the bar", "larmor:run?beta=181", "beta"},
      {"field beyond the bar", "larmor:run?field=0.002", "field"},
      {"start point outside", "larmor:run?x0=5.5", "x0"},
      {"z0 outside", "larmor:run?z0=-10.1", "z0"},
      {"region 0", "larmor:run?region=0", "region"},
      {"a run too long for a build", "larmor:run?periods=5000", "periods"},
      {"S not a number", "larmor:field?config=2&S=abc", "S"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QString error;
    EXPECT_FALSE(parseFigureUrl(QString::fromUtf8(row.address), &error).has_value());
    EXPECT_TRUE(error.contains(QString::fromUtf8(row.named))) << error.toStdString();
  }
}

struct Selected {
  FieldConfig config;
  double S;
  int x0Position;
  int z0Position;
};

TEST(FigureState, StartsFromWhatTheListSelectionSets) {
  const SimParams start;
  const Selected rows[] = {
      {1, start.S, 10, -40}, {2, 3.3, 10, -40}, {3, 3.3, 10, -40}, {4, 0.3, 10, -40},
      {5, start.S, 10, -40}, {6, 5, 10, -20},   {7, 5, 3, -40},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.config);
    FigureSpec spec;
    spec.config = row.config;
    const SimulationState state = figureState(spec);
    EXPECT_EQ(state.fieldConfig, row.config);
    EXPECT_EQ(state.params.S, row.S);
    // Through the bars, as the window's handlers leave them: 3 × 0.1, not the literal 0.3.
    EXPECT_EQ(state.params.x0, coordinateFromPosition(row.x0Position));
    EXPECT_EQ(state.params.z0, z0FromPosition(row.z0Position));
    // The particle stands at the start point, the quantities are computed.
    EXPECT_EQ(state.x, state.params.x0);
    EXPECT_EQ(state.z, static_cast<double>(state.params.z0));
    EXPECT_GT(state.quantities.period, 0.0);
  }
}

TEST(FigureState, AppliesSettingsAsTheControlsWould) {
  const auto spec = parseFigureUrl(
      QStringLiteral("larmor:run?config=7&alpha=90&beta=-45&x0=0.7&S=2.345&charge=-2&mass=0"));
  ASSERT_TRUE(spec);
  const SimulationState state = figureState(*spec);
  EXPECT_EQ(state.params.alpha, 90);
  EXPECT_EQ(state.params.alphaRad, angleRadFromDegrees(90));
  EXPECT_EQ(state.params.betaRad, betaRadFromDegrees(-45));
  EXPECT_EQ(state.params.x0, coordinateFromPosition(7));
  EXPECT_EQ(state.params.S, lengthFromText("2.345"));  // two decimals, as the S box keeps it
  EXPECT_EQ(state.params.q, chargeFromPosition(-2));
  EXPECT_EQ(state.params.m, electronMass);
  EXPECT_EQ(figureChargePosition(*spec), -2);
  EXPECT_LT(state.quantities.omega, 0.0);
}

TEST(FigureState, ZeroChargeKeepsThePeriodOfTheStartParameters) {
  FigureSpec plain;
  const double startPeriod = figureState(plain).quantities.period;
  const auto neutral = parseFigureUrl(QStringLiteral("larmor:run?charge=0"));
  ASSERT_TRUE(neutral);
  const SimulationState state = figureState(*neutral);
  EXPECT_EQ(state.quantities.omega, 0.0);
  EXPECT_EQ(state.quantities.period, startPeriod);
  EXPECT_EQ(figureChargePosition(*neutral), 0);
  EXPECT_EQ(figureChargePosition(plain), 1);
}

}  // namespace
}  // namespace larmor
