// The help's figures: their addresses read as the controls would set them, and the pictures
// drawn from them.
#include "docgen/FigureRenderer.h"
#include "docgen/FigureRequest.h"
#include "docgen/TheoryFigure.h"
#include "model/TheoryPrediction.h"

#include <QColor>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

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

QImage render(const char* address, const FigureStyle& style) {
  const auto request = parseFigureUrl(QString::fromUtf8(address));
  EXPECT_TRUE(request.has_value()) << address;
  return renderFigure(request.value_or(FigureRequest{}), style);
}

// Pixels within [left, right) that are clearly of one primary (smoothed edges included) or,
// with channel -1, exactly magenta.
int count(const QImage& image, int channel, int left = 0, int right = -1) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = left; x < (right < 0 ? image.width() : right); ++x) {
      const QColor c = QColor::fromRgb(image.pixel(x, y));
      const int v[3] = {c.red(), c.green(), c.blue()};
      n += channel < 0 ? (image.pixel(x, y) & 0xFFFFFF) == 0xFF00FF
                       : v[channel] > 150 && v[channel] - std::max(v[(channel + 1) % 3], v[(channel + 2) % 3]) > 60;
    }
  return n;
}

TEST(FigureRenderer, PutsTheTwoViewsSideBySideAtTheStyleSize) {
  const FigureStyle style{120, 10, 20, 2};  // view height, gap, caption height, pixel ratio
  const int xyRight = 120 * 2, xzLeft = (120 + 10) * 2;
  const QImage uniform = render("larmor:field?config=1", style), centrifugal = render("larmor:field?config=5", style);
  EXPECT_EQ(std::pair(uniform.devicePixelRatio(), uniform.size()), std::pair(2.0, QSize((3 * 120 + 10) * 2, (120 + 20) * 2)));
  EXPECT_GT(std::min(count(uniform, -1, 0, xyRight), count(uniform, -1, xzLeft)), 100);  // the field in both views
  EXPECT_GT(count(centrifugal, -1, 0, xyRight), 100);  // circles in the X0Y view only
  EXPECT_EQ(count(centrifugal, -1, xzLeft), 0);
}

TEST(FigureRenderer, RunFigureAddsTheTrailInTheColourOfTheCharge) {
  const FigureStyle style{150, 10, 22, 1};
  // A circle about the view's centre: the start point near the axis, inside both views.
  const QImage before = render("larmor:field?config=1&alpha=90&region=2&x0=0.2&y0=0&z0=0", style);
  const QImage after = render("larmor:run?config=1&alpha=90&region=2&x0=0.2&y0=0&z0=0&periods=1", style);
  const QImage negative = render("larmor:run?config=1&alpha=90&region=2&x0=0.2&y0=0&z0=0&periods=1&charge=-1", style);
  const int red = 0, blue = 2, redBefore = count(before, red);  // the start stroke and the marker
  EXPECT_GT(std::min(count(after, red), count(negative, blue)), redBefore + 100) << "a circle of radius R must be drawn";
  EXPECT_LT(std::max(count(after, blue), count(negative, red)), 10);
}

// The theory's colour, antialiased edges left out.
bool theoryPixel(QRgb p) { return qRed(p) < 40 && std::abs(qGreen(p) - 150) < 40 && std::abs(qBlue(p) - 160) < 40; }
bool trailPixel(QRgb p) { return qRed(p) > 150 && qRed(p) - std::max(qGreen(p), qBlue(p)) > 60; }

// Pixels of a kind within a distance of a point [image pixels].
int near(const QImage& image, QPointF at, double distance, bool (*kind)(QRgb)) {
  int n = 0;
  for (int y = std::max(0, int(at.y() - distance)); y <= std::min(image.height() - 1, int(at.y() + distance)); ++y)
    for (int x = std::max(0, int(at.x() - distance)); x <= std::min(image.width() - 1, int(at.x() + distance)); ++x)
      n += std::hypot(x - at.x(), y - at.y()) <= distance && kind(image.pixel(x, y));
  return n;
}

