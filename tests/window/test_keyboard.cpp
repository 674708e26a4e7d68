// The window worked from the keyboard at the start-up client area (720 × 480): Tab walks
// the focusable controls in their order, and a bar that holds the focus moves on its keys
// as a standard scroll bar does, each key one change, with a mark that shows which bar it is.
#include "WindowTestSupport.h"

namespace larmor::test {
namespace {

class KeyboardTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    showWindow();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    ASSERT_EQ(window().centralWidget()->size(), QSize(720, 480));
  }
  // The control that holds the focus, by its name: a vertical bar's inner bar is the bar.
  QString focused() {
    QWidget* w = QApplication::focusWidget();
    if (w && qobject_cast<VerticalBar*>(w->parentWidget())) w = w->parentWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
  }
  void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
};

TEST_F(KeyboardTest, TabWalksEveryFocusableControlInItsOrder) {
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

// A bar clicked (on its thumb, which changes nothing) takes the focus; its keys then move it
// as its arrows and trough do, through the same change as the mouse: one key, one change,
// one recompute (none for the slow-down, which only stores its value).
TEST_F(KeyboardTest, AFocusedBarMovesOnItsKeysOneChangeAKey) {
  const struct { const char* name; int top, bottom, small, large; Qt::Key raise, lower; } rows[] = {
      {"VScroll4", 30000, 1, 100, 1000, Qt::Key_Up, Qt::Key_Down},
      {"VScroll10", 180, -180, 1, 10, Qt::Key_Up, Qt::Key_Down},
      {"HScroll1", 10, 0, 1, 1, Qt::Key_Right, Qt::Key_Left}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    QScrollBar* inner = innerBar(r.name);
    QTest::mouseClick(inner, Qt::LeftButton, {}, scrollBarPart(inner, QStyle::SC_ScrollBarSlider).center());
    ASSERT_EQ(focused(), QString::fromLatin1(r.name));
    const bool stores = QByteArray(r.name) == "HScroll1";
    // From the middle, so that no step is cut at an end; Home and End go to the ends.
    const int middle = (r.top + r.bottom) / 2;
    inner->setValue(stores ? middle : -middle);
    const struct { Qt::Key key; int expected; } keys[] = {
        {r.raise, middle + r.small}, {r.lower, middle}, {Qt::Key_PageUp, middle + r.large},
        {Qt::Key_PageDown, middle}, {Qt::Key_PageDown, middle - r.large}, {Qt::Key_Home, stores ? r.bottom : r.top},
        {Qt::Key_End, stores ? r.top : r.bottom}, {r.lower, stores ? r.top - r.small : r.bottom}};
    for (const auto& k : keys) {
      const int before = barValue(r.name), recomputes = window().recomputeCount();
      press(k.key);
      EXPECT_EQ(barValue(r.name), k.expected) << QTest::toString(k.key);
      EXPECT_EQ(window().recomputeCount() - recomputes, !stores && k.expected != before ? 1 : 0) << QTest::toString(k.key);
      expectShowsPanel();
    }
  }
}

// The focused bar shows a mark inside its own 22 × 48 px; the arrows and the thumb stay
// where they were, and the mark goes with the focus.
TEST_F(KeyboardTest, TheFocusedBarIsMarkedWithinItsEdge) {
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
