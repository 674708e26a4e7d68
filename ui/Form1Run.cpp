// The run from the window's side: the start button, the step loop as the run's observer,
// the pacing and the end tone.
#include "ui/Form1.h"

#include "model/TrajectoryRun.h"
#include "panel/RunDriver.h"
#include "ui/DiagnosticsWindow.h"
#include "ui/Form1Orbit.h"
#include "ui/PictureBox.h"
#include "ui/QtTranslations.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLocale>
#include <QMetaMethod>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <system_error>
#include <thread>

#if defined(__linux__)
#include <sys/prctl.h>
#endif

namespace larmor {

namespace {

// How much earlier than the deadline the wait's timer fires [ms]; at most this much of a
// pause is slept without handling events.
constexpr int earlyWakeMs = 1;

// Sleeps to the deadline. The kernel may let a sleep overrun by its timer slack (50 µs
// by default), a quarter of the 2 % the shortest pause may overrun; the slack is
// narrowed for this one sleep and restored after it.
void sleepUntil(std::chrono::steady_clock::time_point deadline) {
#if defined(__linux__)
  const int slack = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
  if (slack > 1) prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
  std::this_thread::sleep_until(deadline);
  if (slack > 1) prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(slack), 0, 0, 0);
#else
  std::this_thread::sleep_until(deadline);
#endif
}

}  // namespace

// The window's side of the run driver: the trail and the markers after each step, the
// diagnostics when the diagnostics window watches, the accuracy label and the pause at a
// slow-down above 0. Ends the run when the window has gone away or something asked it to end.
class Form1::WindowRun : public RunObserver {
public:
  explicit WindowRun(Form1& window) : m_window(window), m_self(&window) {}

  bool feeding() const { return m_feeding; }

  void starting(const ControlPanel&) override { m_window.m_views->Clear(); }

  void prepared(const Run& run, const SimulationState& state) override {
    m_window.m_views->DrawFieldStructure(state);
    // The series, the meter and the views' method mark now hold this run's integrator.
    m_window.m_diagnosticsIntegrator = run.integrator();
    if (m_window.m_diagnostics) m_window.m_diagnostics->setIntegrator(run.integrator());
    // Only a run someone watches feeds the diagnostics: the others cost their physics
    // alone, and the window, opened later, replays them. A recompute in a pause drops the
    // meter (the start it measures from is gone); the series goes on filling.
    m_feeding = m_window.diagnosticsShown();
    m_window.m_diagnosticsHoldRun = false;
    if (!m_feeding) return;
    m_muStart = startMoment(run, state);
    TheoryMeter& meter = m_window.m_theoryMeter.emplace(state);
    // A long run at full speed with nobody between its steps: the diagnostics go to the
    // second core. Paced, or with someone at each step, they are fed in line.
    const bool alone = state.params.slowdown == 0 && !m_window.isSignalConnected(QMetaMethod::fromSignal(&Form1::runStepped));
    if (alone && ParallelFeed::worthwhile(state.quantities.tEnd / run.dt())) {
      try {
        m_parallel.emplace(state, m_muStart, m_window.m_diagnosticsSeries, &meter);
      } catch (const std::system_error&) {
        // No thread to be had (the system's limit): fed in line, only slower.
      }
    }
    if (m_parallel) {
      m_parallel->recordStart(run, state);
      m_window.m_parallelFeed = &*m_parallel;
    } else {
      meter.observe(run, state);
    }
    m_window.m_fedInParallel = m_parallel.has_value();
  }

  ~WindowRun() override { endParallelFeed(); }

  // Every step fed, and the diagnostics the window's again.
  void endParallelFeed() {
    if (!m_parallel) return;
    if (m_self) m_window.m_parallelFeed = nullptr;
    m_parallel.reset();
  }

  bool stepped(const Run& run, const SimulationState& state, const TrailSegment& segment) override {
    Form1& w = m_window;
    // The diagnostics before any drawing: the step left the vector registers clean for
    // the maths library.
    if (m_parallel)
      m_parallel->record(run, state);
    else if (m_feeding)
      feedDiagnostics(run, state, m_muStart, w.m_diagnosticsSeries, w.m_theoryMeter ? &*w.m_theoryMeter : nullptr);
    // The pictures repaint and move their markers at the next turn of the event loop,
    // which the wait below (or the end of the run) gives them.
    w.m_views->PlotTrailSegment(segment);
    w.m_views->PlaceMarkers(state);
    w.showTrailMethod(true);
    w.m_runState.stepped(run.stepsDone());
    emit w.runStepped();
    if (!m_self) return false;
    const int slowdown = state.params.slowdown;  // read at every step: a new slow-down applies at once
    if (slowdown > 0) {                          // Wait(0) returns at once
      endParallelFeed();  // the pause shows the plots: from here on they are fed in line
      // The accuracy text is seen only while the window handles events: in the pause of a
      // paced step, and after the run.
      w.showAccuracy(run.accuracyText());
      if (m_feeding && w.m_diagnostics) w.m_diagnostics->refresh();
      w.Wait(slowdown);
      if (!m_self) return false;  // the window went away inside the wait: touch nothing of it
    }
    return w.m_runState.endRequest() == RunState::EndRequest::None;
  }

private:
  Form1& m_window;
  QPointer<Form1> m_self;
  bool m_feeding = false;
  double m_muStart = 0;
  std::optional<ParallelFeed> m_parallel;
};