// Plane drift where the guiding-centre picture holds: the predicted path runs from the
// start's guiding centre to where the predicted drift takes it by the end of the run, the
// way the run's circles went, and not the other way.
TEST(FigureRenderer, TheoryFigureDrawsThePredictedDriftOverTheRun) {
  const auto request = parseFigureUrl(QStringLiteral("larmor:theory?config=2&speed=5000&periods=150"));
  ASSERT_TRUE(request);
  const SimulationState start = figureState(*request);
  const TheoryPrediction prediction = predictTheory(start);
  ASSERT_TRUE(prediction.driftVelocity && theoryVerdict(prediction, "driftVelocity").holds == Holds::yes);
  const double travel = *prediction.driftVelocity * 150 * start.quantities.period;  // [m] along y
  ASSERT_LT(travel, -1.0);  // far enough to tell the ends apart
  const int h = 200;
  const QImage image = renderFigure(*request, FigureStyle{h, 10, 22, 1});
  // X0Y: y to the right, x up, the region's square (L metres) filling the view.
  const double L = start.params.regionSize;
  const auto pixel = [&](double x, double y) { return QPointF((y / L + 0.5) * h, (0.5 - x / L) * h); };
  const Vec3 gc = prediction.guidingCentre;
  const QPointF end = pixel(gc.x, gc.y + travel), wrongWay = pixel(gc.x, gc.y - travel);
  EXPECT_GT(near(image, end, 4, theoryPixel), 20) << "the dot where the drift ends";
  EXPECT_GT(near(image, end, 12, trailPixel), 20) << "the run circles there";
  EXPECT_EQ(near(image, wrongWay, 12, theoryPixel), 0);
  EXPECT_GT(near(image, pixel(gc.x, gc.y + travel / 2), 3, theoryPixel), 0) << "the path between";
}

// A trap that holds the particle: the dashed lines across X0Z stand where the run turned back.
TEST(FigureRenderer, TheoryFigureMarksTheTurningPointsWhereTheTrailTurns) {
  const int h = 200, xzLeft = h + 10, xzRight = xzLeft + 2 * h;
  const QImage image = render("larmor:theory?config=7&speed=8000&periods=100", FigureStyle{h, 10, 22, 1});
  std::vector<int> lines;  // columns of X0Z mostly of the theory's colour
  int trailLeft = image.width(), trailRight = 0;
  for (int x = xzLeft; x < xzRight; ++x) {
    int theory = 0;
    for (int y = 0; y < h; ++y) {
      theory += theoryPixel(image.pixel(x, y));
      if (trailPixel(image.pixel(x, y))) trailLeft = std::min(trailLeft, x), trailRight = std::max(trailRight, x);
    }
    if (theory > h / 3 && (lines.empty() || x > lines.back() + 3)) lines.push_back(x);
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NEAR(trailLeft, lines[0], 3);
  EXPECT_NEAR(trailRight, lines[1], 3);
}

// RK4 against Boris from one start: the same steps; RK4's speed error grows in proportion to
// the time, Boris's stays at the rounding of the arithmetic; the plot shows both curves.
TEST(FigureRenderer, SpeedErrorFigurePlotsRk4GrowingAndBorisAtRounding) {
  const auto request = parseFigureUrl(QStringLiteral("larmor:speed-error?config=1&periods=200"));
  ASSERT_TRUE(request);
  const SpeedErrorCurves curves = speedErrorCurves(*request);
  ASSERT_NEAR(double(curves.t.size()), 20000, 1);  // 100 steps per period
  ASSERT_EQ(std::pair(curves.rk4.size(), curves.boris.size()), std::pair(curves.t.size(), curves.t.size()));
  const double end = curves.rk4.back(), half = curves.rk4[curves.t.size() / 2];
  EXPECT_GT(end, 5e-4);  // about 1e-4 % per 25 periods
  EXPECT_NEAR(end / half, 2.0, 0.1);
  double borisMax = 0;
  for (const double dV : curves.boris) borisMax = std::max(borisMax, std::fabs(dV));
  EXPECT_LT(borisMax, 1e-10);

  const FigureStyle style{100, 10, 20, 2};
  const QImage image = renderFigure(*request, style);
  EXPECT_EQ(std::pair(image.devicePixelRatio(), image.size()), std::pair(2.0, QSize(310 * 2, 140 * 2)));
  const int red = count(image, 0), blue = count(image, 2);
  EXPECT_GT(std::min(red, blue), image.width() / 2) << red << " " << blue;
}

// The English help's theory figures say in English what their colour shows and how the
// prediction compares, numbers with a decimal point; the Russian ones keep their words.
TEST(TheoryFigure, WordsFollowTheDocumentsLanguage) {
  const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
  for (FieldConfig config = 1; config <= 7; ++config) {
    SCOPED_TRACE(config);
    FigureRequest request;
    request.kind = FigureRequest::Kind::Theory, request.config = config;
    const TheoryPrediction prediction = predictTheory(figureState(request));
    const std::vector<TheoryQuantity> table = theoryTable(prediction);  // before a run: nothing measured
    const QString english = theoryLegend(config, Language::English) + "; " + theoryComparison(prediction, table, Language::English);
    EXPECT_FALSE(cyrillic.match(english).hasMatch()) << english.toStdString();
    EXPECT_TRUE(cyrillic.match(theoryComparison(prediction, table)).hasMatch());
  }
  FigureRequest uniform;
  uniform.kind = FigureRequest::Kind::Theory;
  const TheoryPrediction prediction = predictTheory(figureState(uniform));
  EXPECT_TRUE(theoryComparison(prediction, theoryTable(prediction), Language::English).startsWith("period T: theory 1.30·10⁻⁴ s, run — ("));
}

}  // namespace
}  // namespace larmor
