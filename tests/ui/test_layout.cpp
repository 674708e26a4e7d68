// The layout in the real window: the reference table at 720 × 480, wide, narrow and tiny
// client areas, and a minimised window.
#include "UiTestSupport.h"

#include "ui/PictureBox.h"

#include <QMenuBar>
#include <QTest>

#include <cmath>

namespace larmor::test {
namespace {

class LayoutTest : public WindowTest {
protected:
  void resizeClient(int width, int height) {
    const int menu = window().height() - window().centralWidget()->height();
    window().resize(width, height + menu);
    QTRY_COMPARE(window().centralWidget()->size(), QSize(width, height));
  }
  void expectNear(const char* name, double left, double top, double width, double height) {
    const QRect g = control<QWidget>(name)->geometry();
    EXPECT_LE(std::abs(g.left() - left), 0.5) << name << " left " << g.left();
    EXPECT_LE(std::abs(g.top() - top), 0.5) << name << " top " << g.top();
    EXPECT_LE(std::abs(g.width() - width), 0.5) << name << " width " << g.width();
    EXPECT_LE(std::abs(g.height() - height), 0.5) << name << " height " << g.height();
  }
};

TEST_F(LayoutTest, StartsWithTheReferenceLayoutAt720x480) {
  showWindow();
  ASSERT_EQ(window().centralWidget()->size(), QSize(720, 480));
  const struct {
    const char* name;
    double left, top, width, height;
  } rows[] = {
      {"Label1", 4, 4, 132, 24},          {"VScroll1", 136, 4, 22, 48},
      {"Label25", 4, 236, 132, 24},       {"Label11", 166, 4, 116.16, 24},
      {"VScroll5", 282.16, 4, 22, 48},    {"List1", 166, 56, 135.52, 48},
      {"Text2", 166, 236, 116.16, 24},    {"Label3", 309.52, 4, 66, 24},
      {"VScroll3", 375.52, 4, 22, 48},    {"Label23", 309.52, 184, 66, 24},
      {"HScroll1", 309.52, 216, 88, 24},  {"Label29", 342.52, 240, 22, 24},
      {"Label13", 398.52, 4, 132, 24},    {"Label26", 398.52, 116, 132, 24},
      {"CmdOK", 431.52, 224, 66, 24},     {"Image1", 534.52, 4, 181.48, 151.23},
      {"Picture1", 4, 268, 208, 208},     {"Picture2", 216, 268, 416, 208},
  };
  for (const auto& row : rows) expectNear(row.name, row.left, row.top, row.width, row.height);
  // The hidden inputs are placed too, ready to be shown.
  expectNear("Text1", 166, 132, 116.16, 24);
  // The retained pictures have the surfaces' sizes.
  EXPECT_EQ(control<PictureBox>("Picture2")->canvas().logicalSize(), QSize(416, 208));
}

// The sizes themselves are the pure layout's tests; here they reach the controls.
TEST_F(LayoutTest, WideAndTooSmallClientAreasReachTheControls) {
  showWindow();
  resizeClient(1200, 700);
  expectNear("Image1", 534.52, 4, 300, 250);
  expectNear("Picture2", 436, 268, 856, 428);
  const int before = window().recomputeCount();
  resizeClient(300, 200);  // smaller than the panel: zero sizes, no failure
  EXPECT_GT(window().recomputeCount(), before);
  expectNear("Image1", 534.52, 4, 0, 0);
  expectNear("Picture1", 4, 196, 0, 0);
  expectNear("Label26", 398.52, 116, 132, 24);  // the panel never moves
}

TEST_F(LayoutTest, AMinimisedWindowComesBackWhole) {
  showWindow();
  window().showMinimized();
  QTest::qWait(20);
  window().showNormal();
  QTRY_COMPARE(window().centralWidget()->size(), QSize(720, 480));
  expectNear("Picture1", 4, 268, 208, 208);
}

}  // namespace
}  // namespace larmor::test
