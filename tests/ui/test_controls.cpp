// The window's building blocks alone: the Symbol-font captions, the vertical bar whose
// top is its largest value, and the proportional layout.
#include "ui/ProportionalLayout.h"
#include "ui/SymbolFont.h"
#include "ui/VerticalBar.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>

namespace larmor {
namespace {

TEST(SymbolFont, LatinLettersShowAsTheGreekOfTheFont) {
  const char* rows[][2] = {{"a", "α"}, {"b", "β"}, {"q", "θ"}, {"w", "ω"}, {"f", "φ"}, {"c", "χ"}, {"D", "Δ"},
                           {"W", "Ω"}, {"J", "ϑ"}, {"abz", "αβζ"}, {"a, b=1", "α, β=1"}, {"Кл", "Кл"}, {"", ""}};
  for (const auto& [stored, shown] : rows)
    EXPECT_EQ(symbolFontToUnicode(QString::fromUtf8(stored)), QString::fromUtf8(shown)) << stored;
}

// The bar of the speed: 30000 at the top, 1 at the bottom, steps 100 and 1000; every gesture
// moves it the way a bar with its largest value on top does, and reports once.
TEST(VerticalBar, GesturesMoveItTheWayOfATopToBottomRange) {
  VerticalBar bar{30000, 1, 100, 1000, 22000};
  QSignalSpy changes(&bar, &VerticalBar::valueChanged);
  bar.resize(22, 300);
  bar.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  QScrollBar* inner = bar.scrollBar();
  auto part = [inner](QStyle::SubControl which) {
    QStyleOptionSlider o;
    o.initFrom(inner);
    o.subControls = QStyle::SC_All, o.orientation = Qt::Vertical;
    o.minimum = inner->minimum(), o.maximum = inner->maximum();
    o.sliderPosition = o.sliderValue = inner->value();
    o.singleStep = inner->singleStep(), o.pageStep = inner->pageStep();
    return inner->style()->subControlRect(QStyle::CC_ScrollBar, &o, which, inner).center();
  };
  const struct {
    const char* gesture;
    QStyle::SubControl click;  // SC_None: the key, or the wheel without one
    Qt::Key key;
    int expected;  // 0: above the start
  } rows[] = {
      {"top arrow", QStyle::SC_ScrollBarSubLine, {}, 22100}, {"bottom arrow", QStyle::SC_ScrollBarAddLine, {}, 21900},
      {"trough above", QStyle::SC_ScrollBarSubPage, {}, 23000}, {"trough below", QStyle::SC_ScrollBarAddPage, {}, 21000},
      {"Up", QStyle::SC_None, Qt::Key_Up, 22100}, {"Down", QStyle::SC_None, Qt::Key_Down, 21900},
      {"Home", QStyle::SC_None, Qt::Key_Home, 30000}, {"End", QStyle::SC_None, Qt::Key_End, 1},
      {"wheel forward", QStyle::SC_None, Qt::Key(0), 0},
  };
  for (const auto& r : rows) {
    bar.setValue(22000);
    changes.clear();
    if (r.click != QStyle::SC_None) {
      QTest::mouseClick(inner, Qt::LeftButton, {}, part(r.click));
    } else if (r.key) {
      QTest::keyClick(inner, r.key);
    } else {
      const QPointF at = inner->rect().center();
      QWheelEvent wheel(at, inner->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
      QApplication::sendEvent(inner, &wheel);
    }
    if (r.expected) EXPECT_EQ(bar.value(), r.expected) << r.gesture;
    else EXPECT_GT(bar.value(), 22000) << r.gesture;
    ASSERT_EQ(changes.size(), 1) << r.gesture;
    EXPECT_EQ(changes.front().front().toInt(), bar.value()) << r.gesture;
  }
  bar.setValue(40000);
  EXPECT_EQ(bar.value(), 30000);
  bar.setValue(-7);
  EXPECT_EQ(bar.value(), 1);

  // Tracking off: a dragged thumb reports one change, on release.
  bar.setValue(15000);
  changes.clear();
  const QPoint thumb = part(QStyle::SC_ScrollBarSlider);
  QTest::mousePress(inner, Qt::LeftButton, {}, thumb);
  for (int dy = 5; dy <= 40; dy += 5) QTest::mouseMove(inner, thumb - QPoint(0, dy));
  EXPECT_EQ(changes.size(), 0);
  QTest::mouseRelease(inner, Qt::LeftButton, {}, thumb - QPoint(0, 40));
  ASSERT_EQ(changes.size(), 1);
  EXPECT_GT(bar.value(), 15000) << "dragged towards the top";
}

// Only the illustration and the pictures follow the client area; sizes never go negative.
TEST(ProportionalLayout, OnlyTheIllustrationAndThePicturesFollowTheClientArea) {
  const struct {
    const char* situation;
    double width, height, imageWidth, pictureSide, pictureTop;
  } rows[] = {
      {"wide", 1400, 900, 300, 628, 268},         {"just 300 wide", 534.52 + 300 + 4, 480, 300, 208, 268},
      {"narrow", 600, 480, 61.48, 208, 268},      {"narrower than the panel", 400, 200, 0, 0, 196},
      {"minimised to nothing", 0, 0, 0, 0, -4},
  };
  const auto panel = proportionalLayout(720, 480);
  for (const auto& r : rows) {
    const auto layout = proportionalLayout(r.width, r.height);
    ASSERT_EQ(layout.size(), panel.size());
    for (size_t i = 0; i < layout.size(); ++i) {
      const PlacedControl& c = layout[i];
      const std::string name = c.name;
      SCOPED_TRACE(r.situation + (" " + name));
      EXPECT_GE(std::min(c.width, c.height), 0);
      if (name == "Image1") {
        EXPECT_NEAR(c.width, r.imageWidth, 1e-9);
        EXPECT_NEAR(c.height, r.imageWidth * 5 / 6, 1e-9);
      } else if (name == "Picture1" || name == "Picture2") {
        EXPECT_NEAR(c.width, (name == "Picture1" ? 1 : 2) * r.pictureSide, 1e-9);
        EXPECT_NEAR(c.height, r.pictureSide, 1e-9);
        EXPECT_NEAR(c.top, r.pictureTop, 1e-9);
      } else {
        EXPECT_EQ(c.left, panel[i].left);
        EXPECT_EQ(c.top, panel[i].top);
        EXPECT_EQ(c.width, panel[i].width);
      }
    }
  }
}

}  // namespace
}  // namespace larmor
