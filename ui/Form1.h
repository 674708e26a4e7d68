#pragma once

#include "model/DiagnosticsSeries.h"
#include "model/SimulationState.h"
#include "model/TheoryMeter.h"
#include "model/TheoryPrediction.h"
#include "panel/ControlPanel.h"
#include "panel/PanelAction.h"
#include "panel/ParallelFeed.h"
#include "panel/RunRecord.h"
#include "panel/Scenario.h"
#include "ui/RunState.h"
#include "ui/Services.h"
#include "views/Views.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QImage;
class QMenu;
class QEventLoop;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTimer;

namespace larmor {

class DiagnosticsWindow;
class EnsembleDialog;
class OrbitView;
class Form2;
class PanelBinding;
class PictureBox;
class VerticalBar;

// The main window: every input, output and drawing surface, built in code and laid out
// by razmer. It owns the program-wide simulation state; the handlers keep their
// control-underscore-event names.
class Form1 : public QMainWindow {
  Q_OBJECT

public:
  // Null members of services are replaced by the real desktop services.
  explicit Form1(Services services = {}, QWidget* parent = nullptr);
  ~Form1() override;

  static QString mainTitle();

  const SimulationState& state() const { return m_state; }
  const ControlPanel& panel() const { return m_panel; }
  bool ready() const { return m_panel.ready(); }
  bool running() const { return m_runState.running(); }
  // How many times RecomputeQuantities has run since the window was created.
  int recomputeCount() const { return m_panel.recomputeCount(); }
  // Steps made by the last (or current) run.
  std::int64_t lastRunSteps() const { return m_runState.steps(); }
  void setRunStepLimit(std::int64_t limit) { m_runStepLimit = limit; }  // tighter only; for tests

  // The diagnostics of the last or current run. A run that starts while the diagnostics
  // window is shown adds a sample at every step (calling diagnostics()->refresh() when it
  // paces) and calls diagnostics()->finish() at its end; a run nobody watches leaves them
  // empty, and opening the window after it fills them by replaying the run. A recompute
  // empties both. The window is created on first opening.
  DiagnosticsSeries& diagnosticsSeries() {
    catchUpDiagnostics();
    return m_diagnosticsSeries;
  }
  DiagnosticsWindow* diagnostics() const;
  // What the theory meter has measured of the last run; none when no run was fed to it
  // since the last recompute.
  const TheoryMeter* theoryMeter() const {
    catchUpDiagnostics();
    return m_theoryMeter ? &*m_theoryMeter : nullptr;
  }
  // Whether the last watched run fed both on a second core (a long run at full speed).
  bool diagnosticsFedInParallel() const { return m_fedInParallel; }
  // The 3-D view, once opened; it follows every run live and shows the last one when
  // opened after it.
  OrbitView* orbitView() const;

  // Places and sizes every visible control for the current client area.
  void razmer();
  // Pauses m × 10 ms while the window handles its events; m = 0 returns at once.
  void Wait(int m);
  // The end-of-run tone: 880 Hz for 12·t ms.
  void beep2(int t);

  void RecomputeQuantities();

public slots:
  // Ends a paced run after its current pause, as a run ends at its end time (tone, time in
  // the title), then says at which step it was stopped. Nothing happens without a run.
  void stopRun();

public:

  // Opens a scenario file as the user would set its controls, then shows its title and
  // description; a file that cannot be read or is refused is named in a message with its
  // first problem, and the window stays as it was; refused while a run goes on. True when
  // it was opened.
  bool openScenario(const QString& path);
  // Both views as the window shows them, drawn again with an X0Y view width pixels wide:
  // the last run replayed when nothing was recomputed since it ended.
  QImage viewsPicture(int width);

signals:
  // After every recompute, with the state it left.
  void recomputed();
  // After every step of a run.
  void runStepped();

protected:
  void closeEvent(QCloseEvent* event) override;
  // A language chosen: every text written again, the panel's in the same language.
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void buildControls();
  void buildMenus();
  void buildHolders();
  void buildLanguageMenu(QMenu* file);
  void retranslateUi();
  // The diagnostics window built again in the window's language, where it was, with the
  // last run; not during a run, which feeds it.
  void rebuildDiagnostics();
  void setTabOrder();
  void fitTexts();
  void Form_Load();
  void Form_Resize();

  void bindPanel();

  // A user's change: applied to the panel and, during a run, noted with the step it
  // followed, so that the run can be replayed for an export.
  void act(const PanelAction& action);
  // The same action made on its widget, which then tells the panel: opening a scenario.
  void actOnWidget(const PanelAction& action);
  void noteDuringRun(const PanelAction& action);
  void beginRunRecord();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileExportCsv_Click();
  void mnuFileExportPng_Click();
  void fillExamplesMenu();
  void enableExports();

