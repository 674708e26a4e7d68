// The 3-D view from the main window's side: opening it, showing the last run from its
// record, following recomputes.
#include "ui/Form1Orbit.h"

#include "ui/QtTranslations.h"
#include "ui/ReplayProgress.h"

namespace larmor {

OrbitView* Form1::orbitView() const { return m_orbitView.data(); }

void Form1::mnuOrbitView_Click() {
  if (!m_orbitView) {
    m_orbitView = new OrbitView(*m_services.dialogs, *m_services.files, this);
    m_orbitView->setProperty("language", int(uiLanguage()));
    m_orbitView->setWindowIcon(windowIcon());
    connect(this, &Form1::recomputed, m_orbitView, [this] { orbitRecomputed(); });
    orbitRecomputed();
    // The last run, or the steps the current one has made so far, made again from the
    // record: bit for bit the same path, then followed live.
    const bool pathShown = m_runRecord.holdsRun() &&
                           (m_runState.running() || recomputeCount() == m_recomputesAtRunEnd);
    if (pathShown) {
      ReplayProgress progress(m_orbitView, tr("Построение траектории…"), m_runState.steps(), Qt::ApplicationModal);
      QPointer<Form1> self(this);
      OrbitFollower& follower = m_orbitView->follower();
      const bool givenUp = replayRun(m_runRecord, m_runState.steps(), {&follower, &progress}, &follower).stopped;
      if (!self || !m_orbitView) return;
      m_orbitView->picture().pathColour = m_views->trailColour();
      if (givenUp) orbitRecomputed();  // nothing half drawn
    }
    m_orbitView->resize(m_orbitView->sizeHint());
  }
  m_orbitView->show();
  m_orbitView->raise();
  m_orbitView->activateWindow();
  m_orbitView->refresh();
}

// Built again in the window's language, as the diagnostics window is, where it stood and
// turned as it was; during a run, when the run has ended.
void Form1::rebuildOrbitView() {
  if (!m_orbitView || m_runState.running()) return;
  if (m_orbitView->property("language").toInt() == int(uiLanguage())) return;
  const bool shown = m_orbitView->isVisible();
  const QRect place = m_orbitView->geometry();
  const OrbitCamera camera = m_orbitView->picture().camera;
  delete m_orbitView.data();
  if (!shown) return;  // built on the next opening
  mnuOrbitView_Click();
  m_orbitView->setGeometry(place);
  m_orbitView->picture().camera = camera;
  m_orbitView->refresh();
}

void Form1::orbitRecomputed() {
  if (!m_orbitView) return;
  m_orbitView->follower().show(m_state);
  m_orbitView->picture().pathColour = m_views->trailColour();
}

}  // namespace larmor
