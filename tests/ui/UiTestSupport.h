#pragma once

#include "ui/Form1.h"
#include "ui/Services.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

class QAbstractSlider;
class QListWidget;
class QScrollBar;

namespace larmor::test {

// Desktop services that only record what the window asked of them.
struct RecordingServices : DocumentOpener, EditorLauncher, TonePlayer, Dialogs {
  QStringList opened;
  QStringList launched;
  bool launchSucceeds = true;
  std::vector<std::pair<int, int>> tones;  // frequency [Hz], duration [ms]
  bool answerYes = true;
  int exitQuestions = 0;
  QStringList informationTitles;
  QStringList warnings;

  void open(const QString& name) override { opened << name; }
  bool launch(const QString& name, QString* error) override {
    launched << name;
    if (!launchSucceeds && error) *error = QStringLiteral("no editor");
    return launchSucceeds;
  }
  void play(int frequencyHz, int durationMs) override { tones.emplace_back(frequencyHz, durationMs); }
  bool confirmExit(QWidget*) override {
    ++exitQuestions;
    return answerYes;
  }
  void information(QWidget*, const QString& title, const QString&) override {
    informationTitles << title;
  }
  void warning(QWidget*, const QString&, const QString& text) override { warnings << text; }

  Services services() { return {this, this, this, this}; }
};

// A 1 × 1 GIF whose only pixel has the given colour: enough to tell pictures apart.
QByteArray onePixelGif(QColor colour);

// Each test runs in an empty temporary working directory, where the window looks for its
// pictures by bare name.
class WindowTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Writes "<name>" as a one-pixel GIF of the given colour into the working directory.
  void writePicture(const QString& name, QColor colour);
  void writeAllPictures();
  // The colour of the picture Image1 shows (its top-left pixel).
  QColor image1Colour() const;

  Form1& window();  // created on first use, after the pictures a test writes
  void showWindow();

  template <typename T>
  T* control(const char* name) {
    T* found = window().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QString caption(const char* label);
  QString tooltip(const char* name);
  void select(const QString& listText);  // clicks the entry of List1
  void moveBar(const char* name, int value);

  RecordingServices fakes;

private:
  QString m_previousDir;
  std::unique_ptr<QTemporaryDir> m_dir;
  std::unique_ptr<Form1> m_window;
};

// Colour of picture k among "1.gif" … "7.gif", "velocity.gif" (k = 8), "mudr.gif" (k = 9).
QColor pictureColour(int k);

}  // namespace larmor::test
