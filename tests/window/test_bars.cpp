// The bars and the list worked with the mouse and the keyboard at the size the layout gives
// them in the start-up client area (720 × 480): a vertical bar is 22 × 48 px, the slow-down
// bar 88 × 24 px. Arrows and keys move by the small change, the trough on either side of the
// thumb and the page keys by the large change (and again while held), a dragged thumb sets
// the value where it is released, as one change; Tab walks the focusable controls in their
// order, with a mark that shows which bar holds the focus.
#include "WindowTestSupport.h"

#include <algorithm>
#include <cstdlib>

namespace larmor::test {
namespace {

class BarTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    showWindow();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    ASSERT_EQ(window().centralWidget()->size(), QSize(720, 480));
  }
  // A bar as the user sees it: its value is largest at the top (vertical) or on the right.
  struct Bar {
    QScrollBar* inner;
    bool vertical;
    int value() const { return vertical ? -inner->value() : inner->value(); }
    QPoint at(QStyle::SubControl part) const { return scrollBarPart(inner, part).center(); }
    // The arrow and the side of the trough that raise the value (up) or lower it.
    QStyle::SubControl arrow(bool up) const {
      return vertical == up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine;
    }
    QStyle::SubControl trough(bool up) const {
      return vertical == up ? QStyle::SC_ScrollBarSubPage : QStyle::SC_ScrollBarAddPage;
    }
    // A point 20 px past the end of the bar that holds the highest (up) or lowest value.
    QPoint pastEnd(bool up) const {
      const QPoint thumb = at(QStyle::SC_ScrollBarSlider);
      if (vertical) return {thumb.x(), up ? -20 : inner->height() + 20};
      return {up ? inner->width() + 20 : -20, thumb.y()};
    }
  };
  Bar bar(const char* name) {
    QWidget* named = control(name);
    auto* vertical = qobject_cast<VerticalBar*>(named);
    Bar b{vertical ? vertical->scrollBar() : qobject_cast<QScrollBar*>(named), vertical != nullptr};
    EXPECT_EQ(QRect(b.inner->mapTo(named, QPoint()), b.inner->size()), named->rect())
        << name << ": the mouse meets the bar wherever the layout put it";
    return b;
  }

  // Press on the thumb, move in steps of 2 px to `to`, release there: nothing may change
  // before the release, and a changed vertical bar recomputes once.
  void dragThumb(const Bar& b, QPoint to) {
    const QPoint from = b.at(QStyle::SC_ScrollBarSlider);
    const int before = b.value(), recomputes = window().recomputeCount();
    QTest::mousePress(b.inner, Qt::LeftButton, {}, from);
    const QPoint step = to - from;
    const int steps = std::max(1, std::max(std::abs(step.x()), std::abs(step.y())) / 2);
    for (int i = 1; i <= steps; ++i) QTest::mouseMove(b.inner, from + step * i / steps);
    EXPECT_EQ(std::pair(b.value(), window().recomputeCount()), std::pair(before, recomputes)) << "changed while dragged";
    QTest::mouseRelease(b.inner, Qt::LeftButton, {}, to);
    EXPECT_EQ(window().recomputeCount() - recomputes, b.vertical && b.value() != before ? 1 : 0);
  }

  // The control that holds the focus, by its name: a vertical bar's inner bar is the bar.
  QString focused() {
    QWidget* w = QApplication::focusWidget();
    if (w && qobject_cast<VerticalBar*>(w->parentWidget())) w = w->parentWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
  }
  void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
};

