// The window's files: scenarios opened and saved, the examples menu, and the exports of the
// last run's trajectory (CSV) and of both views (PNG).
#include "ui/Form1.h"

#include "canvas/ViewsPicture.h"
#include "panel/Run.h"
#include "panel/Scenario.h"
#include "panel/TrajectoryCsv.h"
#include "ui/PictureBox.h"
#include "ui/ReplayProgress.h"
#include "ui/VerticalBar.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QImage>
#include <QMenu>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStyle>

#include <algorithm>
#include <string_view>

namespace larmor {

namespace {

const char* const examplesFolder = "examples";  // in the runtime folder, beside the pictures

QString qs(const std::string& text) { return QString::fromStdString(text); }

QString shownPath(const QString& path) { return QDir::toNativeSeparators(path); }

// A lesson's title as a file name: what a file system takes, or "сценарий".
QString suggestedName(const QString& title, const char* suffix) {
  QString name = title;
  name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]")), QStringLiteral(" "));
  name = name.simplified().left(60);
  return (name.isEmpty() ? QStringLiteral("сценарий") : name) + QLatin1Char('.') + QLatin1String(suffix);
}

// Reads at most what a scenario may be; the reader refuses anything longer.
QByteArray readBounded(QFile& file) { return file.read(static_cast<qint64>(scenarioMaxBytes) + 1); }

ScenarioRead readScenarioBytes(const QByteArray& bytes) {
  return readScenario(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

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
    m_csv.row(run.stepsDone(), run.t(), s.x, s.y, s.z, run.vxCartesian(), run.vyCartesian(), run.vzCartesian(),
              run.dV(), m_diagnostics ? &sample : nullptr);
    return m_progress.keepGoing(run.stepsDone());
  }

private:
  CsvWriter& m_csv;
  ReplayProgress& m_progress;
  bool m_diagnostics;
  double m_muStart = 0;
};

}  // namespace

void Form1::act(const PanelAction& action) {
  perform(m_panel, action);
  noteDuringRun(action);
}

void Form1::actOnWidget(const PanelAction& action) {
  switch (action.kind) {
    case PanelAction::Kind::MoveBar: {  // the widget's change reaches the panel as a user's would
      VerticalBar* const bars[] = {VScroll1, VScroll2, VScroll3, VScroll4, VScroll5,
                                   VScroll6, VScroll7, VScroll8, VScroll9, VScroll10};
      if (static_cast<Bar>(action.control) == Bar::HScroll1) return HScroll1->setValue(action.value);
      return bars[action.control]->setValue(action.value);
    }
    case PanelAction::Kind::TypeText: {
      QLineEdit* const texts[] = {Text1, Text2, Text3};
      return texts[action.control]->setText(QString::fromStdString(action.text));
    }
    case PanelAction::Kind::SelectEntry:
      if (List1->currentRow() != action.value) return List1->setCurrentRow(action.value);
      ++m_selections;  // the entry already selected, chosen again: as a click on it
      return act(action);
    case PanelAction::Kind::ChooseIntegrator:
    case PanelAction::Kind::Recompute:
      return act(action);
  }
}

void Form1::noteDuringRun(const PanelAction& action) {
  if (!m_running) return;
  m_runRecord.note(m_lastRunSteps, action);
  m_recomputesAtRunEnd = recomputeCount();
}

void Form1::beginRunRecord() {
  m_runRecord.begin(m_panel);
  m_recomputesAtRunEnd = recomputeCount() + 1;  // the start's own recompute comes next
}

bool Form1::openScenario(const QString& path) {
  QFile file(path);
  QString problem;
  ScenarioRead read;
  if (!file.open(QIODevice::ReadOnly)) {
    problem = QStringLiteral("файл не читается (%1)").arg(file.errorString());
  } else {
    const QByteArray bytes = readBounded(file);
    if (file.error() != QFileDevice::NoError) problem = QStringLiteral("файл не читается (%1)").arg(file.errorString());
    else if (!(read = readScenarioBytes(bytes)).ok()) problem = qs(problemText(*read.problem, Language::Russian));
  }
  if (!problem.isEmpty()) {
    m_services.dialogs->warning(this, QStringLiteral("Сценарий не открыт"),
                                QStringLiteral("Сценарий «%1» не открыт: %2.\n\nВ окне ничего не изменилось.")
                                    .arg(shownPath(path), problem));
    return false;
  }
  for (const PanelAction& action : scenarioActions(read.scenario)) actOnWidget(action);
  m_scenarioTitle = qs(read.scenario.title);
  m_scenarioDescription = qs(read.scenario.description);
  if (!m_scenarioTitle.isEmpty() || !m_scenarioDescription.isEmpty()) {
    m_services.dialogs->information(this, m_scenarioTitle.isEmpty() ? QStringLiteral("Сценарий") : m_scenarioTitle,
                                   m_scenarioDescription.isEmpty() ? m_scenarioTitle : m_scenarioDescription);
  }
  return true;
}