void Form1::showAccuracy(const std::string& text) {
  if (text != m_accuracyText) m_accuracyText = text;
  // Before the first run the label names what it will show.
  const QString shown = text.empty() ? tr("Точность вычислений")
                                     : QString::fromUtf8(accuracyTextIn(text.c_str(), uiLanguage()));
  if (Label[26]->text() != shown) Label[26]->setText(shown);
}

void Form1::CmdOK_Click() {
  // One run at a time: a click while a run waits between its steps is ignored.
  if (m_runState.running()) return;
  // A monotonic clock: the shown time never goes negative, not even across midnight.
  QElapsedTimer clock;
  clock.start();
  setWindowTitle(mainTitle());
  beginRunRecord();  // what an export replays the run from

  QPointer<Form1> self(this);
  const RunEnd end = RunTrajectory();
  if (!self) return;
  rebuildDiagnostics();  // in the language chosen during the run, if another
  rebuildOrbitView();

  const qint64 seconds = clock.elapsed() / 1000;  // whole seconds
  setWindowTitle(windowTitle() + tr("   время расчета") + QString::number(seconds) + tr(" c"));
  // The end time is the only stop a user expects; a run that stopped before it must not
  // pass for a whole one.
  const QString why = end == RunEnd::CutAtStepLimit
      ? tr("Расчет остановлен после %1 шагов, раньше заданного времени: это наибольшее "
           "число шагов одного расчета. Чтобы дойти до конца, уменьшите время расчета "
           "в периодах.")
            .arg(QLocale(QLocale::Russian).toString(qint64(m_runState.steps())))
      : end == RunEnd::NonFinite
      ? tr("Расчет остановлен после %1 шагов: координаты или скорость частицы вышли "
           "за пределы представимых чисел, погрешность dV не определена. Измените "
           "параметры поля или начальную точку.")
            .arg(QLocale(QLocale::Russian).toString(qint64(m_runState.steps())))
      : end == RunEnd::AxisStart
      ? tr("В этой структуре поля старт на оси OZ невозможен: уравнения движения "
           "делят на расстояние до оси. Сместите начальную точку (Xo или Yo).")
      : QString();
  if (!why.isEmpty()) {
    m_services.dialogs->warning(this, tr("Расчет прерван"), why);
    if (!self) return;
  }
  if (end == RunEnd::Stopped) {
    m_services.dialogs->information(this, tr("Расчет остановлен"), stoppedRunText(m_runState.steps()));
    if (!self) return;
  }
  if (m_runState.endRequest() == RunState::EndRequest::Close) {
    // The user confirmed the exit while the run waited: now that it has ended, close.
    m_exitConfirmed = true;
    close();
  }
}

Form1::RunEnd Form1::RunTrajectory() {
  m_runState.start();
  QPointer<Form1> self(this);
  WindowRun window(*this);
  OrbitRelay orbit(*this);  // before the window's pause, so that the pause shows the step
  const RunOutcome outcome = RunDriver(m_panel, m_runStepLimit).observe(orbit).observe(window).drive();
  if (!self) return RunEnd::Abandoned;
  window.endParallelFeed();
  // The last step's speed error, or why the run cannot go on; a run that made no step
  // leaves the label as it was.
  if (!outcome.accuracyText.empty()) showAccuracy(outcome.accuracyText);
  // A run the user stopped before its end time is not a whole one either.
  const bool stopped = outcome.stop == RunStop::Observer;
  m_runState.finish(outcome.cutShort() || stopped);
  const RunState::EndRequest request = m_runState.endRequest();
  if (request == RunState::EndRequest::Close || request == RunState::EndRequest::Abandon) return RunEnd::Abandoned;
  if (window.feeding()) {
    m_diagnosticsHoldRun = true;
    if (m_diagnostics) m_diagnostics->finish();
    showTheory();
  }
  beep2(10);
  if (!window.feeding() && diagnosticsShown()) {
    updateDiagnostics();  // the window was opened during the run
    if (!self) return RunEnd::Abandoned;
  }
  switch (outcome.stop) {
    case RunStop::AxisStart: return RunEnd::AxisStart;
    case RunStop::NonFinite: return RunEnd::NonFinite;
    case RunStop::StepLimit: return RunEnd::CutAtStepLimit;
    case RunStop::Observer: return RunEnd::Stopped;
    case RunStop::EndTime: break;
  }
  return RunEnd::Whole;
}

void Form1::Wait(int m) {
  if (m <= 0) return;  // no pause and no event handled
  // The pause is at least 10·m ms from here. The timer keeps whole milliseconds and wakes
  // a fraction late, so it is armed a little early and the last fraction is slept to the
  // deadline: the pause then ends close to it without spinning on a core.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(10 * m);
  QEventLoop loop;
  m_waitLoop = &loop;
  Timer1->start(10 * m - earlyWakeMs);
  QPointer<Form1> self(this);
  loop.exec();
  if (!self) return;
  m_waitLoop = nullptr;
  if (Timer1->isActive()) {
    // The loop was ended from outside: by a request to end the run (a confirmed exit, which
    // then closes the window after the run), or by the program quitting: stop the run too.
    Timer1->stop();
    if (m_runState.endRequest() == RunState::EndRequest::None) m_runState.requestEnd(RunState::EndRequest::Abandon);
    return;
  }
  sleepUntil(deadline);
}

void Form1::Timer1_Timer() {
  Timer1->stop();
  if (m_waitLoop) m_waitLoop->quit();
}

void Form1::beep2(int t) { m_services.tonePlayer->play(880, 12 * t); }

}  // namespace larmor
