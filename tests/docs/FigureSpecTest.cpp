#include "docgen/FigureSpec.h"

#include "model/SimParams.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

TEST(FigureAddress, ReadsKindConfigurationAndSettingsInOrder) {
  const struct {
    const char* address;
    FigureSpec::Kind kind;
    FieldConfig config;
    std::size_t settings;
  } rows[] = {
      {"larmor:field?config=4", FigureSpec::Kind::Field, 4, 0},
      {"larmor:run", FigureSpec::Kind::Run, 1, 0},  // configuration 1 when none is named
      {"larmor:run?config=6&alpha=20&periods=2&charge=-1", FigureSpec::Kind::Run, 6, 3},
      {"larmor:field?config=7&mass=0&speed=100&beta=-180&field=0.0015&region=10&x0=-5&y0=5&z0=-10&S=2.5&d=1",
       FigureSpec::Kind::Field, 7, 10},
  };
  for (const auto& row : rows) {
    QString error;
    const auto spec = parseFigureUrl(QString::fromUtf8(row.address), &error);
    ASSERT_TRUE(spec.has_value()) << error.toStdString();
    EXPECT_EQ(spec->kind, row.kind) << row.address;
    EXPECT_EQ(spec->config, row.config) << row.address;
    EXPECT_EQ(spec->settings.size(), row.settings) << row.address;
  }
  EXPECT_EQ(parseFigureUrl(QString::fromUtf8(rows[2].address))->settings[1].first, QStringLiteral("periods"));
}

TEST(FigureAddress, RefusesWhatNoControlCouldGiveAndNamesTheCulprit) {
  const std::pair<const char*, const char*> rows[] = {
      {"https://example.org/fig.png", "https://example.org/fig.png"}, {"larmor:movie?config=1", "movie"},
      {"larmor:run?config=0", "0"},          {"larmor:run?config=8", "8"},
      {"larmor:run?config=1&config=2", "config"}, {"larmor:run?colour=red", "colour"},
      {"larmor:run?charge=6", "charge"},     {"larmor:run?speed=0", "speed"},
      {"larmor:run?alpha=abc", "alpha"},     {"larmor:run?beta=181", "beta"},
      {"larmor:run?field=0.002", "field"},   {"larmor:run?x0=5.5", "x0"},
      {"larmor:run?z0=-10.1", "z0"},         {"larmor:run?region=0", "region"},
      {"larmor:run?periods=5000", "periods"},  // too long a run for a build
      {"larmor:field?config=2&S=abc", "S"},
  };
  for (const auto& [address, culprit] : rows) {
    QString error;
    EXPECT_FALSE(parseFigureUrl(QString::fromUtf8(address), &error).has_value()) << address;
    EXPECT_TRUE(error.contains(QString::fromUtf8(culprit))) << error.toStdString();
  }
}

TEST(FigureState, StartsFromWhatTheListSelectionSets) {
  const struct {
    FieldConfig config;
    double S;
    int x0Position, z0Position;
  } rows[] = {{1, SimParams{}.S, 10, -40}, {2, 3.3, 10, -40}, {3, 3.3, 10, -40}, {4, 0.3, 10, -40},
              {5, SimParams{}.S, 10, -40}, {6, 5, 10, -20},   {7, 5, 3, -40}};
  for (const auto& row : rows) {
    FigureSpec spec;
    spec.config = row.config;
    const SimulationState state = figureState(spec);
    EXPECT_EQ(state.fieldConfig, row.config);
    EXPECT_EQ(state.params.S, row.S) << row.config;
    // Through the bars, as the window's handlers leave them: 3 × 0.1, not the literal 0.3.
    EXPECT_EQ(state.params.x0, coordinateFromPosition(row.x0Position)) << row.config;
    EXPECT_EQ(state.params.z0, z0FromPosition(row.z0Position)) << row.config;
    EXPECT_EQ(state.z, static_cast<double>(state.params.z0)) << "the particle stands at the start point";
  }
}

TEST(FigureState, AppliesSettingsAsTheControlsWould) {
  const auto spec = parseFigureUrl(QStringLiteral("larmor:run?config=7&alpha=90&x0=0.7&S=2.345&charge=-2&mass=0"));
  ASSERT_TRUE(spec);
  const SimulationState state = figureState(*spec);
  EXPECT_EQ(state.params.alphaRad, angleRadFromDegrees(90));
  EXPECT_EQ(state.params.x0, coordinateFromPosition(7));
  EXPECT_EQ(state.params.S, 2.35);  // two decimals, as the S box keeps it
  EXPECT_EQ(state.params.m, electronMass);
  EXPECT_EQ(figureChargePosition(*spec), -2);  // the trail's colour
  EXPECT_LT(state.quantities.omega, 0.0);
  // A zero charge keeps the period of the start parameters.
  const auto neutral = parseFigureUrl(QStringLiteral("larmor:run?charge=0"));
  ASSERT_TRUE(neutral);
  EXPECT_EQ(figureState(*neutral).quantities.period, figureState(FigureSpec{}).quantities.period);
  EXPECT_EQ(figureChargePosition(*neutral), 0);
  EXPECT_EQ(figureChargePosition(FigureSpec{}), 1);
}

}  // namespace
}  // namespace larmor
