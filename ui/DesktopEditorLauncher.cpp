#include "ui/DesktopEditorLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#include <utility>

namespace larmor {

namespace {

const QString textPlain = QStringLiteral("text/plain");

// The value of key in [group] of a desktop-entry style file; empty when absent.
QString iniValue(const QString& path, const QString& group, const QString& key) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream in(&file);
  const QString header = QLatin1Char('[') + group + QLatin1Char(']');
  bool inGroup = false;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith(QLatin1Char('['))) {
      inGroup = line == header;
      continue;
    }
    if (!inGroup) continue;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq > 0 && line.left(eq).trimmed() == key) return line.mid(eq + 1).trimmed();
  }
  return {};
}

// The desktop entry file of a desktop id ("a-b.desktop" may also live in "a/b.desktop").
QString findDesktopEntry(const QString& id, const QStringList& applicationDirs) {
  for (const QString& dir : applicationDirs) {
    const QString direct = QDir(dir).filePath(id);
    if (QFileInfo::exists(direct)) return direct;
    QString nested = id;
    nested.replace(QLatin1Char('-'), QLatin1Char('/'));
    const QString inSubdir = QDir(dir).filePath(nested);
    if (nested != id && QFileInfo::exists(inSubdir)) return inSubdir;
  }
  return {};
}

}  // namespace

DesktopEditorLauncher::DesktopEditorLauncher()
    : DesktopEditorLauncher(
          &DesktopEditorLauncher::desktopCandidates,
          [](const QString& program) { return QStandardPaths::findExecutable(program); },
          [](const QString& program, const QStringList& arguments) {
            return QProcess::startDetached(program, arguments);
          }) {}

DesktopEditorLauncher::DesktopEditorLauncher(CandidateSource candidates, Finder find,
                                             Starter start)
    : m_candidates(std::move(candidates)), m_find(std::move(find)), m_start(std::move(start)) {}

bool DesktopEditorLauncher::launch(const QString& bareFileName, QString* errorMessage) {
  // The file's existence is not checked: the editor is started on the name regardless.
  const QString file = QDir::current().absoluteFilePath(bareFileName);
  QStringList failed;
  for (const EditorCommand& candidate : m_candidates()) {
    const QString program = m_find(candidate.program);
    if (program.isEmpty()) continue;
    if (m_start(program, argumentsFor(candidate, file))) return true;
    failed << candidate.program;
  }
  if (errorMessage != nullptr) {
    *errorMessage =
        failed.isEmpty()
            ? QCoreApplication::translate("larmor::DesktopEditorLauncher", "Не найден текстовый редактор, чтобы открыть файл «%1».")
                  .arg(bareFileName)
            : QCoreApplication::translate("larmor::DesktopEditorLauncher", "Не удалось запустить текстовый редактор (%1), чтобы открыть "
                             "файл «%2».")
                  .arg(failed.join(QStringLiteral(", ")), bareFileName);
  }
  return false;
}

QList<EditorCommand> DesktopEditorLauncher::knownEditors() {
  QList<EditorCommand> editors;
  for (const char* name : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma",
                           "xed", "featherpad", "leafpad", "xdg-open"}) {
    editors.append({QString::fromLatin1(name), {}});
  }
  return editors;
}

std::optional<EditorCommand> DesktopEditorLauncher::desktopDefaultEditor(
    const QStringList& mimeappsFiles, const QStringList& applicationDirs) {
  for (const QString& list : mimeappsFiles) {
    // mimeapps.list and the older defaults.list share this group.
    const QString ids = iniValue(list, QStringLiteral("Default Applications"), textPlain);
    for (const QString& id : ids.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString entry = findDesktopEntry(id.trimmed(), applicationDirs);
      if (entry.isEmpty()) continue;
      const auto command = parseExec(iniValue(entry, QStringLiteral("Desktop Entry"),
                                              QStringLiteral("Exec")));
      if (command) return command;
    }
  }
  return std::nullopt;
}

QList<EditorCommand> DesktopEditorLauncher::desktopCandidates() {
  // The lookup order of the XDG rules: user configuration, system configuration, then the
  // lists that ship with the applications.
  QStringList lists;
  const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP").section(':', 0, 0).toLower();
  for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
    if (!desktop.isEmpty()) lists << QDir(dir).filePath(desktop + QStringLiteral("-mimeapps.list"));
    lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"));
  }
  const QStringList applicationDirs =
      QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
  for (const QString& dir : applicationDirs) {
    lists << QDir(dir).filePath(QStringLiteral("mimeapps.list"))
          << QDir(dir).filePath(QStringLiteral("defaults.list"));
  }

  QList<EditorCommand> candidates;
  if (auto preferred = desktopDefaultEditor(lists, applicationDirs)) candidates << *preferred;
  candidates << knownEditors();
  return candidates;
}

std::optional<EditorCommand> DesktopEditorLauncher::parseExec(const QString& exec) {
  QStringList tokens;
  QString current;
  bool inToken = false;
  bool quoted = false;
  for (qsizetype i = 0; i < exec.size(); ++i) {
    const QChar c = exec.at(i);
    if (quoted) {
      if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
        current += exec.at(++i);
      } else if (c == QLatin1Char('"')) {
        quoted = false;
      } else {
        current += c;
      }
    } else if (c == QLatin1Char('"')) {
      quoted = true;
      inToken = true;
    } else if (c.isSpace()) {
      if (inToken) tokens << current;
      current.clear();
      inToken = false;
    } else {
      current += c;
      inToken = true;
    }
  }
  if (inToken) tokens << current;
  if (tokens.isEmpty() || tokens.first().isEmpty()) return std::nullopt;
  EditorCommand command{tokens.takeFirst(), tokens};
  return command;
}

QStringList DesktopEditorLauncher::argumentsFor(const EditorCommand& command,
                                                const QString& file) {
  static const QStringList fileCodes = {QStringLiteral("%f"), QStringLiteral("%F"),
                                        QStringLiteral("%u"), QStringLiteral("%U")};
  QStringList arguments;
  bool fileGiven = false;
  for (const QString& argument : command.arguments) {
    if (fileCodes.contains(argument)) {
      if (!fileGiven) arguments << file;  // one file: the first code takes it
      fileGiven = true;
    } else if (argument.size() == 2 && argument.startsWith(QLatin1Char('%')) &&
               argument != QLatin1String("%%")) {
      continue;  // %i %c %k and the deprecated codes expand to nothing here
    } else {
      QString plain = argument;
      arguments << plain.replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
  }
  if (!fileGiven) arguments << file;
  return arguments;
}

}  // namespace larmor
