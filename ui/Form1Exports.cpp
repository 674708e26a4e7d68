// The exports of the last run: its trajectory (CSV) and both views (PNG), made again from
// the run's record rather than kept step by step.
#include "ui/Form1.h"

#include "canvas/ViewsPicture.h"
#include "panel/Run.h"
#include "panel/TrajectoryCsv.h"
#include "ui/FileErrors.h"
#include "ui/FileNaming.h"
#include "ui/PictureBox.h"
#include "ui/ReplayProgress.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QSaveFile>

#include <algorithm>

namespace larmor {

namespace {

// A replay drawn into a picture as the window draws a run.
class ReplayToViews : public RunObserver, public PanelObserver {
public:
  ReplayToViews(Views& views, ReplayProgress& progress) : m_views(views), m_progress(progress) {}
  void starting(const ControlPanel& panel) override {
    m_panel = &panel;
    m_views.Clear();
  }
  void recomputed() override { m_views.Redraw(m_panel->state()); }
  void markerColoursChanged(int chargePosition) override { m_views.SetMarkerColours(chargePosition); }
  void prepared(const Run&, const SimulationState& state) override { m_views.DrawFieldStructure(state); }
  bool stepped(const Run& run, const SimulationState& state, const TrailSegment& segment) override {
    m_views.PlotTrailSegment(segment);
    m_views.PlaceMarkers(state);
    return m_progress.keepGoing(run.stepsDone());
  }

private:
  Views& m_views;
  ReplayProgress& m_progress;
  const ControlPanel* m_panel = nullptr;
};

// A replay written as the companion's CSV rows, with its diagnostics columns when asked.
class ReplayToCsv : public RunObserver {
public:
  ReplayToCsv(CsvWriter& csv, ReplayProgress& progress, bool diagnostics)
      : m_csv(csv), m_progress(progress), m_diagnostics(diagnostics) {}
  void prepared(const Run& run, const SimulationState& state) override {
    if (m_diagnostics) m_muStart = startMoment(run, state);
  }
  bool stepped(const Run& run, const SimulationState& s, const TrailSegment&) override {
    DiagnosticSample sample;
    if (m_diagnostics) sample = diagnosticSample(run, s, m_muStart);
    m_csv.row(run, s, m_diagnostics ? &sample : nullptr);
    return m_progress.keepGoing(run.stepsDone());
  }

private:
  CsvWriter& m_csv;
  ReplayProgress& m_progress;
  bool m_diagnostics;
  double m_muStart = 0;
};

}  // namespace

void Form1::mnuFileExportCsv_Click() {
  if (m_running || !m_runRecord.holdsRun()) {
    m_services.dialogs->information(this, QStringLiteral("Экспорт траектории"),
                                    m_running ? QStringLiteral("Расчет еще идет: траекторию можно сохранить после его конца.")
                                              : QStringLiteral("Траектории еще нет: сначала выполните расчет (ПУСК)."));
    return;
  }
  const QString path = m_services.files->saveFileName(this, QStringLiteral("Экспорт траектории"),
                                                      suggestedName(QStringLiteral("траектория"), "csv"),
                                                      QStringLiteral("Таблица CSV (*.csv)"), QStringLiteral("csv"));
  if (path.isEmpty()) return;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    m_services.dialogs->warning(this, QStringLiteral("Траектория не сохранена"),
                                QStringLiteral("Файл «%1» не записан: %2.").arg(shownPath(path), fileErrorReason(file)));
    return;
  }
  // The run is not kept step by step: it is made again from its record, row after row.
  CsvWriter csv([&file](const char* bytes, std::size_t size) {
    return file.write(bytes, static_cast<qint64>(size)) == static_cast<qint64>(size);
  });
  // The diagnostics' columns go with the trajectory once the diagnostics window shows this run.
  const bool diagnostics = m_diagnosticsHoldRun;
  csv.header(diagnostics);
  ReplayProgress progress(this, QStringLiteral("Запись траектории…"), m_lastRunSteps);
  ReplayToCsv rows(csv, progress, diagnostics);
  const ReplayEnd end = replayRun(m_runRecord, m_lastRunSteps, rows);
  csv.flush();
  if (end.stopped) return file.cancelWriting();  // given up: nothing is written
  if (csv.failed() || !file.commit()) {
    m_services.dialogs->warning(this, QStringLiteral("Траектория не сохранена"),
                                QStringLiteral("Файл «%1» не записан: %2.").arg(shownPath(path), fileErrorReason(file)));
    return;
  }
  m_services.files->fileUsed(path);
}

QImage Form1::viewsPicture(int width) {
  ViewsPicture picture(width);
  Views& views = picture.views();
  // The picture names the Boris method as the window's X0Z view does.
  const auto* method = Picture2->findChild<QLabel*>(QStringLiteral("lblMethod"));
  const QString drawnBy = method && !method->isHidden() ? method->text() : QString();
  if (!m_running && m_runRecord.holdsRun() && recomputeCount() == m_recomputesAtRunEnd) {
    // The views still show the end of the last run: it is drawn again at this size.
    ReplayProgress progress(this, QStringLiteral("Рисование видов…"), m_lastRunSteps);
    ReplayToViews drawing(views, progress);
    if (replayRun(m_runRecord, m_lastRunSteps, drawing, &drawing).stopped) return {};
  } else {
    views.SetMarkerColours(m_panel.position(Bar::VScroll1));
    views.Redraw(m_state);
    // A marker outside its view stays where the last run left it on the screen: the same
    // place here, its centre scaled to this width.
    const double scale = double(width) / std::max(1, Picture1->width());
    const QPointF half(ImageCanvas::markerDiameter / 2.0, ImageCanvas::markerDiameter / 2.0);
    picture.xy().placeMarker((Picture1->canvas().markerTopLeft() + half) * scale - half);
    picture.xz().placeMarker((Picture2->canvas().markerTopLeft() + half) * scale - half);
  }
  return picture.compose(drawnBy);
}

void Form1::mnuFileExportPng_Click() {
  if (m_running) {
    m_services.dialogs->information(this, QStringLiteral("Экспорт видов"),
                                    QStringLiteral("Расчет еще идет: виды можно сохранить после его конца."));
    return;
  }
  const std::optional<int> width = m_services.files->pictureWidth(this, std::clamp(Picture1->width(), 16, 2048));
  if (!width) return;
  const QString path = m_services.files->saveFileName(this, QStringLiteral("Экспорт видов"),
                                                      suggestedName(QStringLiteral("виды"), "png"),
                                                      QStringLiteral("Рисунок PNG (*.png)"), QStringLiteral("png"));
  if (path.isEmpty()) return;
  const QImage image = viewsPicture(std::clamp(*width, 16, 2048));
  if (image.isNull()) return;  // given up
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
    m_services.dialogs->warning(this, QStringLiteral("Виды не сохранены"),
                                QStringLiteral("Файл «%1» не записан: %2.").arg(shownPath(path), fileErrorReason(file)));
    return;
  }
  m_services.files->fileUsed(path);
}

void Form1::enableExports() {
  if (auto* csv = findChild<QAction*>(QStringLiteral("mnuFileExportCsv")))
    csv->setEnabled(!m_running && m_runRecord.holdsRun());
  if (auto* png = findChild<QAction*>(QStringLiteral("mnuFileExportPng"))) png->setEnabled(!m_running);
}

}  // namespace larmor
