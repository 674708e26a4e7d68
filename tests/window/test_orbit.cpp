// The 3-D view as a user meets it: opened after a run or during one, turned, panned and
// zoomed with the mouse and the keys.
#include "DiagnosticsTestSupport.h"

#include "ui/OrbitView.h"

#include <QCheckBox>
#include <QWheelEvent>

namespace larmor::test {
namespace {

class OrbitViewTest : public WindowTest {
protected:
  OrbitView* open() {
    control<QAction>("mnuOrbitView")->trigger();
    return window().orbitView();
  }
  // The path ends where the particle is, and holds the start and every step.
  void expectWholePath(OrbitView& view, std::int64_t steps) {
    EXPECT_EQ(view.picture().path.given(), steps + 1);
    ASSERT_FALSE(view.picture().path.points().empty());
    const Vec3 end = view.picture().path.points().back();
    EXPECT_EQ(std::tuple(end.x, end.y, end.z), std::tuple(window().state().x, window().state().y, window().state().z));
  }
};

TEST_F(OrbitViewTest, OpenedAfterARunShowsItAndTurnsWithTheMouseAndTheKeys) {
  showWindow();
  runAtFullSpeed();
  EXPECT_EQ(control<QAction>("mnuOrbitView")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_3));
  OrbitView* view = open();
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
  expectWholePath(*view, window().lastRunSteps());  // made again from the run's record
  EXPECT_EQ(view->picture().pathColour, colours::positive);

  OrbitCanvas* canvas = view->canvas();
  const OrbitCamera& camera = view->picture().camera;
  const QPoint centre = canvas->rect().center();
  // A left drag of 80 px right and 30 px down, in two moves: half a degree a pixel.
  drag(canvas, Qt::LeftButton, centre, centre + QPoint(80, 30));
  EXPECT_DOUBLE_EQ(camera.azimuth(), OrbitCamera::startAzimuth - 40);
  EXPECT_DOUBLE_EQ(camera.elevation(), OrbitCamera::startElevation + 15);
  // A move without a button held turns nothing.
  QTest::mouseMove(canvas, centre);
  EXPECT_DOUBLE_EQ(camera.azimuth(), OrbitCamera::startAzimuth - 40);

  // The right button, and Shift with the left, move the picture with the pointer.
  const ScreenPoint before = camera.project({0, 0, 0});
  drag(canvas, Qt::RightButton, centre, centre + QPoint(-25, 12));
  drag(canvas, Qt::LeftButton, centre, centre + QPoint(5, 8), Qt::ShiftModifier);
  const ScreenPoint after = camera.project({0, 0, 0});
  EXPECT_DOUBLE_EQ(after.x - before.x, -20);
  EXPECT_DOUBLE_EQ(after.y - before.y, 20);
  EXPECT_DOUBLE_EQ(camera.azimuth(), OrbitCamera::startAzimuth - 40);

  // One notch of the wheel towards the screen zooms in by a notch.
  QWheelEvent wheel(QPointF(centre), canvas->mapToGlobal(QPointF(centre)), {}, QPoint(0, 120), Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas, &wheel);
  EXPECT_DOUBLE_EQ(camera.zoom(), OrbitCamera::zoomPerNotch);

  // The keys: arrows turn by 5°, + zooms, Home returns; a double click returns too.
  QTest::keyClick(canvas, Qt::Key_Left);
  QTest::keyClick(canvas, Qt::Key_Up);
  EXPECT_DOUBLE_EQ(camera.azimuth(), OrbitCamera::startAzimuth - 35);
  EXPECT_DOUBLE_EQ(camera.elevation(), OrbitCamera::startElevation + 10);
  QTest::keyClick(canvas, Qt::Key_Plus);
  EXPECT_DOUBLE_EQ(camera.zoom(), OrbitCamera::zoomPerNotch * OrbitCamera::zoomPerNotch);
  QTest::keyClick(canvas, Qt::Key_Home);
  EXPECT_EQ(std::tuple(camera.azimuth(), camera.elevation(), camera.zoom()),
            std::tuple(OrbitCamera::startAzimuth, OrbitCamera::startElevation, 1.0));
  QTest::keyClick(canvas, Qt::Key_Right);
  QTest::mouseDClick(canvas, Qt::LeftButton, {}, centre);
  EXPECT_DOUBLE_EQ(camera.azimuth(), OrbitCamera::startAzimuth);
  EXPECT_EQ(camera.project({0, 0, 0}).x, canvas->width() / 2.0);

