// Runs started from the window, the menu items and the exit confirmation, with recording
// services.
#include "WindowTestSupport.h"

#include "ui/Form2.h"

#include "model/TrajectoryRun.h"  // the texts of a run that cannot go on
#include "panel/CpuState.h"
#include "panel/Run.h"
#include "tests/probe/MathProbe.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <tuple>

namespace larmor::test {
namespace {

using RunTest = WindowTest;

// The title a run leaves: the program's, and the time the run took.
bool showsTime(const QString& title) {
  return QRegularExpression('^' + QRegularExpression::escape(Form1::mainTitle()) + "   время расчета\\d+ c$")
      .match(title).hasMatch();
}

// While the first run waits: a second start is ignored, a resize relays the window, and a
// slow-down of 0 applies from the next step. The second run replaces the time in the title.
// A twin of the run, stepped alongside, gives the speed error each paced step must show
// while the window waits, and the one the label keeps after the run.
TEST_F(RunTest, WholeRunsEndWithTheToneAndTheTimeInTheTitle) {
  showWindow();
  setSlowdown(1);
  int steps = 0;
  SimulationState twin;
  std::unique_ptr<TrajectoryRun> twinRun;
  std::vector<std::pair<QString, QString>> paced;  // shown in the wait, the twin's
  const int menu = window().height() - window().centralWidget()->height();
  QObject::connect(&window(), &Form1::runStepped, [&] {
    twinRun->step();
    if (++steps == 3) start(), window().resize(1000, 700 + menu);
    if (steps == 10) setSlowdown(0);
    if (window().state().params.slowdown > 0) {
      QTimer::singleShot(0, &window(), [&, expected = QString::fromStdString(twinRun->accuracyText())] {
        paced.emplace_back(caption("Label26"), expected);
      });
    }
  });
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    steps = 0;
    paced.clear();
    twin = window().state();
    twinRun = std::make_unique<TrajectoryRun>(twin);
    twinRun->prepare();
    start();
    EXPECT_EQ(caption("Label26").toStdString(), twinRun->accuracyText());
    EXPECT_EQ(paced.size(), run == 1 ? 9u : 0u);
    for (const auto& [shown, expected] : paced) EXPECT_EQ(shown, expected);
    EXPECT_FALSE(window().running());
    // The start-up run: 2501 steps (where it ends, and its speed error, are the model's test).
    EXPECT_EQ(std::pair(steps, window().lastRunSteps()), std::pair(2501, std::int64_t(2501)));
    EXPECT_TRUE(showsTime(window().windowTitle())) << window().windowTitle().toStdString();
    EXPECT_EQ(fakes.tones, (std::vector<std::pair<int, int>>(run, {880, 120})));
    EXPECT_EQ(control("Picture1")->size(), QSize(428, 428));
    // The markers follow the particle once the window repaints: the move is deferred to
    // the next turn of the event loop, never lost.
    QApplication::processEvents();
    expectShowsPanel();
  }
}

// The Boris item chooses the window's next run: it moves the particle as the Boris run of
// the same start does, its speed error is at rounding level where the default run's is not,
// and the X0Z view names the method while it shows a trail the method drew: not before the
// run, and not after a recompute has emptied the views.
TEST_F(RunTest, TheBorisItemRunsTheBorisMethodAndTheViewSaysSo) {
  showWindow();
  setSlowdown(0);
  QWidget* method = control("lblMethod");
  EXPECT_FALSE(method->isVisible());
  control<QAction>("mnuDiagnosticsBoris")->trigger();
  moveBar("VScroll6", 84);
  moveBar("VScroll6", 83);
  EXPECT_FALSE(method->isVisible()) << "empty views, chosen for the next run only";
  SimulationState twin = window().state();
  larmor::Run twinRun(Integrator::Boris, twin);
  twinRun.prepare();
  while (twinRun.hasNextStep()) twinRun.step();
  start();
  EXPECT_TRUE(method->isVisible());
  EXPECT_EQ(std::tuple(window().state().x, window().state().y, window().state().z), std::tuple(twin.x, twin.y, twin.z));
  EXPECT_EQ(caption("Label26").toStdString(), twinRun.accuracyText());
  const QString borisAccuracy = caption("Label26");
  EXPECT_EQ(method->mapTo(control("Picture2"), QPoint(method->width(), method->height())),
            QPoint(control("Picture2")->width() - 2, control("Picture2")->height() - 2));

  control<QAction>("mnuDiagnosticsBoris")->trigger();
  EXPECT_TRUE(method->isVisible()) << "the trail on the views is still the Boris run's";
  control<QAction>("mnuDiagnosticsBoris")->trigger();
  moveBar("VScroll6", 84);
  EXPECT_FALSE(method->isVisible()) << "the recompute emptied the views";
  control<QAction>("mnuDiagnosticsBoris")->trigger();
  moveBar("VScroll6", 83);
  start();
  EXPECT_FALSE(method->isVisible());
  EXPECT_NE(caption("Label26"), borisAccuracy);
}

TEST_F(RunTest, ClosingDuringARunAsksThenEndsTheRunAndTheWindow) {
  showWindow();
  setSlowdown(1);
  int steps = 0;
  QObject::connect(&window(), &Form1::runStepped, [&] {
    if (++steps == 5 || steps == 8) {
      fakes.answerYes = steps == 8;  // No first: the run goes on
      window().close();
    }
  });
  start();
  EXPECT_TRUE(steps >= 8 && steps < 12) << steps << ": the run ends at the next wait";
  EXPECT_FALSE(window().running() || window().isVisible() || fakes.exitQuestions != 2 || !fakes.tones.empty());
}

// Esc, or the item «Остановить расчет», ends a paced run after its pause as a run ends at
// its end time (tone, time in the title), then says at which step it was stopped; a lesson
// refused during the run tells how to stop it. Without a run neither does anything.
TEST_F(RunTest, EscOrTheStopItemEndsAPacedRun) {
  showWindow();
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  setSlowdown(1);
  int steps = 0;
  std::function<void()> atStep5;
  QObject::connect(&window(), &Form1::runStepped, [&] {
    if (++steps == 5) atStep5();
  });
  const std::function<void()> ways[] = {
      [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
      [&] { control<QAction>("mnuDiagnosticsStop")->trigger(); }};
  for (const auto& stop : ways) {
    steps = 0;
    fakes.informationTitles.clear(), fakes.informationTexts.clear();
    const size_t tones = fakes.tones.size();
    atStep5 = [&] {
      EXPECT_FALSE(window().openScenario(QStringLiteral("absent.larmor")));
      stop();
    };
    start();
    EXPECT_FALSE(window().running());
    EXPECT_EQ(steps, 5) << "ended after the pause it was stopped in";
    EXPECT_EQ(window().lastRunSteps(), 5);
    EXPECT_EQ(fakes.tones.size(), tones + 1);
    EXPECT_TRUE(showsTime(window().windowTitle())) << window().windowTitle().toStdString();
    ASSERT_EQ(fakes.informationTexts.size(), 2);
    EXPECT_TRUE(fakes.informationTexts[0].contains(QStringLiteral("Esc")) &&
                fakes.informationTexts[0].contains(QStringLiteral("Остановить расчет")))
        << fakes.informationTexts[0].toStdString();
    EXPECT_EQ(fakes.informationTitles[1], QStringLiteral("Расчет остановлен"));
    EXPECT_TRUE(fakes.informationTexts[1].contains(QStringLiteral(" 5 "))) << fakes.informationTexts[1].toStdString();
  }
  // No run: nothing stops, nothing is said; the next run is whole.
  atStep5 = [] {};
  control("CmdOK")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  control<QAction>("mnuDiagnosticsStop")->trigger();
  setSlowdown(0);
  start();
  EXPECT_EQ(window().lastRunSteps(), 2501);
  EXPECT_EQ(fakes.informationTexts.size(), 2);
}

TEST_F(RunTest, ARunThatCannotGoOnSaysSoAndStillEnds) {
  showWindow();
  setSlowdown(0);
  const struct { const char *structure, *length; int x, y; const char *text, *why; } rows[] = {
      {"Плоский дрейф", "0.01", -50, 5, "dV не определена", "вышли за пределы"},  // exp(500): beyond single precision
      {"Магнитная ловушка", "0.30", 0, 0, "Старт на оси OZ", "Сместите начальную точку"}};  // on the axis
  for (const auto& r : rows) {
    SCOPED_TRACE(r.structure);
    select(r.structure);
    typeInto("Text1", r.length);
    moveBar("VScroll7", r.x);
    moveBar("VScroll8", r.y);
    const size_t tones = fakes.tones.size();
    fakes.warnings.clear();
    start();
    EXPECT_EQ(caption("Label26"), QString::fromUtf8(r.text));
    ASSERT_EQ(fakes.warnings.size(), 1);
    EXPECT_TRUE(fakes.warnings.front().contains(QString::fromUtf8(r.why))) << fakes.warnings.front().toStdString();
    EXPECT_TRUE(window().lastRunSteps() < 2 && showsTime(window().windowTitle()));
    EXPECT_EQ(fakes.tones.size(), tones + 1);
  }
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
  EXPECT_TRUE(fired && clock.elapsed() >= 29) << clock.elapsed();
}

TEST_F(WindowTest, MenuItemsAskTheirServicesAndExitAsksFirst) {
  showWindow();
  auto trigger = [this](const char* name) { control<QAction>(name)->trigger(); };
  for (const char* item : {"mnuFilespravka", "mnuHelpUprav", "mnuHelpInstruction", "mnuHelpAbout", "mnuHelpAbout2"}) trigger(item);
  EXPECT_EQ(fakes.opened, (QStringList{"spravka.pdf", "uprav.pdf"}));
  EXPECT_EQ(fakes.launched, QStringList{"instruction.txt"});
  EXPECT_EQ(fakes.informationTitles, (QStringList{"О ПРОГРАММЕ", "РЕГИСТРАЦИЯ"}));
  fakes.launchSucceeds = false;  // a failed start is reported, once
  trigger("mnuHelpInstruction");
  EXPECT_TRUE(fakes.warnings.size() == 1 && fakes.warnings.front().contains("instruction.txt")) << fakes.warnings.size();
  fakes.openSucceeds = false;  // no viewer: each document named with the folder it lies in
  trigger("mnuFilespravka"), trigger("mnuHelpUprav");
  ASSERT_EQ(fakes.warnings.size(), 3);
  for (const auto& [warning, name] : {std::pair{fakes.warnings[1], "spravka.pdf"}, {fakes.warnings[2], "uprav.pdf"}})
    EXPECT_TRUE(warning.contains(QDir::toNativeSeparators(QDir::current().absoluteFilePath(name)))) << warning.toStdString();

  for (int i = 0; i < 2; ++i) trigger("mnuHelpAvtors");  // one authors window, reused
  QList<Form2*> authors;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<Form2*>(w)) authors << f;
  ASSERT_EQ(authors.size(), 1);

  fakes.answerYes = false;
  trigger("mnuFileExit");
  EXPECT_TRUE(fakes.exitQuestions == 1 && window().isVisible() && authors[0]->isVisible());
  fakes.answerYes = true;
  EXPECT_TRUE(window().close() && fakes.exitQuestions == 2);  // the close button asks too; Yes closes Form2 as well
  EXPECT_FALSE(window().isVisible() || authors[0]->isVisible());
}

// The start-up run makes 2501 steps: a limit of 2500 cuts it just before its end time, one
// of 2501 lets it end there. A cut run ends as every run does (tone, time in the title),
// then says after how many steps it was cut; a whole run says nothing.
TEST_F(RunTest, ARunCutAtItsStepLimitSaysSoAfterItsEnd) {
  showWindow();
  setSlowdown(0);
  // What the window had done when it showed its warning.
  struct Seen { const QWidget* parent; QString title, text, windowTitle; size_t tones; bool running; };
  std::vector<Seen> seen;
  fakes.onWarning = [&](QWidget* parent, const QString& title, const QString& text) {
    seen.push_back({parent, title, text, window().windowTitle(), fakes.tones.size(), window().running()});
  };
  for (const auto& [limit, cut] : {std::pair<std::int64_t, bool>{2500, true}, {2501, false}, {INT64_MAX, false}}) {
    SCOPED_TRACE(limit);
    window().setRunStepLimit(limit);
    seen.clear();
    const size_t tones = fakes.tones.size();
    start();
    EXPECT_EQ(window().lastRunSteps(), cut ? limit : 2501);
    EXPECT_EQ(fakes.tones.size(), tones + 1);
    ASSERT_EQ(seen.size(), cut ? 1u : 0u);
    if (!cut) continue;
    const Seen& w = seen.front();
    EXPECT_TRUE(w.parent == &window() && !w.running && w.tones == tones + 1 && showsTime(w.windowTitle))
        << w.windowTitle.toStdString() << " " << w.tones;
    EXPECT_EQ(w.title, QStringLiteral("Расчет прерван"));
    EXPECT_EQ(QString(w.text).remove(QRegularExpression("\\D")), QString::number(limit)) << w.text.toStdString();  // its only number
  }
}

// The toolkit may leave the upper halves of the vector registers in use at any turn of
// the event loop; a paced run of the trap still calls the maths library with them clean at
// every step. (The diagnostics window's own drawing in the pauses is not the run's: the
// diagnostics' sampling is checked on the driver.)
TEST_F(RunTest, APacedRunsMathematicsRunWithTheUpperRegisterStateClean) {
  if (!upperRegisterStateReadable()) GTEST_SKIP() << "this CPU does not report the upper register state (XGETBV 1)";
  showWindow();
  select(control<QListWidget>("List1")->item(3)->text().toUtf8().constData());
  typeInto("Text2", QStringLiteral("0.1"));
  setSlowdown(1);
  QTimer dirtying;
  QObject::connect(&dirtying, &QTimer::timeout, [] { probe::dirtyUpperState(); });
  QObject::connect(&window(), &Form1::runStepped, [] { probe::dirtyUpperState(); });
  dirtying.start(1);
  probe::resetMathCalls();
  start();
  const probe::MathCalls calls = probe::mathCalls();
  EXPECT_EQ(window().lastRunSteps(), 31);
  EXPECT_GE(calls.all, 31 * 8);  // four field evaluations a step, each with two calls
  EXPECT_EQ(calls.dirty, 0) << calls.dirty << " of " << calls.all;
}

}  // namespace
}  // namespace larmor::test
