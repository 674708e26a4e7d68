// The run from the window's side: the start button, the step loop as the run's observer,
// the pacing and the end tone.
#include "ui/Form1.h"

#include "panel/Run.h"
#include "ui/DiagnosticsWindow.h"
#include "ui/PictureBox.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QTimer>

#include <chrono>
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

void Form1::CmdOK_Click() {
  // One run at a time: a click while a run waits between its steps is ignored.
  if (m_running) return;
  // A monotonic clock: the shown time never goes negative, not even across midnight.
  QElapsedTimer clock;
  clock.start();
  setWindowTitle(mainTitle());
  beginRunRecord();  // what an export replays the run from
  m_views->Clear();
  RecomputeQuantities();

  QPointer<Form1> self(this);
  const RunEnd end = RunTrajectory();
  if (!self) return;

  const qint64 seconds = clock.elapsed() / 1000;  // whole seconds
  setWindowTitle(windowTitle() + QStringLiteral("   время расчета") + QString::number(seconds) +
                 QStringLiteral(" c"));
  // The end time is the only stop a user expects; a run that stopped before it must not
  // pass for a whole one.
  const QString why = end == RunEnd::CutAtStepLimit
      ? QStringLiteral("Расчет остановлен после %1 шагов, раньше заданного времени: это наибольшее "
                       "число шагов одного расчета. Чтобы дойти до конца, уменьшите время расчета "
                       "в периодах.")
            .arg(QLocale(QLocale::Russian).toString(qint64(m_lastRunSteps)))
      : end == RunEnd::NonFinite
      ? QStringLiteral("Расчет остановлен после %1 шагов: координаты или скорость частицы вышли "
                       "за пределы представимых чисел, погрешность dV не определена. Измените "
                       "параметры поля или начальную точку.")
            .arg(QLocale(QLocale::Russian).toString(qint64(m_lastRunSteps)))
      : end == RunEnd::AxisStart
      ? QStringLiteral("В этой структуре поля старт на оси OZ невозможен: уравнения движения "
                       "делят на расстояние до оси. Сместите начальную точку (Xo или Yo).")
      : QString();
  if (!why.isEmpty()) {
    m_services.dialogs->warning(this, QStringLiteral("Расчет прерван"), why);
    if (!self) return;
  }
  if (end == RunEnd::Stopped) {
    m_services.dialogs->information(this, QStringLiteral("Расчет остановлен"), stoppedRunText(m_lastRunSteps));
    if (!self) return;
  }
  if (m_closeAfterRun) {
    // The user confirmed the exit while the run waited: now that it has ended, close.
    m_closeAfterRun = false;
    m_exitConfirmed = true;
    close();
  }
}

Form1::RunEnd Form1::RunTrajectory() {
  m_running = true;
  m_abortRun = false;
  m_stopRequested = false;
  m_lastRunSteps = 0;
  Run run(m_panel);  // the integrator the panel names for this run
  run.limitSteps(m_runStepLimit);
  run.prepare();
  m_views->DrawFieldStructure(m_state);

  // Only a run someone watches feeds the diagnostics: the others cost their physics alone,
  // and the window, opened later, replays them. A recompute in a pause drops the meter (the
  // start it measures from is gone); the series goes on filling from the next step.
  const bool feeding = diagnosticsShown();
  m_diagnosticsHoldRun = false;
  double muStart = 0;
  if (feeding) {
    muStart = startMoment(run, m_state);
    m_theoryMeter.emplace(m_state);
    m_theoryMeter->observe(run, m_state);
  }

  QPointer<Form1> self(this);
  // The accuracy text is seen only while the window handles events: in the pause of a
  // paced step, and after the run. At slow-down 0 nothing is handled until the run ends,
  // so the text is made for the steps that pause and for the last one only.
  auto showAccuracy = [&] {
    const QString text = QString::fromStdString(run.accuracyText());
    if (Label[26]->text() != text) Label[26]->setText(text);
  };
  while (run.hasNextStep()) {
    const TrailSegment segment = run.step();
    if (run.stoppedNonFinite() || run.refusedAxisStart()) break;  // nothing left to draw
    // The pictures repaint and move their markers at the next turn of the event loop,
    // which the wait below (or the end of the run) gives them.
    m_views->PlotTrailSegment(segment);
    m_views->PlaceMarkers(m_state);
    m_lastRunSteps = run.stepsDone();
    if (feeding) {
      feedDiagnostics(run, m_state, muStart, m_diagnosticsSeries, m_theoryMeter ? &*m_theoryMeter : nullptr);
    }
    emit runStepped();
    const int slowdown = m_state.params.slowdown;  // read at every step: a new slow-down applies at once
    if (slowdown > 0) {  // Wait(0) returns at once
      showAccuracy();
      if (feeding && m_diagnostics) m_diagnostics->refresh();
      Wait(slowdown);
    }
    if (!self) return RunEnd::Abandoned;  // the window went away inside the wait: touch nothing of it
    if (m_abortRun || m_stopRequested) break;
  }
  // The last step's speed error, or why the run cannot go on; a run that made no step
  // leaves the label as it was.
  if (!run.accuracyText().empty()) showAccuracy();
  m_running = false;
  if (m_abortRun) return RunEnd::Abandoned;
  const bool stopped = m_stopRequested && run.hasNextStep();  // asked to stop before the end time
  m_lastRunCutShort = run.stoppedNonFinite() || run.cutAtStepLimit() || stopped;
  if (feeding) {
    m_diagnosticsHoldRun = true;
    if (m_diagnostics) m_diagnostics->finish();
    showTheory();
  }
  beep2(10);
  if (!feeding && diagnosticsShown()) {
    updateDiagnostics();  // the window was opened during the run
    if (!self) return RunEnd::Abandoned;
  }
  if (stopped) return RunEnd::Stopped;
  if (run.refusedAxisStart()) return RunEnd::AxisStart;
  if (run.stoppedNonFinite()) return RunEnd::NonFinite;
  return run.cutAtStepLimit() ? RunEnd::CutAtStepLimit : RunEnd::Whole;
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
    // The loop was ended from outside (the program is quitting): stop the run too.
    Timer1->stop();
    m_abortRun = true;
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
