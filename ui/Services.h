#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace larmor {

// What the window asks of the desktop, behind small interfaces so tests inject fakes.

// Opens a document with the desktop's associated program. Returns false, with a reason,
// when the file is missing or no program could be asked to show it.
class DocumentOpener {
public:
  virtual ~DocumentOpener() = default;
  virtual bool open(const QString& bareFileName, QString* reason) = 0;
};

// Starts a plain-text editor on a file, directly with an argument list (never a shell).
// Returns false, with a reason, when no editor could be started.
class EditorLauncher {
public:
  virtual ~EditorLauncher() = default;
  virtual bool launch(const QString& bareFileName, QString* errorMessage) = 0;
};

// Plays the end-of-run tone without blocking the caller; silent without a sound device.
class TonePlayer {
public:
  virtual ~TonePlayer() = default;
  virtual void play(int frequencyHz, int durationMs) = 0;
};

// The modal message boxes of the window.
class Dialogs {
public:
  virtual ~Dialogs() = default;
  // "Вы абсолютно уверены?" / "На Выход", Yes and No, no icon; true on Yes.
  virtual bool confirmExit(QWidget* parent) = 0;
  // OK only, no icon.
  virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
  // A failure the user should know about (an editor that could not start).
  virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
};

// What the window asks when a file is opened, saved or exported. Every answer can be a
// cancel: an empty path or no value.
class FileDialogs {
public:
  virtual ~FileDialogs() = default;
  // filter: one "Name (*.suffix)" entry.
  virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
  // suggestedName: a bare name, offered in the folder chosen last; the suffix is added
  // when the user typed none.
  virtual QString saveFileName(QWidget* parent, const QString& title, const QString& suggestedName,
                               const QString& filter, const QString& suffix) = 0;
  struct Description {
    QString title;
    QString text;
  };
  // The title and description a saved lesson is to carry, offered as they are.
  virtual std::optional<Description> describeScenario(QWidget* parent, const Description& current) = 0;
  // The width of the X0Y view in an exported picture [px]: the window's own is offered.
  virtual std::optional<int> pictureWidth(QWidget* parent, int windowWidth) = 0;
  // A file was really written or read at path: the next dialog starts in its folder. A
  // folder chosen where nothing could be written is not remembered.
  virtual void fileUsed(const QString& /*path*/) {}
};

// The set the main window is built with; null members are replaced by the real ones.
struct Services {
  DocumentOpener* opener = nullptr;
  EditorLauncher* launcher = nullptr;
  TonePlayer* tonePlayer = nullptr;
  Dialogs* dialogs = nullptr;
  FileDialogs* files = nullptr;
};

}  // namespace larmor
