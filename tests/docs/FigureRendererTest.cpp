#include "docgen/FigureRenderer.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace larmor {
namespace {

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
  int red = 0, blue = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      red += qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90;
      blue += qBlue(p) > 150 && qRed(p) < 90 && qGreen(p) < 90;
    }
  EXPECT_GT(std::min(red, blue), image.width() / 2) << red << " " << blue;
}

}  // namespace
}  // namespace larmor
