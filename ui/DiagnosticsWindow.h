#pragma once

#include "model/DiagnosticsSeries.h"
#include "model/Theory.h"
#include "panel/PanelControls.h"

#include <QIcon>
#include <QMainWindow>

#include <array>
#include <cstdint>
#include <vector>

class QCPGraph;
class QCPItemText;
class QCPItemTracer;
class QCustomPlot;
class QLabel;
class QMouseEvent;
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
  // The four plots, top left to bottom right; each holds one or two curves.
  enum class Plot { SpeedError, MagneticMoment, PitchAndField, Position };
  static constexpr int plotCount = 4;

  // series, dialogs and files outlive the window.
  DiagnosticsWindow(const DiagnosticsSeries& series, Dialogs& dialogs, FileDialogs& files, QWidget* parent = nullptr);
  ~DiagnosticsWindow() override;

  // Names the method in the plots' titles: the integrator whose run the series holds.
  void setIntegrator(Integrator integrator);
  Integrator integrator() const { return m_integrator; }
  static QString methodName(Integrator integrator);  // "метод Рунге–Кутты", "метод Бориса"

  // The menu items' icons: a plot; a turning velocity, with a check mark when chosen.
  static QIcon plotIcon();
  static QIcon borisIcon();

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
  void setFileDialogs(FileDialogs& files) { m_files = &files; }

  QCustomPlot* plot(Plot which) const { return m_plots[static_cast<std::size_t>(which)].plot; }

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct PlotParts {
    QCustomPlot* plot = nullptr;
    QLabel* readout = nullptr;
    QCPItemTracer* tracer = nullptr;
    QCPItemText* emptyNote = nullptr;  // shown while the plot has no curve
    bool followsData = true;  // autoscaled at every redraw until the user zooms or pans
  };
  struct Curve;
  static constexpr int titleMargin = 6;  // [px] kept free on either side of a plot's title

  void buildPlots();
  void buildMenus();
  void updateTitles();
  void fitTitle(Plot which);
  // Brings the curves up to the series: appends the new samples when the series only grew
  // since the last redraw, else sets them whole.
  void updateCurves();
  void autoscale(Plot which);
  void showReadout(Plot which, const QMouseEvent* event);
  void exportCsv();
  void exportPicture(Plot which, bool svg);
  // Writes bytes through a temporary file renamed into place; says why when it cannot.
  bool writeFile(const QString& path, const QByteArray& bytes);
  void cannotWrite(const QString& path, const QString& reason);

  const DiagnosticsSeries& m_series;
  Dialogs& m_dialogs;
  FileDialogs* m_files;
  Integrator m_integrator = Integrator::Rk4;

  std::array<PlotParts, plotCount> m_plots;
  TheoryTable* m_theory = nullptr;
  std::vector<Curve> m_curves;
  QTimer* m_timer = nullptr;
  bool m_stale = false;
  bool m_autoranging = false;  // ranges being set by the window, not by the user

  // What the curves show: the series as it was at that revision.
  std::uint64_t m_shownRevision = 0;
  std::size_t m_shownCount = 0;
  std::int64_t m_shownStride = 1, m_shownOffered = 0;
  DiagnosticSample m_shownLast;
};

}  // namespace larmor