  void CmdOK_Click();
  // How a run ended, for what the window says after it.
  enum class RunEnd { Whole, CutAtStepLimit, NonFinite, AxisStart, Stopped, Abandoned };
  RunEnd RunTrajectory();
  class WindowRun;  // the run driver's observer: draws, feeds the diagnostics, paces
  void showAccuracy(const std::string& text);
  void Timer1_Timer();

  void mnuFilespravka_Click();
  void mnuFileExit_Click();
  void mnuHelpInstruction_Click();
  void mnuHelpUprav_Click();
  void mnuHelpAvtors_Click();
  void mnuHelpAbout_Click();
  void mnuHelpAbout2_Click();
  // Hands a document of the working directory to the desktop; says where it lies when
  // nothing opened it.
  void openDocument(const QString& bareFileName, const QString& title);
  static QString helpDocument(const char* name, const char* suffix);
  void mnuDiagnosticsWindow_Click();
  void mnuDiagnosticsBoris_Click(bool checked);
  void mnuDiagnosticsEnsemble_Click();
  static QString stoppedRunText(std::int64_t steps);
  void diagnosticsRecomputed();
  // Shows the method's mark on the X0Z view when the trail it shows (if any) is the Boris run's.
  void showTrailMethod(bool trailShown);
  bool diagnosticsShown() const;
  // Brings the shown diagnostics window up to the last run: the series and the meter made
  // again from the run record when they do not hold it and nothing was recomputed since,
  // then the plots drawn and the table filled.
  void updateDiagnostics();
  // The theory table: the predictions for the state of the last recompute, with the
  // meter's measurements when it holds a run.
  void showTheory();

  // Loads a picture file from the working directory into Image1; false (and Image1
  // unchanged) when it is missing or unreadable.
  bool loadImage1(const QString& bareFileName);
  bool loadPicture(const QString& bareFileName);
  void showBuiltInPicture();
  static char decimalSeparator();

  Services m_services;
  ControlPanel m_panel;
  // The panel's state under the name the run and the views know it by.
  SimulationState& m_state = m_panel.state();
  std::unique_ptr<PanelBinding> m_binding;

  RunRecord m_runRecord;         // the last run, to be replayed for an export
  int m_recomputesAtRunEnd = -1; // the recompute count the last run's pictures were left at
  // The lesson opened or saved last, its texts in both languages; those of the window's
  // language are offered on saving.
  Scenario m_lesson;
  QMenu* m_examplesMenu = nullptr;
  std::string m_accuracyText;  // the accuracy label's text from the run; empty before one

  int m_selections = 0, m_selectionsAtPress = 0;  // selections run, in all and before the last press

  // The run in progress and how the last one ended: a second start is refused; closing
  // asks it to end first.
  RunState m_runState;
  bool m_exitConfirmed = false;  // the exit was confirmed once: the close after a run asks no more
  std::int64_t m_runStepLimit = INT64_MAX;
  QEventLoop* m_waitLoop = nullptr;

  QWidget* m_client = nullptr;
  PictureBox* Picture1 = nullptr;
  PictureBox* Picture2 = nullptr;
  std::unique_ptr<Views> m_views;

  VerticalBar* VScroll1 = nullptr;
  VerticalBar* VScroll2 = nullptr;
  VerticalBar* VScroll3 = nullptr;
  VerticalBar* VScroll4 = nullptr;
  VerticalBar* VScroll5 = nullptr;
  VerticalBar* VScroll6 = nullptr;
  VerticalBar* VScroll7 = nullptr;
  VerticalBar* VScroll8 = nullptr;
  VerticalBar* VScroll9 = nullptr;
  VerticalBar* VScroll10 = nullptr;
  QScrollBar* HScroll1 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QListWidget* List1 = nullptr;
  QPushButton* CmdOK = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* m_methodMark = nullptr;  // which method drew the trail, in the corner of the X0Z view
  QTimer* Timer1 = nullptr;
  QLabel* Label[30] = {};  // Label[1] … Label[29]; index 0 unused

  QPointer<Form2> m_form2;
  DiagnosticsSeries m_diagnosticsSeries;
  Integrator m_diagnosticsIntegrator = Integrator::Rk4;  // whose run the series holds
  // The series and the meter hold the last run (fed by it or by its replay).
  bool m_diagnosticsHoldRun = false;
  std::optional<TheoryMeter> m_theoryMeter;
  // While a long run at full speed feeds both on a second core: each reader waits for it.
  ParallelFeed* m_parallelFeed = nullptr;
  bool m_fedInParallel = false;
  void catchUpDiagnostics() const {
    if (m_parallelFeed) m_parallelFeed->catchUp();
  }
  std::optional<TheoryPrediction> m_theoryPrediction;  // of the last recompute, made when first shown
  QPointer<DiagnosticsWindow> m_diagnostics;
  QPointer<EnsembleDialog> m_ensembleDialog;  // created on first opening

  class OrbitRelay;  // hands the run to the 3-D view while it is open
  void mnuOrbitView_Click();
  void orbitRecomputed();
  void rebuildOrbitView();
  QPointer<OrbitView> m_orbitView;
};

}  // namespace larmor
