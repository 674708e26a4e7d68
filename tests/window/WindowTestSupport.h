#pragma once

#include "ui/Form1.h"
#include "ui/MarkerShape.h"
#include "ui/PictureBox.h"
#include "ui/QtTranslations.h"
#include "ui/Services.h"
#include "ui/VerticalBar.h"

#include "tests/FileBytes.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QMenu>
#include <QMenuBar>
#include <QImage>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// QTest's checks return from the test body when they fail, and GoogleTest never hears of
// it: a wrong check passed and skipped the rest of its test. Here they do not compile; wait
// with QTest::qWaitFor and check with EXPECT_ and ASSERT_. (The QTRY_ forms end in these
// three, expanded where they are used, so they fail as well.)
#undef QVERIFY
#undef QVERIFY2
#undef QCOMPARE
#define LARMOR_NOT_UNDER_GTEST(...) static_assert(false, "a QTest check is not seen by GoogleTest: use EXPECT_/ASSERT_")
#define QVERIFY LARMOR_NOT_UNDER_GTEST
#define QVERIFY2 LARMOR_NOT_UNDER_GTEST
#define QCOMPARE LARMOR_NOT_UNDER_GTEST

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace larmor::test {

// Desktop services that only record what the window asked of them.
struct RecordingServices : DocumentOpener, EditorLauncher, TonePlayer, Dialogs {
  QStringList opened, launched, informationTitles, informationTexts, warnings;
  std::vector<std::pair<int, int>> tones;  // frequency [Hz], duration [ms]
  bool launchSucceeds = true, openSucceeds = true, answerYes = true;
  int exitQuestions = 0;
  std::function<void(QWidget* parent, const QString& title, const QString& text)> onWarning;  // as it is shown

  bool open(const QString& name, QString* reason) override {
    opened << name;
    if (!openSucceeds) *reason = QStringLiteral("no viewer");
    return openSucceeds;
  }
  bool launch(const QString& name, QString* error) override {
    launched << name;
    if (!launchSucceeds) *error = QStringLiteral("no editor");
    return launchSucceeds;
  }
  void play(int hz, int ms) override { tones.emplace_back(hz, ms); }
  bool confirmExit(QWidget*) override { return ++exitQuestions, answerYes; }
  void information(QWidget*, const QString& title, const QString& text) override {
    informationTitles << title, informationTexts << text;
  }
  void warning(QWidget* parent, const QString& title, const QString& text) override {
    warnings << text;
    if (onWarning) onWarning(parent, title, text);
  }
};

// File dialogs answering from what a test put in; an empty path is a cancel. A save takes
// the next of answers while there are any, else savePath; used: the files really written.
struct AnsweringFileDialogs : FileDialogs {
  QString openPath, savePath;
  QStringList answers, used;
  std::optional<Description> description = Description{};  // none: the dialog is cancelled
  std::optional<int> width;  // none: the window's own width is taken
  bool cancelsWidth = false;
  int offeredWidth = 0;

  QString openFileName(QWidget*, const QString&, const QString&) override { return openPath; }
  QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
    return answers.isEmpty() ? savePath : answers.takeFirst();
  }
  void fileUsed(const QString& path) override { used << path; }
  std::optional<Description> describeScenario(QWidget*, const Description&) override { return description; }
  std::optional<int> pictureWidth(QWidget*, int windowWidth) override {
    offeredWidth = windowWidth;
    if (cancelsWidth) return std::nullopt;
    return width ? width : windowWidth;
  }
};

// Colour of picture k among "1.gif" … "7.gif", "velocity.gif" (k = 8), "mudr.gif" (k = 9).
inline QColor pictureColour(int k) { return QColor(QColor::fromHsv(k * 37 % 360, 200, 60 + 20 * k).rgb()); }
inline int pictureNumber(const std::string& bareName) {
  return bareName == "velocity.gif" ? 8 : bareName == "mudr.gif" ? 9 : bareName.at(0) - '0';
}

// A one-pixel GIF of picture k's colour, enough to tell the pictures apart.
inline void writePicture(const char* name, int k) {
  const QColor c = pictureColour(k);
  writeFile(QString::fromLatin1(name), QByteArray("GIF89a\1\0\1\0\x80\0\0", 13) + char(c.red()) + char(c.green()) +
                                           char(c.blue()) + QByteArray("\0\0\0,\0\0\0\0\1\0\1\0\0\2\2\x44\1\0;", 19));
}
// All nine pictures, by bare name, in the current directory.
inline void writeAllPictures() {
  for (int k = 1; k <= 9; ++k) writePicture(k < 8 ? qPrintable(QStringLiteral("%1.gif").arg(k)) : k == 8 ? "velocity.gif" : "mudr.gif", k);
}

