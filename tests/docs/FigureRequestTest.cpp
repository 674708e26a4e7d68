#include "docgen/FigureRequest.h"

#include "model/SimParams.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

TEST(FigureAddress, ReadsKindConfigurationAndSettingsInOrder) {
  const struct {
    const char* address;
    FigureRequest::Kind kind;
    FieldConfig config;
    std::size_t settings;
  } rows[] = {
      {"larmor:field?config=4", FigureRequest::Kind::Field, 4, 0},
      {"larmor:run", FigureRequest::Kind::Run, 1, 0},  // configuration 1 when none is named
      {"larmor:run?config=6&alpha=20&periods=2&charge=-1", FigureRequest::Kind::Run, 6, 3},
      {"larmor:field?config=7&mass=0&speed=100&beta=-180&field=0.0015&region=10&x0=-5&y0=5&z0=-10&S=2.5&d=1",
       FigureRequest::Kind::Field, 7, 10},
  };
  for (const auto& row : rows) {
    QString error;
    const auto request = parseFigureUrl(QString::fromUtf8(row.address), &error);
    ASSERT_TRUE(request.has_value()) << error.toStdString();
    EXPECT_EQ(request->kind, row.kind) << row.address;
    EXPECT_EQ(request->config, row.config) << row.address;
    EXPECT_EQ(request->settings.size(), row.settings) << row.address;
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

TEST(FigureState, AppliesSettingsAsTheControlsWould) {
  const auto request = parseFigureUrl(QStringLiteral("larmor:run?config=7&alpha=90&x0=0.7&S=2.345&charge=-2&mass=0"));
  ASSERT_TRUE(request);
  const SimulationState state = figureState(*request);
  EXPECT_EQ(state.fieldConfig, 7);
  EXPECT_EQ(state.params.alphaRad, angleRadFromDegrees(90));
  EXPECT_EQ(state.params.x0, coordinateFromPosition(7));
  EXPECT_EQ(state.params.S, 2.35);  // two decimals, as the S box keeps it
  EXPECT_EQ(state.params.m, electronMass);
  EXPECT_EQ(figureChargePosition(*request), -2);  // the trail's colour
  EXPECT_LT(state.quantities.omega, 0.0);
  EXPECT_EQ(figureChargePosition(FigureRequest{}), 1);
}

}  // namespace
}  // namespace larmor