TEST_F(BarTest, ArrowsTroughThumbAndKeysOfEveryKindOfBar) {
  // top and bottom: the values at the two ends; small and large: the changes.
  const struct { const char* name; int top, bottom, small, large; } rows[] = {
      {"VScroll3", 10, 1, 1, 1}, {"VScroll6", 180, 0, 1, 10}, {"VScroll10", 180, -180, 1, 10},
      {"VScroll4", 30000, 1, 100, 1000}, {"HScroll1", 10, 0, 1, 1}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const Bar b = bar(r.name);
    EXPECT_EQ(b.inner->size(), b.vertical ? QSize(22, 48) : QSize(88, 24));
    auto shows = [&](int expected) {  // on the bar, in the panel, and the panel on the window
      EXPECT_EQ(b.value(), expected);
      expectShowsPanel();
    };
    auto click = [&](QStyle::SubControl part) {
      const QRect where = scrollBarPart(b.inner, part);
      ASSERT_FALSE(where.isEmpty()) << "part " << part << " has no room";
      QTest::mouseClick(b.inner, Qt::LeftButton, {}, where.center());
    };
    // From the middle of the range, each side once: one change, one recompute (none for the
    // slow-down, which only stores its value).
    for (const bool up : {true, false}) {
      for (const bool large : {false, true}) {
        const int before = b.value(), recomputes = window().recomputeCount();
        click(large ? b.trough(up) : b.arrow(up));
        shows(before + (up ? 1 : -1) * (large ? r.large : r.small));
        EXPECT_EQ(window().recomputeCount() - recomputes, b.vertical ? 1 : 0) << (large ? "trough" : "arrow");
      }
    }
    // The thumb dragged past either end gives that end's value, and an arrow then moves it
    // back by one small change.
    dragThumb(b, b.pastEnd(false));
    shows(r.bottom);
    click(b.arrow(true));
    shows(r.bottom + r.small);
    dragThumb(b, b.pastEnd(true));
    shows(r.top);
    // Dragged from the top by half its travel, the value is half-way, give or take what one
    // pixel of travel is worth.
    const QRect thumb = scrollBarPart(b.inner, QStyle::SC_ScrollBarSlider);
    const QRect travel = scrollBarPart(b.inner, QStyle::SC_ScrollBarGroove);
    const int halfway = (b.vertical ? travel.height() - thumb.height() : travel.width() - thumb.width()) / 2;
    ASSERT_GE(halfway, 4) << "the thumb has no room to move";
    dragThumb(b, thumb.center() + (b.vertical ? QPoint(0, halfway) : QPoint(-halfway, 0)));
    const int perPixel = (r.top - r.bottom) / (2 * halfway) + 1;
    EXPECT_NEAR(b.value(), (r.top + r.bottom) / 2, perPixel);
    shows(b.value());
    // A click on the thumb, which changes nothing, gives the bar the focus; its keys then
    // move it as its arrows and trough do: one key, one change, one recompute. From the
    // middle, so that no step is cut at an end; Home and End go to the ends.
    QTest::mouseClick(b.inner, Qt::LeftButton, {}, b.at(QStyle::SC_ScrollBarSlider));
    ASSERT_EQ(focused(), QString::fromLatin1(r.name));
    const int middle = (r.top + r.bottom) / 2;
    b.inner->setValue(b.vertical ? -middle : middle);
    const Qt::Key raise = b.vertical ? Qt::Key_Up : Qt::Key_Right, lower = b.vertical ? Qt::Key_Down : Qt::Key_Left;
    const struct { Qt::Key key; int expected; } keys[] = {
        {raise, middle + r.small}, {lower, middle}, {Qt::Key_PageUp, middle + r.large},
        {Qt::Key_PageDown, middle}, {Qt::Key_PageDown, middle - r.large}, {Qt::Key_Home, b.vertical ? r.top : r.bottom},
        {Qt::Key_End, b.vertical ? r.bottom : r.top}, {lower, b.vertical ? r.bottom : r.top - r.small}};
    for (const auto& k : keys) {
      const int before = b.value(), recomputes = window().recomputeCount();
      press(k.key);
      shows(k.expected);
      EXPECT_EQ(window().recomputeCount() - recomputes, b.vertical && k.expected != before ? 1 : 0) << QTest::toString(k.key);
    }
  }
}

