// The user's actions as the window makes them (and notes them during a run, for a replay),
// and the lessons: scenarios opened and saved, the examples menu.
#include "ui/Form1.h"

#include "panel/ScenarioActions.h"
#include "panel/ScenarioFile.h"
#include "ui/FileErrors.h"
#include "ui/FileNaming.h"
#include "ui/QtTranslations.h"
#include "ui/VerticalBar.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSaveFile>
#include <QScrollBar>
#include <QStyle>


namespace larmor {

namespace {

const char* const examplesFolder = "examples";  // in the runtime folder, beside the pictures

QString qs(const std::string& text) { return QString::fromStdString(text); }

ScenarioFileRead readScenarioAt(const QString& path) { return readScenarioFile(QFile::encodeName(path).toStdString()); }

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
  if (!m_runState.running()) return;
  m_runRecord.note(m_runState.steps(), action);
  m_recomputesAtRunEnd = recomputeCount();
}

void Form1::beginRunRecord() {
  m_runRecord.begin(m_panel);
  m_recomputesAtRunEnd = recomputeCount() + 1;  // the start's own recompute comes next
}

bool Form1::openScenario(const QString& path) {
  // A lesson sets every control at once; in a run's pause that would carry the running
  // particle into the lesson's field from wherever it is, which is no lesson at all.
  if (m_runState.running()) {
    m_services.dialogs->information(this, tr("Сценарий"),
                                    tr("Расчет еще идет: сценарий можно открыть после его конца. "
                                       "Остановить расчет можно клавишей Esc или пунктом "
                                       "«Диагностика → Остановить расчет»."));
    return false;
  }
  const ScenarioFileRead file = readScenarioAt(path);
  const ScenarioRead& read = file.read;
  if (!file.ok()) {
    const QString problem = !file.unreadable.empty()
                                ? tr("файл не читается (%1)").arg(russianReason(QString::fromLocal8Bit(file.unreadable.c_str())))
                                : qs(problemText(*read.problem, uiLanguage()));
    m_services.dialogs->warning(this, tr("Сценарий не открыт"),
                                tr("Сценарий «%1» не открыт: %2.\n\nВ окне ничего не изменилось.")
                                    .arg(shownPath(path), problem));
    return false;
  }
  for (const PanelAction& action : scenarioActions(read.scenario)) actOnWidget(action);
  m_lesson = read.scenario;
  const QString title = qs(m_lesson.titleIn(uiLanguage())), description = qs(m_lesson.descriptionIn(uiLanguage()));
  if (!title.isEmpty() || !description.isEmpty()) {
    m_services.dialogs->information(this, title.isEmpty() ? tr("Сценарий") : title,
                                    description.isEmpty() ? title : description);
  }
  return true;
}

void Form1::mnuFileOpen_Click() {
  const QString path = m_services.files->openFileName(this, tr("Открыть сценарий"),
                                                      tr("Сценарии Larmor (*.larmor)"));
  if (!path.isEmpty() && openScenario(path)) m_services.files->fileUsed(path);
}

void Form1::mnuFileSave_Click() {
  const std::optional<FileDialogs::Description> description =
      m_services.files->describeScenario(this, {qs(m_lesson.titleIn(uiLanguage())), qs(m_lesson.descriptionIn(uiLanguage()))});
  if (!description) return;
  const QString path = m_services.files->saveFileName(this, tr("Сохранить сценарий"),
                                                      suggestedName(description->title, "larmor"),
                                                      tr("Сценарии Larmor (*.larmor)"),
                                                      QStringLiteral("larmor"));
  if (path.isEmpty()) return;
  // What the user wrote goes to the texts of the window's language; the other language's are kept.
  Scenario lesson = scenarioOf(m_panel, m_lesson.title, m_lesson.description);
  lesson.titleEnglish = m_lesson.titleEnglish, lesson.descriptionEnglish = m_lesson.descriptionEnglish;
  const bool english = uiLanguage() == Language::English;
  (english ? lesson.titleEnglish : lesson.title) = description->title.toStdString();
  (english ? lesson.descriptionEnglish : lesson.description) = description->text.toStdString();
  const std::string json = scenarioJson(lesson);
  // Written beside the file and renamed over it: a failed save leaves the old file whole.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(json.data(), static_cast<qint64>(json.size())) !=
                                              static_cast<qint64>(json.size()) || !file.commit()) {
    m_services.dialogs->warning(this, tr("Сценарий не сохранён"),
                                tr("Сценарий «%1» не сохранён: %2.").arg(shownPath(path), fileErrorReason(file)));
    return;
  }
  m_services.files->fileUsed(path);
  m_lesson = lesson;
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
    const ScenarioFileRead file = readScenarioAt(path);
    if (file.ok() && !file.read.scenario.titleIn(uiLanguage()).empty()) text = qs(file.read.scenario.titleIn(uiLanguage()));
    QAction* action = m_examplesMenu->addAction(icon, text.replace(QLatin1Char('&'), QStringLiteral("&&")));
    action->setObjectName(QStringLiteral("mnuExample_") + QFileInfo(name).completeBaseName());
    connect(action, &QAction::triggered, this, [this, path] { openScenario(path); });
  }
  if (names.isEmpty()) {
    QAction* none = m_examplesMenu->addAction(icon, tr("Примеры не найдены"));
    none->setObjectName(QStringLiteral("mnuExamplesNone"));
    none->setEnabled(false);
  }
}

}  // namespace larmor
