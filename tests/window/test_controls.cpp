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

// The bar of the speed: 30000 at the top, 1 at the bottom. The wheel turned forward raises
// it, as the keys do, and it reports once. (Its ends, keys and mouse in the window, at the
// laid-out size, are the keyboard and bar mouse tests'.)
TEST(VerticalBar, TheWheelRaisesItOnce) {
  VerticalBar bar{30000, 1, 100, 1000, 22000};
  QSignalSpy changes(&bar, &VerticalBar::valueChanged);
  bar.resize(22, 300);
  bar.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  QScrollBar* inner = bar.scrollBar();
  const QPointF at = inner->rect().center();
  QWheelEvent wheel(at, inner->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
  QApplication::sendEvent(inner, &wheel);
  EXPECT_GT(bar.value(), 22000);
  ASSERT_EQ(changes.size(), 1);  // reported once, with the new value
  EXPECT_EQ(changes.front().front().toInt(), bar.value());
}

}  // namespace
}  // namespace larmor
