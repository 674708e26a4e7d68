// Runs started from the window: the whole run, a second start while one runs, closing in
// the middle of a run.
#include "UiTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QElapsedTimer>
#include <QTimer>

namespace larmor::test {
namespace {

class RunTest : public WindowTest {
protected:
  void start() { QTest::mouseClick(control<QPushButton>("CmdOK"), Qt::LeftButton); }
  void setSlowdown(int value) { control<QScrollBar>("HScroll1")->setValue(value); }
  QRegularExpression finishedTitle() const {
    return QRegularExpression(QRegularExpression::escape(Form1::mainTitle()) +
                              QStringLiteral("   время расчета\\d+ c$"));
  }
};

TEST_F(RunTest, AFullRunAtFullSpeedEndsWithTheToneAndTheTimeInTheTitle) {
  showWindow();
  setSlowdown(0);
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    start();
    EXPECT_FALSE(window().running());
    EXPECT_EQ(window().lastRunSteps(), 2501);
    EXPECT_TRUE(finishedTitle().match(window().windowTitle()).hasMatch())
        << window().windowTitle().toStdString();  // the second run replaces the suffix
    EXPECT_TRUE(caption("Label26").startsWith(QStringLiteral("dV="))) << caption("Label26").toStdString();
    ASSERT_EQ(fakes.tones.size(), static_cast<size_t>(run));
    EXPECT_EQ(fakes.tones.back(), std::make_pair(880, 120));
  }
}

TEST_F(RunTest, StartIsIgnoredWhileARunWaitsAndANewSlowDownAppliesAtOnce) {
  showWindow();
  setSlowdown(1);
  int steps = 0;
  QObject::connect(&window(), &Form1::runStepped, [&] {
    ++steps;
    if (steps == 3) start();          // inside the run: must not start a second one
    if (steps == 5) setSlowdown(0);   // the rest of the run without pauses
  });
  start();
  EXPECT_EQ(steps, 2501);
  EXPECT_EQ(window().lastRunSteps(), 2501);
  EXPECT_EQ(fakes.tones.size(), 1u);
  EXPECT_EQ(window().windowTitle().count(QStringLiteral("время расчета")), 1);
}

TEST_F(RunTest, ClosingDuringARunAsksThenEndsTheRunAndTheWindow) {
  showWindow();
  setSlowdown(1);
  int steps = 0;
  QObject::connect(&window(), &Form1::runStepped, [&] {
    ++steps;
    if (steps == 5) {
      fakes.answerYes = false;
      window().close();  // No: the run goes on
    }
    if (steps == 8) {
      fakes.answerYes = true;
      window().close();
    }
  });
  start();
  EXPECT_EQ(fakes.exitQuestions, 2);
  EXPECT_GE(steps, 8);
  EXPECT_LT(steps, 12) << "the run ended at the next wait";
  EXPECT_FALSE(window().running());
  EXPECT_TRUE(fakes.tones.empty());
  EXPECT_FALSE(window().isVisible());
}

TEST_F(RunTest, WaitWithZeroHandlesNoEventsAndAPauseLastsItsTime) {
  showWindow();
  bool fired = false;
  QTimer::singleShot(0, &window(), [&] { fired = true; });
  window().Wait(0);
  EXPECT_FALSE(fired);
  QElapsedTimer clock;
  clock.start();
  window().Wait(3);
  EXPECT_TRUE(fired);
  EXPECT_GE(clock.elapsed(), 29);
}

}  // namespace
}  // namespace larmor::test
