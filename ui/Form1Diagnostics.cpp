// The diagnostics window from the main window's side: opening it, emptying it at a
// recompute, filling it from a replay of the last run, and the theory table.
#include "ui/Form1.h"

#include "model/Theory.h"
#include "panel/CpuState.h"
#include "panel/Run.h"
#include "panel/RunRecord.h"
#include "ui/DiagnosticsWindow.h"
#include "ui/EnsembleDialog.h"
#include "ui/PictureBox.h"
#include "ui/QtTranslations.h"
#include "ui/ReplayProgress.h"

#include <QLabel>

namespace larmor {

namespace {

// A replay that fills the series and the meter as the window's run fills them when the
// diagnostics window watches it: the same samples, the same recomputes emptying them.
class ReplayToDiagnostics : public RunObserver, public PanelObserver {
public:
  ReplayToDiagnostics(DiagnosticsSeries& series, std::optional<TheoryMeter>& meter)
      : m_series(series), m_meter(meter) {}

  void recomputed() override {
    m_series.clear();
    m_meter.reset();
  }
  void prepared(const Run& run, const SimulationState& state) override {
    m_muStart = startMoment(run, state);
    m_meter.emplace(state);
    m_meter->observe(run, state);
  }
  bool stepped(const Run& run, const SimulationState& state, const TrailSegment&) override {
    feedDiagnostics(run, state, m_muStart, m_series, m_meter ? &*m_meter : nullptr);
    return true;
  }

private:
  DiagnosticsSeries& m_series;
  std::optional<TheoryMeter>& m_meter;
  double m_muStart = 0;
};

}  // namespace

DiagnosticsWindow* Form1::diagnostics() const { return m_diagnostics.data(); }

void Form1::mnuDiagnosticsEnsemble_Click() {
  if (!m_ensembleDialog) {
    m_ensembleDialog = new EnsembleDialog(*m_services.files, this);
    m_ensembleDialog->setWindowIcon(windowIcon());
  }
  // The panel as it is now: a run already going on keeps the one it started with.
  if (!m_ensembleDialog->running()) m_ensembleDialog->setPanel(m_panel);
  m_ensembleDialog->show();
  m_ensembleDialog->raise();
  m_ensembleDialog->activateWindow();
}

bool Form1::diagnosticsShown() const { return m_diagnostics && m_diagnostics->isVisible(); }

void Form1::mnuDiagnosticsWindow_Click() {
  if (!m_diagnostics) {
    m_diagnostics = new DiagnosticsWindow(m_diagnosticsSeries, *m_services.dialogs, *m_services.files);
    m_diagnostics->setProperty("language", int(uiLanguage()));
    m_diagnostics->setWindowIcon(windowIcon());
    m_diagnostics->setIntegrator(m_diagnosticsIntegrator);
    m_diagnostics->placeBeside(*this);  // the first opening only: later it stays where the user put it
  }
  m_diagnostics->show();
  m_diagnostics->raise();
  m_diagnostics->activateWindow();
  // A run in progress that the window did not see from its start is shown after its end.
  if (!m_runState.running()) {
    updateDiagnostics();
  } else {
    if (m_diagnosticsSeries.samples().empty()) m_diagnostics->awaitRunEnd();
    showTheory();
  }
}

void Form1::rebuildDiagnostics() {
  if (!m_diagnostics || m_runState.running()) return;
  if (m_diagnostics->property("language").toInt() == int(uiLanguage())) return;  // built in it
  const bool shown = m_diagnostics->isVisible();
  const QRect place = m_diagnostics->geometry();
  delete m_diagnostics.data();
  if (!shown) return;  // built on the next opening
  mnuDiagnosticsWindow_Click();
  m_diagnostics->setGeometry(place);
}

void Form1::mnuDiagnosticsBoris_Click(bool checked) {
  m_panel.chooseIntegrator(checked ? Integrator::Boris : Integrator::Rk4);
}

// The plots keep a run's curves as the pictures keep its trail: until the next recompute.
// A recompute during a run (a change made in its pause) empties them too, and the rest of
// that run is still its integrator's; the meter, whose start is gone, is dropped.
void Form1::diagnosticsRecomputed() {
  showTrailMethod(false);  // the views hold no trail now
  m_diagnosticsSeries.clear();
  m_theoryMeter.reset();
  m_theoryPrediction.reset();
  m_diagnosticsHoldRun = false;
  if (!m_runState.running()) m_diagnosticsIntegrator = m_panel.integrator();
  if (!m_diagnostics) return;
  m_diagnostics->setIntegrator(m_diagnosticsIntegrator);
  m_diagnostics->clear();
  if (m_diagnostics->isVisible()) showTheory();  // a hidden window's table waits for its opening
}

// The mark in the corner of the X0Z view names the Boris method while the views show a
// trail it drew, and nothing else: not the method chosen for a run still to come.
void Form1::showTrailMethod(bool trailShown) {
  const bool boris = trailShown && m_diagnosticsIntegrator == Integrator::Boris;
  if (m_methodMark->isHidden() == boris) m_methodMark->setVisible(boris);
}

void Form1::updateDiagnostics() {
  if (!m_diagnosticsHoldRun && m_runRecord.holdsRun() && recomputeCount() == m_recomputesAtRunEnd) {
    // The run was not watched: it is made again, bit for bit, from its record.
    m_diagnosticsSeries.clear();
    m_theoryMeter.reset();
    // Over the diagnostics window, and blocking the main one too: a start or a change there
    // would rewrite the record being replayed.
    ReplayProgress progress(m_diagnostics, tr("Построение графиков…"), m_runState.steps(),
                            Qt::ApplicationModal);
    ReplayToDiagnostics replay(m_diagnosticsSeries, m_theoryMeter);
    QPointer<Form1> self(this);
    const bool givenUp = replayRun(m_runRecord, m_runState.steps(), {&replay, &progress}, &replay).stopped;
    if (!self || !m_diagnostics) return;
    if (givenUp) {  // nothing half drawn; the next opening tries again
      m_diagnosticsSeries.clear();
      m_theoryMeter.reset();
      m_diagnostics->clear();
    }
    m_diagnosticsHoldRun = !givenUp;
  }
  m_diagnostics->finish();
  showTheory();
}

void Form1::showTheory() {
  if (!m_diagnostics) return;
  if (!m_theoryPrediction) {
    clearUpperRegisterState();  // the prediction walks field lines: thousands of calls into pow
    clearUpperRegisterState();  // the toolkit may have left it in use: the prediction is long
    m_theoryPrediction = predictTheory(m_state);
  }
  const TheoryMeter* meter = m_diagnosticsHoldRun ? theoryMeter() : nullptr;
  m_diagnostics->showTheory(theoryTable(*m_theoryPrediction, meter, meter && m_runState.cutShort()));
}

}  // namespace larmor