// A number as the diagnostics window writes it ("6,559·10⁻⁴", "0.0123", "+0,012 %"),
// with either decimal separator; NaN when it is no number.
inline double shownNumber(QString text) {
  text.remove(QStringLiteral(" %")).replace(QLatin1Char(','), QLatin1Char('.'));
  double scale = 1;
  if (const qsizetype times = text.indexOf(QStringLiteral("·10")); times >= 0) {
    static const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    int exponent = 0;
    const QString power = text.mid(times + 3);
    for (const QChar c : power) exponent = c == u'⁻' ? exponent : exponent * 10 + int(superscripts.indexOf(c));
    scale = std::pow(10.0, power.startsWith(u'⁻') ? -exponent : exponent);
    text.truncate(times);
  }
  bool ok = false;
  const double value = QLocale::c().toDouble(text, &ok);
  return ok ? value * scale : std::nan("");
}

// The controls bound to the panel, in the order of Bar and TextBox.
inline const char* const barNames[barCount] = {"VScroll1", "VScroll2", "VScroll3", "VScroll4", "VScroll5", "VScroll6",
                                               "VScroll7", "VScroll8", "VScroll9", "VScroll10", "HScroll1"};
inline const char* const textNames[textBoxCount] = {"Text1", "Text2", "Text3"};

// A window's control by its inventory name, and a user's gestures on the controls, for
// the tests of one window (the fixture below) and of several.
template <typename T = QWidget>
T* control(QWidget& w, const char* name) {
  T* found = w.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}
inline void selectRow(QWidget& w, int row) {  // clicks List1's entry in this row, whatever its language
  auto* list = control<QListWidget>(w, "List1");
  QListWidgetItem* item = list->item(row);
  ASSERT_NE(item, nullptr) << row;
  list->scrollToItem(item);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
  ASSERT_EQ(list->currentItem(), item);
}
inline void select(QWidget& w, const char* entry) {  // clicks the entry of List1
  auto* list = control<QListWidget>(w, "List1");
  QListWidgetItem* item = list->findItems(QString::fromUtf8(entry), Qt::MatchExactly).value(0);
  ASSERT_NE(item, nullptr) << entry;
  selectRow(w, list->row(item));
}
inline void typeInto(QWidget& w, const char* box, const QString& text) {  // over the whole box; nothing typed: Delete
  control<QLineEdit>(w, box)->selectAll();
  text.isEmpty() ? QTest::keyClick(control<QLineEdit>(w, box), Qt::Key_Delete) : QTest::keyClicks(control<QLineEdit>(w, box), text);
}
inline void setBar(QWidget& w, const char* name, int value) {  // a vertical bar by its value, largest on top
  if (auto* vertical = qobject_cast<VerticalBar*>(control(w, name))) vertical->setValue(value);
  else control<QScrollBar>(w, name)->setValue(value);
}
inline int barValue(QWidget& w, const char* name) {  // as setBar sets it, off the scroll bar a user meets
  auto* vertical = qobject_cast<VerticalBar*>(control(w, name));
  return vertical ? -vertical->scrollBar()->value() : control<QScrollBar>(w, name)->value();
}

// A drag with a mouse button from one point to another, by way of the half-way point.
inline void drag(QWidget* w, Qt::MouseButton button, QPoint from, QPoint to, Qt::KeyboardModifiers keys = {}) {
  QTest::mousePress(w, button, keys, from);
  QTest::mouseMove(w, (from + to) / 2);
  QTest::mouseMove(w, to);
  QTest::mouseRelease(w, button, keys, to);
}

