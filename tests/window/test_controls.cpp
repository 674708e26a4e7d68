// The window's building blocks alone: the Symbol-font captions and the vertical bar whose
// top is its largest value.
#include "ui/SymbolFont.h"
#include "ui/VerticalBar.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
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

// The bar of the speed: 30000 at the top, 1 at the bottom, steps 100 and 1000; keys and the
// wheel move it the way a bar with its largest value on top does, and report once. (The
// mouse on every bar of the window, at its laid-out size, is the bar mouse test's.)
TEST(VerticalBar, KeysAndWheelMoveItTheWayOfATopToBottomRange) {
  VerticalBar bar{30000, 1, 100, 1000, 22000};
  QSignalSpy changes(&bar, &VerticalBar::valueChanged);
  bar.resize(22, 300);
  bar.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  QScrollBar* inner = bar.scrollBar();
  // key 0: the wheel turned forward; expected 0: above the start.
  const struct { Qt::Key key; int expected; } rows[] = {
      {Qt::Key_Up, 22100}, {Qt::Key_Down, 21900}, {Qt::Key_PageUp, 23000}, {Qt::Key_PageDown, 21000},
      {Qt::Key_Home, 30000}, {Qt::Key_End, 1}, {Qt::Key(0), 0}};
  for (const auto& r : rows) {
    bar.setValue(22000);
    changes.clear();
    const QPointF at = inner->rect().center();
    QWheelEvent wheel(at, inner->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    if (r.key) QTest::keyClick(inner, r.key);
    else QApplication::sendEvent(inner, &wheel);
    if (r.expected) EXPECT_EQ(bar.value(), r.expected) << r.key;
    else EXPECT_GT(bar.value(), 22000) << "wheel";
    ASSERT_EQ(changes.size(), 1) << r.key;  // reported once, with the new value
    EXPECT_EQ(changes.front().front().toInt(), bar.value()) << r.key;
  }
  bar.setValue(40000);
  EXPECT_EQ(bar.value(), 30000);
  bar.setValue(-7);
  EXPECT_EQ(bar.value(), 1);
}

}  // namespace
}  // namespace larmor
