#include "docgen/FigureRequest.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

TEST(FigureAddress, ReadsKindConfigurationAndSettingsInOrder) {
  using K = FigureRequest::Kind;
  const struct { const char* address; K kind; int config; std::size_t settings; } rows[] = {
      {"larmor:field?config=4", K::Field, 4, 0}, {"larmor:run", K::Run, 1, 0},  // configuration 1 when none is named
      {"larmor:run?config=6&alpha=20&periods=2&charge=-1", K::Run, 6, 3},
      {"larmor:speed-error?config=4&periods=2000", K::SpeedError, 4, 1},  // no trail drawn: a longer run
      {"larmor:theory?config=2&speed=5000&periods=150", K::Theory, 2, 2},
      {"larmor:field?config=7&mass=0&speed=100&beta=-180&field=0.0015&region=10&x0=-5&y0=5&z0=-10&S=2.5&d=1", K::Field, 7, 10},
  };
  for (const auto& row : rows) {
    QString error;
    const auto request = parseFigureUrl(QString::fromUtf8(row.address), &error);
    ASSERT_TRUE(request.has_value()) << error.toStdString();
    EXPECT_EQ(std::tuple(request->kind, int(request->config), request->settings.size()), std::tuple(row.kind, row.config, row.settings)) << row.address;
  }
  EXPECT_EQ(parseFigureUrl(QString::fromUtf8(rows[2].address))->settings[1].first, QStringLiteral("periods"));
}

TEST(FigureAddress, RefusesWhatNoControlCouldGiveAndNamesTheCulprit) {
  const std::pair<const char*, const char*> rows[] = {
      {"https://example.org/fig.png", "https://example.org/fig.png"}, {"larmor:movie?config=1", "movie"},
      {"larmor:run?config=0", "0"}, {"larmor:run?config=8", "8"}, {"larmor:run?config=1&config=2", "config"},
      // A bar's values are the control table's, its ends and grid tested with the table.
      {"larmor:run?colour=red", "colour"}, {"larmor:run?slowdown=3", "slowdown"}, {"larmor:run?alpha=abc", "alpha"},
      {"larmor:run?z0=-10.1", "for 'z0'"}, {"larmor:run?x0=0.15", "from -5 to 5 in steps of 0.1"},
      {"larmor:run?periods=5000", "periods"} /* too long a run for a build */, {"larmor:run?periods=1001", "periods"},
      {"larmor:speed-error?periods=5001", "periods"}, {"larmor:field?config=2&S=abc", "S"},
      {"larmor:theory?config=3&periods=1001", "periods"} /* a trail, as a run */, {"larmor:theory?config=9", "9"},
      {"larmor:theories?config=2", "theories"}, {"larmor:theory?config=5&drift=1", "drift"}};
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
  // S: two decimals, as the S box keeps it; the charge position gives the trail's colour.
  EXPECT_EQ(std::tuple(int(state.fieldConfig), state.params.alphaRad, state.params.x0, state.params.S, state.params.m),
            std::tuple(7, 90 * (3.1415926535 / 180), 7 * 0.1, 2.35, 9.1093837139e-31));
  EXPECT_EQ(std::pair(figureChargePosition(*request), figureChargePosition(FigureRequest{})), std::pair(-2, 1));
  EXPECT_LT(state.quantities.omega, 0.0);
}

}  // namespace
}  // namespace larmor
