#include "ui/DiagnosticsWindow.h"

#include "ui/PlotAutoscale.h"
#include "ui/PlotReadout.h"
#include "ui/QtTranslations.h"
#include "ui/TheoryTable.h"
#include "ui/WindowPlacement.h"

#include <QCoreApplication>
#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <qcustomplot.h>

namespace larmor {

namespace {

// At most this often while a run goes on [ms]: about the screen's rate, and never more
// than the plots can take (four plots of 250,000 points redraw in about 10 ms).
constexpr int redrawIntervalMs = 33;

}  // namespace

DiagnosticsWindow::DiagnosticsWindow(const DiagnosticsSeries& series, Dialogs& dialogs, FileDialogs& files,
                                     QWidget* parent)
    : QMainWindow(parent), m_series(series), m_exports(this, dialogs, files) {
  setObjectName(QStringLiteral("DiagnosticsWindow"));
  setWindowTitle(QCoreApplication::translate("larmor::DiagnosticsWindow", "Диагностика"));
  m_timer = new QTimer(this);
  m_timer->setInterval(redrawIntervalMs);
  connect(m_timer, &QTimer::timeout, this, [this] {
    if (!m_stale) return m_timer->stop();
    m_stale = false;
    updateCurves();
  });
  buildPlots();
  buildMenus();
  updateTitles();
  clear();
  resize(980, 840);
}

DiagnosticsWindow::~DiagnosticsWindow() = default;

QString DiagnosticsWindow::methodName(Integrator integrator) {
  return QString::fromUtf8(methodCaption(integrator, uiLanguage()));
}

void DiagnosticsWindow::buildPlots() {
  // The plots above the table; the user drags the border between them, and the plots take
  // what the window gains.
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setObjectName(QStringLiteral("diagnosticsSplitter"));
  splitter->setChildrenCollapsible(false);
  setCentralWidget(splitter);
  auto* central = new QWidget(splitter);
  auto* grid = new QGridLayout(central);
  m_theory = new TheoryTable(splitter);
  splitter->addWidget(central);
  splitter->addWidget(m_theory);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);

  QCustomPlot* plots[plotCount];
  for (int i = 0; i < plotCount; ++i) {
    PlotParts& parts = m_plots[static_cast<std::size_t>(i)];
    parts = buildPlot(Plot(i), central, font());
    QCustomPlot* chart = plots[i] = parts.plot;
    chart->installEventFilter(this);
    for (QCPAxis* axis : {chart->xAxis, chart->yAxis, chart->yAxis2}) {
      connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this, i] {
        if (!m_autoranging) m_plots[static_cast<std::size_t>(i)].followsData = false;
      });
    }
    connect(chart, &QCustomPlot::mouseMove, this, [this, i](QMouseEvent* event) {
      showReadout(m_plots[static_cast<std::size_t>(i)], m_curves.of(Plot(i)), event->position());
    });
    connect(chart, &QCustomPlot::mouseDoubleClick, this, [this, i] {
      autoscale(Plot(i));
      plot(Plot(i))->replot();
    });
    auto* cell = new QVBoxLayout;
    cell->addWidget(chart, 1);
    cell->addWidget(parts.readout);
    grid->addLayout(cell, i / 2, i % 2);

    // A context menu of the plot's own.
    auto* fit = new QAction(QCoreApplication::translate("larmor::DiagnosticsWindow", "Автомасштаб"), chart);
    connect(fit, &QAction::triggered, this, [this, i] {
      autoscale(Plot(i));
      plot(Plot(i))->replot();
    });
    auto* png = new QAction(QCoreApplication::translate("larmor::DiagnosticsWindow", "Сохранить в PNG…"), chart);
    connect(png, &QAction::triggered, this, [this, i] { m_exports.exportPicture(Plot(i), plot(Plot(i)), false); });
    auto* svg = new QAction(QCoreApplication::translate("larmor::DiagnosticsWindow", "Сохранить в SVG…"), chart);
    connect(svg, &QAction::triggered, this, [this, i] { m_exports.exportPicture(Plot(i), plot(Plot(i)), true); });
    chart->addActions({fit, png, svg});
    chart->setContextMenuPolicy(Qt::ActionsContextMenu);
  }
  m_curves.build(plots);

  // Two curves in a plot: a legend says which is which (inside the axes it covered ρ in a
  // trap and the pitch angle's peaks); and each value axis takes its curve's colour.
  for (Plot which : {Plot::PitchAndField, Plot::Position}) showLegend(plot(which), font());
  for (QCPAxis* axis : {plot(Plot::PitchAndField)->yAxis, plot(Plot::PitchAndField)->yAxis2}) {
    const QColor colour = axis->graphs().constFirst()->pen().color();
    axis->setLabelColor(colour);
    axis->setTickLabelColor(colour);
  }
}