// Each test runs in an empty temporary working directory, where the window looks for its
// pictures by bare name; the window is created on first use, after the pictures a test writes.
// Settings (the language chosen) are kept apart from the user's, in a file emptied before
// and after each test; a test that changed the language leaves the next one Russian.
class WindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid() && QDir::setCurrent(m_dir.path()));
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
  }
  void TearDown() override {
    m_window.reset(), QDir::setCurrent(m_previousDir);
    if (uiLanguage() != Language::Russian) setUiLanguage(Language::Russian);
    QSettings().clear();
  }

  QColor image1Colour() { return control<QLabel>("Image1")->pixmap().toImage().pixelColor(0, 0); }

  void closeWindow() { m_window.reset(); }
  Form1& window() {
    if (!m_window) m_window = std::make_unique<Form1>(Services{&fakes, &fakes, &fakes, &fakes});
    return *m_window;
  }
  void showWindow() {
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
  }
  template <typename T = QWidget>
  T* control(const char* name) { return test::control<T>(window(), name); }
  QString caption(const char* label) { return control<QLabel>(label)->text(); }
  QString tooltip(const char* name) { return control(name)->toolTip(); }
  void moveBar(const char* name, int value) { control<VerticalBar>(name)->setValue(value); }
  void setSlowdown(int value) { control<QScrollBar>("HScroll1")->setValue(value); }
  void start() { QTest::mouseClick(control<QPushButton>("CmdOK"), Qt::LeftButton); }
  // A whole run without pauses, from the start button.
  void runAtFullSpeed() {
    setSlowdown(0);
    start();
  }
  // The scroll bar a user's keys and mouse meet: the vertical bars' inner one, or HScroll1.
  QScrollBar* innerBar(const char* name) {
    auto* vertical = qobject_cast<VerticalBar*>(control(name));
    return vertical ? vertical->scrollBar() : control<QScrollBar>(name);
  }
  int barValue(const char* name) { return test::barValue(window(), name); }
  void select(const char* entry) { test::select(window(), entry); }
  void selectRow(int row) { test::selectRow(window(), row); }
  void typeInto(const char* box, const QString& text) { test::typeInto(window(), box, text); }

  // Every widget bound to the panel shows what the panel holds now: positions, texts, the
  // captions and tooltips it has written, the S and d inputs, the list's entry, the
  // markers' colour (red, blue or black by the charge's sign) and place, and its picture
  // when the file is there. The panel's values themselves are the panel tests'.
  void expectShowsPanel() {
    const ControlPanel& panel = window().panel();
    std::vector<std::string> shown, held;
    auto both = [&](const std::string& name, const std::string& onWidget, const std::string& inPanel) {
      shown.push_back(name + " " + onWidget), held.push_back(name + " " + inPanel);
    };
    for (std::size_t i = 0; i < barCount; ++i)
      both(barNames[i], std::to_string(barValue(barNames[i])), std::to_string(panel.position(Bar(i))));
    for (std::size_t i = 0; i < textBoxCount; ++i)
      both(textNames[i], control<QLineEdit>(textNames[i])->text().toStdString(), panel.text(TextBox(i)));
    for (int n = 1; n <= 29; ++n) {
      const QByteArray name = "Label" + QByteArray::number(n);
      if (!panel.caption(n).empty()) both(name.data(), caption(name).toStdString(), panel.caption(n));
      if (!panel.tooltip(n).empty()) both(name.toStdString() + "?", tooltip(name).toStdString(), panel.tooltip(n));
    }
    for (const auto& [n, on] : {std::pair{"Label27", panel.showsS()}, {"Text1", panel.showsS()}, {"Label28", panel.showsD()}, {"Text3", panel.showsD()}})
      both(n, control(n)->isHidden() ? "hidden" : "shown", on ? "shown" : "hidden");
    both("List1", std::to_string(control<QListWidget>("List1")->currentRow()), std::to_string(panel.selectedEntry()));
    EXPECT_EQ(shown, held);
    const int charge = panel.position(Bar::VScroll1);
    const QColor colour = charge > 0 ? QColor(255, 0, 0) : charge < 0 ? QColor(0, 0, 255) : QColor(0, 0, 0);
    for (const char* name : {"Picture1", "Picture2"}) {
      auto* picture = control<PictureBox>(name);
      EXPECT_EQ(std::pair(picture->marker()->colour(), picture->marker()->pos()),
                std::pair(colour, picture->canvas().markerTopLeft().toPoint())) << name;
    }
    if (const QString picture = QString::fromStdString(panel.picture()); QFile::exists(picture)) {
      // Or its English form ("4-en.gif"), which the English window shows where there is one.
      const QString shown = control("Image1")->property("pictureFile").toString();
      EXPECT_TRUE(shown == picture || shown == QString(picture).replace(".gif", "-en.gif")) << shown.toStdString();
      if (shown == picture) { EXPECT_EQ(image1Colour(), pictureColour(pictureNumber(panel.picture()))) << panel.picture(); }
    }
  }

  RecordingServices fakes;

private:
  QString m_previousDir = QDir::currentPath();
  QTemporaryDir m_dir;
  std::unique_ptr<Form1> m_window;
};

// A window test run once in each language of the window.
template <class Base>
class InEachLanguage : public Base, public ::testing::WithParamInterface<Language> {
protected:
  void SetUp() override {
    Base::SetUp();
    ASSERT_TRUE(setUiLanguage(this->GetParam()));
  }
};
inline std::string languageName(const ::testing::TestParamInfo<Language>& info) {
  return info.param == Language::English ? "English" : "Russian";
}

}  // namespace larmor::test