  // The theory's box draws the guiding centre's path, made again for a new start.
  auto* theory = view->findChild<QCheckBox*>(QStringLiteral("orbitTheory"));
  ASSERT_NE(theory, nullptr);
  QTest::mouseClick(theory, Qt::LeftButton, {}, QPoint(8, theory->height() / 2));
  ASSERT_TRUE(view->picture().showTheory && view->picture().theory.size() == 1u);
  const Vec3 theoryStart = view->picture().theory[0].points.front();

  // A recompute empties the path and leaves the particle at the start.
  moveBar("VScroll6", window().panel().position(Bar::VScroll6) + 1);
  EXPECT_EQ(view->picture().path.given(), 0);
  view->refresh();
  EXPECT_NE(view->picture().theory[0].points.front().x, theoryStart.x) << "another pitch angle, another centre";
}

// Opened during a paced run, the view shows the steps made so far and then follows every
// step; resized and closed mid-run, the run goes on to its end (under the sanitizers in
// the sanitized build).
TEST_F(OrbitViewTest, OpenedResizedAndClosedDuringARunFollowsItLive) {
  showWindow();
  setSlowdown(1);
  int steps = 0;
  std::vector<std::int64_t> seen;
  QObject::connect(&window(), &Form1::runStepped, [&] {
    ++steps;
    OrbitView* view = window().orbitView();
    if (steps == 4) {
      view = open();
      expectWholePath(*view, steps);  // before this step's pause: replayed up to now
    }
    if (view && steps > 4 && steps < 20) seen.push_back(view->picture().path.given() - steps - 1);
    if (steps == 8) view->resize(300, 200);
    if (steps == 12) view->close();
    if (steps == 16) open();
    if (steps == 20) setSlowdown(0);
  });
  start();
  EXPECT_EQ(seen, std::vector<std::int64_t>(15, 0)) << "one point more at every step, shown or hidden";
  OrbitView* view = window().orbitView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isVisible());
  expectWholePath(*view, window().lastRunSteps());
  EXPECT_EQ(window().lastRunSteps(), 2501);
  const OrbitCamera& camera = view->picture().camera;
  EXPECT_EQ(QSize(camera.width(), camera.height()), view->canvas()->size());
  EXPECT_LT(view->width(), 400) << "the size given mid-run";
}

// The export writes the view as the window shows it, at the width asked for: turned,
// zoomed and panned alike, the particle at the window's place scaled by the widths' ratio.
TEST_F(OrbitViewTest, ExportsTheViewAtTheChosenWidth) {
  AnsweringFileDialogs files;
  files.width = 1200;
  QTemporaryDir dir;
  files.answers << dir.filePath(QStringLiteral("space.png"));
  OrbitView view(fakes, files);
  view.resize(640, 520);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  OrbitPicture& picture = view.picture();
  picture.setScene(OrbitScene{});
  picture.pathColour = colours::negative;
  picture.particle = Vec3{1, -2, 3};
  OrbitCanvas* canvas = view.canvas();
  drag(canvas, Qt::RightButton, QPoint(100, 100), QPoint(140, 70));
  QTest::keyClick(canvas, Qt::Key_Plus);
  const ScreenPoint shown = picture.camera.project(*picture.particle);
  const double ratio = 1200.0 / canvas->width();
  QTest::mouseClick(view.findChild<QPushButton*>(QStringLiteral("orbitExport")), Qt::LeftButton);
  const QImage image(files.used.value(0));
  ASSERT_EQ(image.width(), 1200);
  EXPECT_NEAR(image.height(), canvas->height() * ratio, 1);
  const QPoint at(int(std::floor(shown.x * ratio)), int(std::floor(shown.y * ratio)));
  EXPECT_EQ(image.pixel(at) & 0xFFFFFF, colours::negative) << at.x() << "," << at.y();
}

}  // namespace
}  // namespace larmor::test
