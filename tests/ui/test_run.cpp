// Runs started from the window: the whole run, a second start while one runs, closing in
// the middle of a run.
#include "UiTestSupport.h"

#include <QLabel>
#include <QLineEdit>
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

TEST_F(RunTest, ARunThatCannotGoOnSaysSoAndStillEnds) {
  showWindow();
  setSlowdown(0);
  const struct {
    const char* situation;
    const char* structure;
    const char* length;
    int x, y;
    const char* text;
  } rows[] = {
      // exp(500) of the gradient field is beyond single precision.
      {"field beyond range", "Плоский дрейф", "0.01", -50, 5, nonFiniteAccuracyText},
      {"start on the axis", "Магнитная ловушка", "0.30", 0, 0, axisStartAccuracyText},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.situation);
    select(QString::fromUtf8(row.structure));
    auto* text1 = control<QLineEdit>("Text1");
    text1->selectAll();
    QTest::keyClicks(text1, QString::fromLatin1(row.length));
    moveBar("VScroll7", row.x);
    moveBar("VScroll8", row.y);
    const size_t tones = fakes.tones.size();
    start();
    EXPECT_EQ(caption("Label26"), QString::fromUtf8(row.text));
    EXPECT_LT(window().lastRunSteps(), 2);
    EXPECT_TRUE(finishedTitle().match(window().windowTitle()).hasMatch());
    EXPECT_EQ(fakes.tones.size(), tones + 1);
  }
}

TEST_F(RunTest, AResizeDuringARunRelaysTheWindowAndTheRunGoesOn) {
  showWindow();
  setSlowdown(1);
  int steps = 0;
  const int menu = window().height() - window().centralWidget()->height();
  QObject::connect(&window(), &Form1::runStepped, [&] {
    if (++steps == 3) window().resize(1000, 700 + menu);
    if (steps == 10) setSlowdown(0);
  });
  start();
  EXPECT_EQ(window().lastRunSteps(), 2501);
  EXPECT_EQ(control<QWidget>("Picture1")->size(), QSize(428, 428));
  EXPECT_EQ(fakes.tones.size(), 1u);
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
