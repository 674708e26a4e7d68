// The window's building blocks alone: the Symbol-font captions, the vertical bar whose
// top is its largest value, and the proportional layout.
#include "ui/ProportionalLayout.h"
#include "ui/SymbolFont.h"
#include "ui/VerticalBar.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace larmor {
namespace {

TEST(SymbolFont, LatinLettersShowAsTheGreekOfTheFont) {
  const struct {
    const char* stored;
    const char* shown;
  } rows[] = {
      {"a", "α"}, {"b", "β"}, {"q", "θ"}, {"w", "ω"}, {"f", "φ"}, {"c", "χ"},
      {"D", "Δ"}, {"W", "Ω"}, {"J", "ϑ"}, {"abz", "αβζ"},
      {"a, b=1", "α, β=1"},   // digits, blanks and punctuation stay
      {"Кл", "Кл"},           // so do letters of other scripts
      {"", ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(symbolFontToUnicode(QString::fromUtf8(row.stored)), QString::fromUtf8(row.shown))
        << row.stored;
  }
}

// The bar of the speed: 30000 at the top, 1 at the bottom, steps 100 and 1000.
class VerticalBarTest : public ::testing::Test {
public:  // the gesture rows reach the bar through a reference to the fixture
  VerticalBar bar{30000, 1, 100, 1000, 22000};
  QSignalSpy changes{&bar, &VerticalBar::valueChanged};

  void SetUp() override {
    bar.resize(22, 300);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  }
  QRect part(QStyle::SubControl which) {
    QScrollBar* inner = bar.scrollBar();
    QStyleOptionSlider option;
    option.initFrom(inner);
    option.subControls = QStyle::SC_All;
    option.orientation = Qt::Vertical;
    option.minimum = inner->minimum();
    option.maximum = inner->maximum();
    option.sliderPosition = inner->sliderPosition();
    option.sliderValue = inner->value();
    option.singleStep = inner->singleStep();
    option.pageStep = inner->pageStep();
    return inner->style()->subControlRect(QStyle::CC_ScrollBar, &option, which, inner);
  }
};

TEST_F(VerticalBarTest, EveryUpwardGestureIncreasesTheValue) {
  const struct {
    const char* gesture;
    std::function<void(VerticalBarTest&)> act;
    int expected;
  } rows[] = {
      {"top arrow", [](VerticalBarTest& t) {
         QTest::mouseClick(t.bar.scrollBar(), Qt::LeftButton, {},
                           t.part(QStyle::SC_ScrollBarSubLine).center());
       }, 22100},
      {"bottom arrow", [](VerticalBarTest& t) {
         QTest::mouseClick(t.bar.scrollBar(), Qt::LeftButton, {},
                           t.part(QStyle::SC_ScrollBarAddLine).center());
       }, 21900},
      {"trough above the thumb", [](VerticalBarTest& t) {
         QTest::mouseClick(t.bar.scrollBar(), Qt::LeftButton, {},
                           t.part(QStyle::SC_ScrollBarSubPage).center());
       }, 23000},
      {"trough below the thumb", [](VerticalBarTest& t) {
         QTest::mouseClick(t.bar.scrollBar(), Qt::LeftButton, {},
                           t.part(QStyle::SC_ScrollBarAddPage).center());
       }, 21000},
      {"Up key", [](VerticalBarTest& t) { QTest::keyClick(t.bar.scrollBar(), Qt::Key_Up); }, 22100},
      {"Down key", [](VerticalBarTest& t) { QTest::keyClick(t.bar.scrollBar(), Qt::Key_Down); }, 21900},
      {"Home", [](VerticalBarTest& t) { QTest::keyClick(t.bar.scrollBar(), Qt::Key_Home); }, 30000},
      {"End", [](VerticalBarTest& t) { QTest::keyClick(t.bar.scrollBar(), Qt::Key_End); }, 1},
      {"wheel forward", [](VerticalBarTest& t) {
         QScrollBar* inner = t.bar.scrollBar();
         const QPointF at = inner->rect().center();
         QWheelEvent wheel(at, inner->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
         QApplication::sendEvent(inner, &wheel);
       }, -1},
  };
  for (const auto& row : rows) {
    bar.setValue(22000);
    changes.clear();
    row.act(*this);
    if (row.expected < 0) {
      EXPECT_GT(bar.value(), 22000) << row.gesture;
    } else {
      EXPECT_EQ(bar.value(), row.expected) << row.gesture;
    }
    ASSERT_EQ(changes.size(), 1) << row.gesture;
    EXPECT_EQ(changes.front().front().toInt(), bar.value()) << row.gesture;
  }
}

TEST_F(VerticalBarTest, KeepsItsRangeAndReportsADraggedThumbOnceOnRelease) {
  EXPECT_EQ(bar.top(), 30000);
  EXPECT_EQ(bar.bottom(), 1);
  EXPECT_EQ(bar.smallChange(), 100);
  EXPECT_EQ(bar.largeChange(), 1000);
  bar.setValue(40000);
  EXPECT_EQ(bar.value(), 30000);
  bar.setValue(-7);
  EXPECT_EQ(bar.value(), 1);

  bar.setValue(15000);
  changes.clear();
  const QPoint thumb = part(QStyle::SC_ScrollBarSlider).center();
  QScrollBar* inner = bar.scrollBar();
  QTest::mousePress(inner, Qt::LeftButton, {}, thumb);
  for (int dy = 5; dy <= 40; dy += 5) QTest::mouseMove(inner, thumb - QPoint(0, dy));
  EXPECT_EQ(changes.size(), 0) << "no change while the thumb is dragged";
  QTest::mouseRelease(inner, Qt::LeftButton, {}, thumb - QPoint(0, 40));
  ASSERT_EQ(changes.size(), 1);
  EXPECT_GT(bar.value(), 15000) << "dragged towards the top";
}

TEST(ProportionalLayout, OnlyTheIllustrationAndThePicturesFollowTheClientArea) {
  const struct {
    const char* situation;
    double width, height;
    double imageWidth, pictureSide, pictureTop;
  } rows[] = {
      {"wide", 1400, 900, 300, 628, 268},
      {"just 300 wide", 534.52 + 300 + 4, 480, 300, 208, 268},
      {"narrow", 600, 480, 61.48, 208, 268},
      {"narrower than the panel", 400, 200, 0, 0, 196},
      {"minimised to nothing", 0, 0, 0, 0, -4},
  };
  const auto panel = proportionalLayout(720, 480);
  for (const auto& row : rows) {
    const auto layout = proportionalLayout(row.width, row.height);
    ASSERT_EQ(layout.size(), panel.size());
    for (size_t i = 0; i < layout.size(); ++i) {
      const PlacedControl& c = layout[i];
      const std::string name = c.name;
      EXPECT_GE(c.width, 0) << row.situation << " " << name;
      EXPECT_GE(c.height, 0) << row.situation << " " << name;
      if (name == "Image1") {
        EXPECT_NEAR(c.width, row.imageWidth, 1e-9) << row.situation;
        EXPECT_NEAR(c.height, row.imageWidth * 5 / 6, 1e-9) << row.situation;
      } else if (name == "Picture1" || name == "Picture2") {
        const double factor = name == "Picture1" ? 1 : 2;
        EXPECT_NEAR(c.width, factor * row.pictureSide, 1e-9) << row.situation << " " << name;
        EXPECT_NEAR(c.height, row.pictureSide, 1e-9) << row.situation << " " << name;
        EXPECT_NEAR(c.top, row.pictureTop, 1e-9) << row.situation << " " << name;
      } else {
        EXPECT_EQ(c.left, panel[i].left) << row.situation << " " << name;
        EXPECT_EQ(c.top, panel[i].top) << row.situation << " " << name;
        EXPECT_EQ(c.width, panel[i].width) << row.situation << " " << name;
      }
    }
  }
}

}  // namespace
}  // namespace larmor
