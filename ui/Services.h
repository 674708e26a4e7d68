#pragma once

#include <QString>

class QWidget;

namespace larmor {

// What the window asks of the desktop, behind small interfaces so tests inject fakes.

// Opens a document with the desktop's associated program; failures are not reported.
class DocumentOpener {
public:
  virtual ~DocumentOpener() = default;
  virtual void open(const QString& bareFileName) = 0;
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

// The set the main window is built with; null members are replaced by the real ones.
struct Services {
  DocumentOpener* opener = nullptr;
  EditorLauncher* launcher = nullptr;
  TonePlayer* tonePlayer = nullptr;
  Dialogs* dialogs = nullptr;
};

}  // namespace larmor
