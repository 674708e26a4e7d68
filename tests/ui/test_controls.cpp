// The window's building blocks alone: the Symbol-font captions and the vertical bar whose
// top is its largest value.
#include "ui/SymbolFont.h"
#include "ui/VerticalBar.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

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
    o.subControls = QStyle::SC_All, o.orientation = Qt::Vertical, o.minimum = inner->minimum();
    o.maximum = inner->maximum(), o.sliderPosition = o.sliderValue = inner->value(), o.pageStep = inner->pageStep();
    return inner->style()->subControlRect(QStyle::CC_ScrollBar, &o, which, inner).center();
  };
  // click SC_None: the key, or the wheel without one; expected 0: above the start.
  const struct { const char* gesture; QStyle::SubControl click; Qt::Key key; int expected; } rows[] = {
      {"top arrow", QStyle::SC_ScrollBarSubLine, {}, 22100}, {"bottom arrow", QStyle::SC_ScrollBarAddLine, {}, 21900},
      {"trough above", QStyle::SC_ScrollBarSubPage, {}, 23000}, {"trough below", QStyle::SC_ScrollBarAddPage, {}, 21000},
      {"Up", QStyle::SC_None, Qt::Key_Up, 22100}, {"Down", QStyle::SC_None, Qt::Key_Down, 21900},
      {"Home", QStyle::SC_None, Qt::Key_Home, 30000}, {"End", QStyle::SC_None, Qt::Key_End, 1},
      {"wheel forward", QStyle::SC_None, Qt::Key(0), 0},
  };
  for (const auto& r : rows) {
    bar.setValue(22000);
    changes.clear();
    const QPointF at = inner->rect().center();
    QWheelEvent wheel(at, inner->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    if (r.click != QStyle::SC_None) QTest::mouseClick(inner, Qt::LeftButton, {}, part(r.click));
    else if (r.key) QTest::keyClick(inner, r.key);
    else QApplication::sendEvent(inner, &wheel);
    if (r.expected) EXPECT_EQ(bar.value(), r.expected) << r.gesture;
    else EXPECT_GT(bar.value(), 22000) << r.gesture;
    ASSERT_EQ(changes.size(), 1) << r.gesture;  // reported once, with the new value
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
  EXPECT_TRUE(changes.size() == 1 && bar.value() > 15000) << "dragged towards the top";
}

}  // namespace
}  // namespace larmor