// The structure list is as short as the bars (48 px): its own bar must leave a trough to
// click and a thumb to drag, or the last entries cannot be reached with the mouse.
TEST_F(BarTest, TheListsOwnBarScrollsWithArrowTroughAndThumb) {
  auto* list = control<QListWidget>("List1");
  ASSERT_NE(list, nullptr);
  QScrollBar* inner = list->verticalScrollBar();
  ASSERT_TRUE(inner->isVisible());
  ASSERT_GT(inner->maximum(), 0) << "all entries fit: nothing to scroll";
  const QRect thumb = scrollBarPart(inner, QStyle::SC_ScrollBarSlider);
  const QRect below = scrollBarPart(inner, QStyle::SC_ScrollBarAddPage);
  ASSERT_FALSE(below.isEmpty()) << "no trough below the thumb";
  QTest::mouseClick(inner, Qt::LeftButton, {}, below.center());
  EXPECT_EQ(inner->value(), std::min(inner->maximum(), inner->pageStep()));
  QTest::mouseClick(inner, Qt::LeftButton, {}, scrollBarPart(inner, QStyle::SC_ScrollBarSubLine).center());
  EXPECT_EQ(inner->value(), std::min(inner->maximum(), inner->pageStep()) - 1);
  // The thumb dragged to the bottom shows the last entry.
  const QPoint from = scrollBarPart(inner, QStyle::SC_ScrollBarSlider).center();
  QTest::mousePress(inner, Qt::LeftButton, {}, from);
  for (int y = from.y(); y <= inner->height() + 20; y += 2) QTest::mouseMove(inner, QPoint(from.x(), y));
  QTest::mouseRelease(inner, Qt::LeftButton, {}, QPoint(from.x(), inner->height() + 20));
  EXPECT_EQ(inner->value(), inner->maximum());
  const QRect last = list->visualItemRect(list->item(list->count() - 1));
  EXPECT_TRUE(list->viewport()->rect().contains(last.center())) << "the last entry is not in view";
  EXPECT_GE(thumb.height(), 4);
}

TEST_F(BarTest, TabWalksEveryFocusableControlInItsOrder) {
  select("Магнитная ловушка");  // a structure that shows both length inputs
  ASSERT_TRUE(window().panel().showsS() && window().panel().showsD());
  control("CmdOK")->setFocus(Qt::TabFocusReason);
  const QStringList order = {"CmdOK",    "VScroll1", "VScroll2", "VScroll3", "Picture1", "List1",
                             "Text2",    "Picture2", "VScroll4", "VScroll5", "VScroll6", "VScroll7",
                             "VScroll8", "VScroll9", "VScroll10", "Text1",   "Text3",    "HScroll1", "CmdOK"};
  QStringList walked{focused()};
  for (int i = 1; i < order.size(); ++i) press(Qt::Key_Tab), walked << focused();
  EXPECT_EQ(walked.join(" ").toStdString(), order.join(" ").toStdString());
  press(Qt::Key_Backtab);
  EXPECT_EQ(focused(), QStringLiteral("HScroll1"));
}

// The focused bar shows a mark inside its own 22 × 48 px; the arrows and the thumb stay
// where they were, and the mark goes with the focus.
TEST_F(BarTest, TheFocusedBarIsMarkedWithinItsEdge) {
  QScrollBar* inner = innerBar("VScroll6");
  ASSERT_EQ(inner->size(), QSize(22, 48));
  control("CmdOK")->setFocus(Qt::TabFocusReason);
  const QImage plain = inner->grab().toImage();
  inner->setFocus(Qt::TabFocusReason);
  const QImage marked = inner->grab().toImage();
  ASSERT_EQ(plain.size(), marked.size());
  int onEdge = 0, inside = 0;
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < plain.width(); ++x) {
      if (plain.pixel(x, y) == marked.pixel(x, y)) continue;
      const bool edge = x < 3 || y < 3 || x >= plain.width() - 3 || y >= plain.height() - 3;
      (edge ? onEdge : inside) += 1;
    }
  EXPECT_GE(onEdge, 2 * (22 + 48)) << "a frame along the whole edge";
  EXPECT_EQ(inside, 0) << "arrows and thumb unchanged";
  press(Qt::Key_Tab);
  EXPECT_EQ(inner->grab().toImage(), plain);
}

}  // namespace
}  // namespace larmor::test