void DiagnosticsWindow::buildMenus() {
  auto named = [](QAction* action, const QString& name) {
    action->setObjectName(name);
    return action;
  };
  QMenu* file = menuBar()->addMenu(QCoreApplication::translate("larmor::DiagnosticsWindow", "Файл"));
  connect(named(file->addAction(QCoreApplication::translate("larmor::DiagnosticsWindow", "Сохранить данные в CSV…")), QStringLiteral("mnuDiagExportCsv")),
          &QAction::triggered, this, [this] { m_exports.exportCsv(m_series); });
  for (const bool svg : {false, true}) {
    QMenu* pictures = file->addMenu(svg ? QCoreApplication::translate("larmor::DiagnosticsWindow", "Сохранить график в SVG") : QCoreApplication::translate("larmor::DiagnosticsWindow", "Сохранить график в PNG"));
    for (int i = 0; i < plotCount; ++i) {
      const DiagnosticPlotText& text = plotText(Plot(i));
      const QString name = QStringLiteral("mnuDiagExport%1%2").arg(svg ? QStringLiteral("Svg") : QStringLiteral("Png"),
                                                                QLatin1String(text.key));
      QAction* item = named(pictures->addAction(plotWords(text.shortName) + QStringLiteral("…")), name);
      connect(item, &QAction::triggered, this, [this, i, svg] { m_exports.exportPicture(Plot(i), plot(Plot(i)), svg); });
    }
  }
  file->addSeparator();
  connect(named(file->addAction(QCoreApplication::translate("larmor::DiagnosticsWindow", "Закрыть")), QStringLiteral("mnuDiagClose")), &QAction::triggered,
          this, &QWidget::close);

  QMenu* view = menuBar()->addMenu(QCoreApplication::translate("larmor::DiagnosticsWindow", "Вид"));
  connect(named(view->addAction(QCoreApplication::translate("larmor::DiagnosticsWindow", "Автомасштаб всех графиков")), QStringLiteral("mnuDiagAutoscale")),
          &QAction::triggered, this, [this] {
            for (int i = 0; i < plotCount; ++i) {
              autoscale(Plot(i));
              plot(Plot(i))->replot();
            }
          });
}

void DiagnosticsWindow::placeBeside(const QWidget& mainWindow) {
  const QScreen* screen = mainWindow.screen();
  if (!screen) return;
  // The desktop decorates both windows alike: this one's frame is estimated from the main
  // window's, since it has none before it is first shown.
  const QRect outer = mainWindow.frameGeometry(), inner = mainWindow.geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                       outer.bottom() - inner.bottom());
  const QSize decoration(frame.left() + frame.right(), frame.top() + frame.bottom());
  const QSize least = minimumSizeHint().expandedTo(minimumSize());
  const QRect placed = larmor::placeBeside(screen->availableGeometry(), outer, size() + decoration, least + decoration);
  setGeometry(placed.marginsRemoved(frame));
}

void DiagnosticsWindow::setIntegrator(Integrator integrator) {
  m_integrator = integrator;
  updateTitles();
}

void DiagnosticsWindow::updateTitles() {
  for (int i = 0; i < plotCount; ++i)
    fitTitle(plot(Plot(i)), plotWords(plotText(Plot(i)).title), methodName(m_integrator));
}

void DiagnosticsWindow::showTheory(const std::vector<TheoryQuantity>& rows) { m_theory->setRows(rows); }

void DiagnosticsWindow::refresh() {
  m_stale = true;
  if (!m_timer->isActive()) m_timer->start();
}

void DiagnosticsWindow::finish() {
  m_stale = false;
  m_timer->stop();
  updateCurves();
}

void DiagnosticsWindow::clear() {
  m_stale = false;
  m_timer->stop();
  m_curves.clear(m_series);
  m_autoranging = true;
  for (PlotParts& parts : m_plots) {
    parts.followsData = true;
    parts.tracer->setVisible(false);
    parts.readout->clear();
    parts.emptyNote->setVisible(true);
    parts.emptyNote->setText(emptyPlotText());
    parts.plot->xAxis->setRange(0, 1);
    parts.plot->yAxis->setRange(0, 1);
    parts.plot->yAxis2->setRange(0, 1);
    parts.plot->replot(QCustomPlot::rpQueuedReplot);
  }
  m_autoranging = false;
}

void DiagnosticsWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  updateCurves();  // a hidden window skips its redraws
}

void DiagnosticsWindow::updateCurves() {
  if (!isVisible() || !m_curves.update(m_series)) return;
  for (int i = 0; i < plotCount; ++i) {
    PlotParts& parts = m_plots[static_cast<std::size_t>(i)];
    parts.emptyNote->setVisible(m_series.samples().empty());
    if (parts.followsData) autoscale(Plot(i));
    parts.plot->replot();
  }
}

void DiagnosticsWindow::awaitRunEnd() {
  for (PlotParts& parts : m_plots) {
    parts.emptyNote->setText(QCoreApplication::translate("larmor::DiagnosticsWindow", "Идёт расчёт: кривые появятся, когда он закончится"));
    parts.plot->replot();
  }
}

void DiagnosticsWindow::autoscale(Plot which) {
  m_autoranging = true;
  autoscalePlot(plot(which));
  m_autoranging = false;
  m_plots[static_cast<std::size_t>(which)].followsData = true;
}

bool DiagnosticsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize || event->type() == QEvent::Leave) {
    for (int i = 0; i < plotCount; ++i) {
      PlotParts& parts = m_plots[static_cast<std::size_t>(i)];
      if (parts.plot != watched) continue;
      if (event->type() == QEvent::Resize)
        fitTitle(parts.plot, plotWords(plotText(Plot(i)).title), methodName(m_integrator));
      else
        hideReadoutMark(parts);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace larmor
