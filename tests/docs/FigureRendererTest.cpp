#include "docgen/FigureRenderer.h"

#include <QColor>
#include <QImage>

#include <algorithm>
#include <tuple>

#include <gtest/gtest.h>

namespace larmor {
namespace {

FigureSpec spec(const char* address) {
  auto parsed = parseFigureUrl(QString::fromUtf8(address));
  EXPECT_TRUE(parsed.has_value()) << address;
  return parsed.value_or(FigureSpec{});
}

// Pixels of exactly one colour within [left, right) of the image, in image pixels.
int countColour(const QImage& image, QRgb colour, int left, int right) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = left; x < right; ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
  return n;
}

// Pixels clearly of one primary (smoothed edges included): that channel strong, the
// other two weak, so magenta (red and blue) counts as neither red nor blue.
int countTinted(const QImage& image, int channel) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = QColor::fromRgb(image.pixel(x, y));
      const int v[3] = {c.red(), c.green(), c.blue()};
      const int others = std::max(v[(channel + 1) % 3], v[(channel + 2) % 3]);
      if (v[channel] > 150 && v[channel] - others > 60) ++n;
    }
  return n;
}

constexpr QRgb magenta = 0xFF00FF;
constexpr int red = 0;
constexpr int blue = 2;

TEST(FigureRenderer, PutsTheTwoViewsSideBySideAtTheStyleSize) {
  FigureStyle style;
  style.viewHeight = 120;
  style.gap = 10;
  style.captionHeight = 20;
  style.pixelRatio = 2;
  const QImage image = renderFigure(spec("larmor:field?config=1"), style);
  EXPECT_EQ(image.devicePixelRatio(), 2.0);
  EXPECT_EQ(image.width(), (3 * 120 + 10) * 2);
  EXPECT_EQ(image.height(), (120 + 20) * 2);

  // Configuration 5 draws its circles in the X0Y view only: the left picture has the
  // field's colour, the right one (X0Z) none.
  const QImage centrifugal = renderFigure(spec("larmor:field?config=5"), style);
  const int xyRight = 120 * 2;
  const int xzLeft = (120 + 10) * 2;
  EXPECT_GT(countColour(centrifugal, magenta, 0, xyRight), 100);
  EXPECT_EQ(countColour(centrifugal, magenta, xzLeft, centrifugal.width()), 0);
  // The uniform field draws in both.
  EXPECT_GT(countColour(image, magenta, 0, xyRight), 100);
  EXPECT_GT(countColour(image, magenta, xzLeft, image.width()), 100);
}

TEST(FigureRenderer, RunFigureAddsTheTrailInTheColourOfTheCharge) {
  FigureStyle style;
  style.viewHeight = 150;
  style.pixelRatio = 1;
  style.gap = 10;
  // A circle about the view's centre: the start point near the axis, inside both views.
  const char* field = "larmor:field?config=1&alpha=90&region=2&x0=0.2&y0=0&z0=0";
  const char* run = "larmor:run?config=1&alpha=90&region=2&x0=0.2&y0=0&z0=0&periods=1";
  const char* negativeRun =
      "larmor:run?config=1&alpha=90&region=2&x0=0.2&y0=0&z0=0&periods=1&charge=-1";
  const QImage before = renderFigure(spec(field), style);
  const QImage after = renderFigure(spec(run), style);
  const QImage negative = renderFigure(spec(negativeRun), style);

  // Without a run only the start stroke and the marker carry the trail colour.
  const int redBefore = countTinted(before, red);
  EXPECT_GT(countTinted(after, red), redBefore + 100) << "a circle of radius R must be drawn";
  EXPECT_LT(countTinted(after, blue), 10);
  EXPECT_GT(countTinted(negative, blue), redBefore + 100);
  EXPECT_LT(countTinted(negative, red), 10);
}

TEST(FigureRenderer, CountsTheStepsOfARunFigureOnly) {
  EXPECT_EQ(figureRunSteps(spec("larmor:field?config=1")), 0);
  // About N steps a period (the last one depends on the rounding of the summed time).
  for (const auto& [address, config, periods] :
       {std::tuple{"larmor:run?config=1&periods=1", 1, 1},
        std::tuple{"larmor:run?config=1&periods=2", 1, 2},
        std::tuple{"larmor:run?config=4&periods=1", 4, 1},
        std::tuple{"larmor:run?config=7&periods=2", 7, 2}}) {
    SCOPED_TRACE(address);
    const std::int64_t expected = std::int64_t{stepsPerPeriod(config)} * periods;
    const std::int64_t steps = figureRunSteps(spec(address));
    EXPECT_GE(steps, expected);
    EXPECT_LE(steps, expected + 1);
  }
}

}  // namespace
}  // namespace larmor
