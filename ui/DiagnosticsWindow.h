#pragma once

#include "model/DiagnosticsSeries.h"
#include "model/Theory.h"
#include "panel/PanelControls.h"
#include "ui/DiagnosticsCurves.h"
#include "ui/DiagnosticsExports.h"
#include "ui/DiagnosticsPlots.h"

#include <QIcon>
#include <QMainWindow>

#include <array>
#include <vector>

class QCustomPlot;
class QTimer;

namespace larmor {

class Dialogs;
class FileDialogs;
class TheoryTable;

// "Диагностика": what a run keeps and what it changes, plotted against time, and below the
// plots the guiding-centre theory against the run. The window only reads the series the
// run fills; it draws it live at most ~30 times a second and whole at the end of a run,
// and keeps the last curves until it is cleared. Closing only hides it: its owner keeps it
// for the next opening.
class DiagnosticsWindow : public QMainWindow {
  Q_OBJECT

public:
  using Plot = DiagnosticPlot;
  static constexpr int plotCount = diagnosticPlotCount;

  // series, dialogs and files outlive the window.
  DiagnosticsWindow(const DiagnosticsSeries& series, Dialogs& dialogs, FileDialogs& files, QWidget* parent = nullptr);
  ~DiagnosticsWindow() override;

  // Names the method in the plots' titles: the integrator whose run the series holds.
  void setIntegrator(Integrator integrator);
  Integrator integrator() const { return m_integrator; }
  static QString methodName(Integrator integrator);  // "метод Рунге–Кутты", "метод Бориса"

  // Before the first showing: within the free area of mainWindow's screen, beside it where
  // there is room (see placeBeside).
  void placeBeside(const QWidget& mainWindow);

  // The series has grown: cheap enough for every step, it only marks the plots stale; a
  // timer redraws them at most ~30 times a second while events are handled.
  void refresh();
  // The run has ended: the plots are redrawn at once (at slow-down 0, the first time).
  void finish();
  // A new run or recompute: the curves are emptied until the series changes again.
  void clear();
  // Opened during a run it did not watch from its start: the empty plots say that the
  // curves come when the run ends (they are made from its record then), until clear().
  void awaitRunEnd();

  // The theory table's rows: predictions alone after a recompute, with the measurements
  // after a run.
  void showTheory(const std::vector<TheoryQuantity>& rows);
  TheoryTable* theoryTable() const { return m_theory; }

  // Asks where exports are written from now on (tests answer in place of the desktop).
  void setFileDialogs(FileDialogs& files) { m_exports.setFileDialogs(files); }

  QCustomPlot* plot(Plot which) const { return m_plots[static_cast<std::size_t>(which)].plot; }

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void buildPlots();
  void buildMenus();
  void updateTitles();
  void updateCurves();
  void autoscale(Plot which);

  const DiagnosticsSeries& m_series;
  DiagnosticsExports m_exports;
  Integrator m_integrator = Integrator::Rk4;

  std::array<PlotParts, plotCount> m_plots;
  DiagnosticsCurves m_curves;
  TheoryTable* m_theory = nullptr;
  QTimer* m_timer = nullptr;
  bool m_stale = false;
  bool m_autoranging = false;  // ranges being set by the window, not by the user
};

}  // namespace larmor
