// The exports of the last run: its trajectory (CSV) and both views (PNG), made again from
// the run's record rather than kept step by step.
#include "ui/Form1.h"

#include "canvas/ViewsFollower.h"
#include "canvas/ViewsPicture.h"
#include "ui/QtTranslations.h"
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

void Form1::mnuFileExportCsv_Click() {
  if (m_runState.running() || !m_runRecord.holdsRun()) {
    m_services.dialogs->information(this, tr("Экспорт траектории"),
                                    m_runState.running() ? tr("Расчет еще идет: траекторию можно сохранить после его конца.")
                                              : tr("Траектории еще нет: сначала выполните расчет (ПУСК)."));
    return;
  }
  const QString path = m_services.files->saveFileName(this, tr("Экспорт траектории"),
                                                      suggestedName(tr("траектория"), "csv"),
                                                      tr("Таблица CSV (*.csv)"), QStringLiteral("csv"));
  if (path.isEmpty()) return;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    m_services.dialogs->warning(this, tr("Траектория не сохранена"),
                                tr("Файл «%1» не записан: %2.").arg(shownPath(path), fileErrorReason(file)));
    return;
  }
  // The run is not kept step by step: it is made again from its record, row after row.
  CsvWriter csv([&file](const char* bytes, std::size_t size) {
    return file.write(bytes, static_cast<qint64>(size)) == static_cast<qint64>(size);
  });
  // The diagnostics' columns go with the trajectory once the diagnostics window shows this run.
  CsvSteps rows(csv, m_diagnosticsHoldRun);
  ReplayProgress progress(this, tr("Запись траектории…"), m_runState.steps());
  const ReplayEnd end = replayRun(m_runRecord, m_runState.steps(), {&rows, &progress});
  csv.flush();
  if (end.stopped) return file.cancelWriting();  // given up: nothing is written
  if (csv.failed() || !file.commit()) {
    m_services.dialogs->warning(this, tr("Траектория не сохранена"),
                                tr("Файл «%1» не записан: %2.").arg(shownPath(path), fileErrorReason(file)));
    return;
  }
  m_services.files->fileUsed(path);
}

QImage Form1::viewsPicture(int width) {
  ViewsPicture picture(width);
  Views& views = picture.views();
  views.setLanguage(uiLanguage());  // the axis names as the window writes them
  // The picture names the Boris method as the window's X0Z view does.
  const QString drawnBy = m_methodMark->isHidden() ? QString() : m_methodMark->text();
  if (!m_runState.running() && m_runRecord.holdsRun() && recomputeCount() == m_recomputesAtRunEnd) {
    // The views still show the end of the last run: it is drawn again at this size.
    ReplayProgress progress(this, tr("Рисование видов…"), m_runState.steps());
    ViewsFollower drawing(m_panel, views);
    if (replayRun(m_runRecord, m_runState.steps(), {&drawing, &progress}, &drawing).stopped) return {};
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
  if (m_runState.running()) {
    m_services.dialogs->information(this, tr("Экспорт видов"),
                                    tr("Расчет еще идет: виды можно сохранить после его конца."));
    return;
  }
  const std::optional<int> width = m_services.files->pictureWidth(this, std::clamp(Picture1->width(), 16, 2048));
  if (!width) return;
  const QString path = m_services.files->saveFileName(this, tr("Экспорт видов"),
                                                      suggestedName(tr("виды"), "png"),
                                                      tr("Рисунок PNG (*.png)"), QStringLiteral("png"));
  if (path.isEmpty()) return;
  const QImage image = viewsPicture(std::clamp(*width, 16, 2048));
  if (image.isNull()) return;  // given up
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
    m_services.dialogs->warning(this, tr("Виды не сохранены"),
                                tr("Файл «%1» не записан: %2.").arg(shownPath(path), fileErrorReason(file)));
    return;
  }
  m_services.files->fileUsed(path);
}

void Form1::enableExports() {
  if (auto* csv = findChild<QAction*>(QStringLiteral("mnuFileExportCsv")))
    csv->setEnabled(!m_runState.running() && m_runRecord.holdsRun());
  if (auto* png = findChild<QAction*>(QStringLiteral("mnuFileExportPng"))) png->setEnabled(!m_runState.running());
}

}  // namespace larmor
