#pragma once

#include "ui/Services.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace larmor {

// One way to start an editor: a program and its arguments. The arguments may hold the
// file field codes of a desktop entry (%f %F %u %U), which stand for the file; without
// one the file is appended.
struct EditorCommand {
  QString program;
  QStringList arguments;

  bool operator==(const EditorCommand& other) const {
    return program == other.program && arguments == other.arguments;
  }
};

// Starts a plain-text editor on a file of the current working directory, directly with
// an argument list (never a shell): the desktop's default application for text/plain if
// its desktop entry is found, else the first installed of a short list of known editors,
// xdg-open last.
class DesktopEditorLauncher : public EditorLauncher {
public:
  // Returns the absolute path of an executable, or an empty text when it is not found.
  using Finder = std::function<QString(const QString& program)>;
  // Starts a program detached; false when it could not be started.
  using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;
  using CandidateSource = std::function<QList<EditorCommand>()>;

  // The real desktop: candidates looked up at every launch, PATH, QProcess.
  DesktopEditorLauncher();
  DesktopEditorLauncher(CandidateSource candidates, Finder find, Starter start);

  // Tries the candidates in order and stops at the first that starts. On failure the
  // reason (Russian, for a message box) goes to *errorMessage.
  bool launch(const QString& bareFileName, QString* errorMessage) override;

  // The known plain-text editors, most common desktops first, xdg-open last.
  static QList<EditorCommand> knownEditors();

  // The default application for text/plain in the first mimeapps.list (or defaults.list)
  // that names one whose desktop entry is found in applicationDirs; nullopt otherwise.
  static std::optional<EditorCommand> desktopDefaultEditor(const QStringList& mimeappsFiles,
                                                           const QStringList& applicationDirs);

  // The desktop default (from the standard XDG locations) followed by knownEditors().
  static QList<EditorCommand> desktopCandidates();

  // Splits the Exec value of a desktop entry into program and arguments (quotes and
  // backslash escapes as desktop entries write them); nullopt when it holds no program.
  static std::optional<EditorCommand> parseExec(const QString& exec);

  // The arguments to start command with for file: field codes replaced, others dropped.
  static QStringList argumentsFor(const EditorCommand& command, const QString& file);

private:
  CandidateSource m_candidates;
  Finder m_find;
  Starter m_start;
};

}  // namespace larmor