void Form1::mnuFileOpen_Click() {
  const QString path = m_services.files->openFileName(this, QStringLiteral("Открыть сценарий"),
                                                      QStringLiteral("Сценарии Larmor (*.larmor)"));
  if (!path.isEmpty()) openScenario(path);
}

void Form1::mnuFileSave_Click() {
  const std::optional<FileDialogs::Description> description =
      m_services.files->describeScenario(this, {m_scenarioTitle, m_scenarioDescription});
  if (!description) return;
  const QString path = m_services.files->saveFileName(this, QStringLiteral("Сохранить сценарий"),
                                                      suggestedName(description->title, "larmor"),
                                                      QStringLiteral("Сценарии Larmor (*.larmor)"),
                                                      QStringLiteral("larmor"));
  if (path.isEmpty()) return;
  const std::string json = scenarioJson(
      scenarioOf(m_panel, description->title.toStdString(), description->text.toStdString()));
  // Written beside the file and renamed over it: a failed save leaves the old file whole.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(json.data(), static_cast<qint64>(json.size())) !=
                                              static_cast<qint64>(json.size()) || !file.commit()) {
    m_services.dialogs->warning(this, QStringLiteral("Сценарий не сохранён"),
                                QStringLiteral("Сценарий «%1» не сохранён: %2.").arg(shownPath(path), file.errorString()));
    return;
  }
  m_scenarioTitle = description->title;
  m_scenarioDescription = description->text;
}

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
                                QStringLiteral("Файл «%1» не записан: %2.").arg(shownPath(path), file.errorString()));
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
                                QStringLiteral("Файл «%1» не записан: %2.").arg(shownPath(path), file.errorString()));
  }
}

QImage Form1::viewsPicture(int width) {
  ViewsPicture picture(width);
  Views& views = picture.views();
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
  return picture.compose();
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
                                QStringLiteral("Файл «%1» не записан: %2.").arg(shownPath(path), file.errorString()));
  }
}

// Each lesson of the runtime folder's examples, by its title, in the order of the file names.
void Form1::fillExamplesMenu() {
  m_examplesMenu->clear();
  const QIcon icon = style()->standardIcon(QStyle::SP_FileDialogContentsView);
  const QDir folder(QString::fromLatin1(examplesFolder));
  const QStringList names =
      folder.entryList({QStringLiteral("*.larmor")}, QDir::Files | QDir::Readable, QDir::Name);
  for (const QString& name : names) {
    const QString path = folder.filePath(name);
    QString text = QFileInfo(name).completeBaseName();
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
      const ScenarioRead read = readScenarioBytes(readBounded(file));
      if (read.ok() && !read.scenario.title.empty()) text = qs(read.scenario.title);
    }
    QAction* action = m_examplesMenu->addAction(icon, text.replace(QLatin1Char('&'), QStringLiteral("&&")));
    action->setObjectName(QStringLiteral("mnuExample_") + QFileInfo(name).completeBaseName());
    connect(action, &QAction::triggered, this, [this, path] { openScenario(path); });
  }
  if (names.isEmpty()) {
    QAction* none = m_examplesMenu->addAction(icon, QStringLiteral("Примеры не найдены"));
    none->setObjectName(QStringLiteral("mnuExamplesNone"));
    none->setEnabled(false);
  }
}

void Form1::enableExports() {
  if (auto* csv = findChild<QAction*>(QStringLiteral("mnuFileExportCsv")))
    csv->setEnabled(!m_running && m_runRecord.holdsRun());
  if (auto* png = findChild<QAction*>(QStringLiteral("mnuFileExportPng"))) png->setEnabled(!m_running);
}

}  // namespace larmor
