// The whole window under random use: bars, keys, typed and pasted texts, field structures,
// odd window sizes, runs with changes made during their waits, menus and closing. After
// every action the shown values must agree with the parameter set, the pictures must hold
// a drawing, and no run may outlive its start click.
#include "model/SimulationState.h"
#include "model/TextRules.h"
#include "ui/Form1.h"
#include "ui/PictureBox.h"
#include "ui/Services.h"
#include "ui/VerticalBar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QKeySequence>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <string>

namespace larmor::test {
namespace {

const char* const barNames[] = {"VScroll1", "VScroll2", "VScroll3",  "VScroll4",
                                "VScroll5", "VScroll6", "VScroll7",  "VScroll8",
                                "VScroll9", "VScroll10", "HScroll1"};
const char* const nastyTexts[] = {"",   "abc", "3,3", "1e999", "-1e999", "1e-400",
                                  "nan", "inf", "+",   ".",     "e5",     "1e",
                                  "0x10", "١٢", "12.5", "0.3",  "-7",     "1e308"};

// Desktop services that only count what the window asked of them.
struct RecordingServices : DocumentOpener, EditorLauncher, TonePlayer, Dialogs {
  int asked = 0;  // documents, editors and information windows
  int tones = 0;
  int exitQuestions = 0;
  bool launchSucceeds = true;
  bool answerYes = true;

  void open(const QString&) override { ++asked; }
  bool launch(const QString&, QString* error) override {
    ++asked;
    if (!launchSucceeds && error) *error = QStringLiteral("no editor");
    return launchSucceeds;
  }
  void play(int, int) override { ++tones; }
  bool confirmExit(QWidget*) override {
    ++exitQuestions;
    return answerYes;
  }
  void information(QWidget*, const QString&, const QString&) override { ++asked; }
  void warning(QWidget*, const QString&, const QString&) override {}
  Services services() { return {this, this, this, this}; }
};

// A 1 × 1 GIF: enough for the window to show something.
QByteArray onePixelGif() {
  return QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\x20\x80\x20\x00\x00\x00"
                    "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
                    35);
}

std::uint32_t envNumber(const char* name, std::uint32_t fallback) {
  bool ok = false;
  const auto value = qEnvironmentVariable(name).toUInt(&ok);
  return ok ? value : fallback;
}

class Monkey {
public:
  explicit Monkey(std::uint32_t seed) : m_random(seed) {
    // Pictures present except two, so the missing-file paths are walked as well.
    for (const char* name : {"1.gif", "2.gif", "4.gif", "5.gif", "6.gif", "7.gif", "mudr.gif"}) {
      QFile file(m_dir.filePath(QString::fromLatin1(name)));
      if (file.open(QIODevice::WriteOnly)) file.write(onePixelGif());
    }
    QDir::setCurrent(m_dir.path());
    m_hundredThousandDigits = QString(100000, QLatin1Char('7'));
    newWindow();
  }

  // What the walk did, for the log of a long run by hand.
  std::string summary() const {
    return std::to_string(m_runs) + " runs (" + std::to_string(m_steps) + " steps, " +
           std::to_string(m_actionsDuringRuns) + " actions during their waits), " +
           std::to_string(m_windows) + " windows";
  }

  bool failed() const { return ::testing::Test::HasFailure(); }
  std::string recentActions() const {
    std::string text;
    for (const std::string& line : m_log) text += "  " + line + "\n";
    return text;
  }

  void act() {
    const int pick = below(100);
    if (pick < 30) moveBar();
    else if (pick < 45) typeOrPaste();
    else if (pick < 53) selectStructure();
    else if (pick < 60) resizeWindow();
    else if (pick < 80) startRun();
    else if (pick < 88) useMenu();
    else if (pick < 96) closeAnswering(false);
    else if (pick < 98) closeAnswering(true);
    else restoreOrMinimise();
    QCoreApplication::processEvents();
    check();
  }

private:
  Form1& window() { return *m_window; }
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
  void note(std::string what) {
    m_log.push_back(std::move(what));
    if (m_log.size() > 25) m_log.pop_front();
  }
  template <typename T>
  T* control(const char* name) {
    return window().findChild<T*>(QString::fromLatin1(name));
  }

  void newWindow() {
    m_window.reset();
    m_window = std::make_unique<Form1>(m_fakes.services());
    m_window->show();
    QObject::connect(m_window.get(), &Form1::runStepped, [this] { onRunStep(); });
    m_recomputesSeen = -1;
    ++m_windows;
    note("new window");
  }

  // Every bar, through the wrapper as a user moves it: set, arrow clicks, keys.
  void moveBar() {
    const char* name = barNames[below(11)];
    auto* vertical = control<VerticalBar>(name);
    QScrollBar* inner = vertical ? vertical->scrollBar() : control<QScrollBar>(name);
    const int how = below(4);
    if (how == 0) {
      const int lo = inner->minimum(), hi = inner->maximum();
      int value = std::uniform_int_distribution<int>(lo - 3, hi + 3)(m_random);
      if (below(3) == 0) value = below(2) ? lo : hi;  // the ends, often
      if (vertical) value = -value;
      note(std::string(name) + " set " + std::to_string(value));
      vertical ? vertical->setValue(value) : inner->setValue(value);
    } else if (how == 1 && inner->width() > 4 && inner->height() > 4) {
      const bool first = below(2);
      const QPoint at = inner->orientation() == Qt::Vertical
                            ? QPoint(inner->width() / 2, first ? 1 : inner->height() - 2)
                            : QPoint(first ? 1 : inner->width() - 2, inner->height() / 2);
      note(std::string(name) + (first ? " first arrow" : " last arrow"));
      QTest::mouseClick(inner, Qt::LeftButton, {}, at);
    } else {
      const Qt::Key keys[] = {Qt::Key_Up,   Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                              Qt::Key_Home, Qt::Key_End,  Qt::Key_Left,   Qt::Key_Right};
      const Qt::Key key = keys[below(8)];
      note(std::string(name) + " key " + QKeySequence(key).toString().toStdString());
      QTest::keyClick(inner, key);
    }
  }

  // Key by key, any character (QTest types ASCII only).
  static void typeKeys(QWidget* box, const QString& text) {
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(box, &press);
      QApplication::sendEvent(box, &release);
    }
  }

  QString nastyText() {
    const int k = below(22);
    if (k < 18) return QString::fromUtf8(nastyTexts[k]);
    if (k == 18) return m_hundredThousandDigits;
    QByteArray bytes;
    for (int i = below(40); i > 0; --i) bytes.append(char(below(256)));
    return k == 19 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
  }

  // Only into a box a user can see; short texts typed key by key, anything pasted.
  void typeOrPaste() {
    const char* name = std::array{"Text1", "Text2", "Text3"}[below(3)];
    QLineEdit* box = control<QLineEdit>(name);
    if (!box->isVisible()) return;
    const QString text = nastyText();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.size() <= 12 && below(2)) {
      note(std::string(name) + " typed '" + text.toStdString() + "'");
      typeKeys(box, text);
    } else {
      note(std::string(name) + " pasted " + std::to_string(text.size()) + " chars");
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
  }

  void selectStructure() {
    auto* list = control<QListWidget>("List1");
    const int row = below(list->count());
    note("List1 row " + std::to_string(row));
    const QRect rect = list->visualItemRect(list->item(row));
    if (list->viewport()->rect().contains(rect.center()) && below(2)) {
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    } else {
      list->setCurrentRow(row);  // as the arrow keys would
    }
  }

  void resizeWindow() {
    const int menu = window().height() - window().centralWidget()->height();
    int width = 720, height = 480;
    switch (below(5)) {
      case 0: width = 1 + below(60), height = 1 + below(60); break;  // tiny
      case 1: width = 200 + below(800), height = 0; break;            // no client height
      case 2: width = 2000 + below(1000), height = 1400 + below(800); break;
      case 3: width = 300 + below(900), height = 200 + below(700); break;
      default: break;
    }
    note("resize client " + std::to_string(width) + "x" + std::to_string(height));
    window().resize(width, height + menu);
  }

  void restoreOrMinimise() {
    note(window().isMinimized() ? "restore" : "minimise");
    window().isMinimized() ? window().showNormal() : window().showMinimized();
  }

  void useMenu() {
    const char* names[] = {"mnuFilespravka", "mnuHelpInstruction", "mnuHelpUprav",
                           "mnuHelpAvtors",  "mnuHelpAbout",       "mnuHelpAbout2"};
    const char* name = names[below(6)];
    m_fakes.launchSucceeds = below(2);
    note(name);
    const int asked = m_fakes.asked;
    control<QAction>(name)->trigger();
    EXPECT_EQ(m_fakes.asked, asked + (std::string(name) == "mnuHelpAvtors" ? 0 : 1)) << name;
  }

  // No: everything stays. Yes: the window ends, any run first; outside a run a new window
  // takes its place.
  void closeAnswering(bool yes) {
    m_fakes.answerYes = yes;
    const int questions = m_fakes.exitQuestions;
    note(yes ? "close, Yes" : "close, No");
    const bool running = window().running();
    window().close();
    EXPECT_EQ(m_fakes.exitQuestions, questions + 1);
    if (running) {
      EXPECT_TRUE(window().running()) << "the run ends at its next wait, not inside close()";
      if (yes) m_aborting = true;
    } else if (yes) {
      EXPECT_FALSE(window().isVisible());
      newWindow();
    } else {
      EXPECT_TRUE(window().isVisible());
    }
  }

  // Short runs most of the time; a slow-down of 0 or 1; changes made during the waits.
  void startRun() {
    if (below(5)) {
      control<QLineEdit>("Text2")->setFocus();
      QTest::keyClick(control<QLineEdit>("Text2"), Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(control<QLineEdit>("Text2"), std::array{"0.2", "0.5", "1", "3"}[below(4)]);
    }
    control<QScrollBar>("HScroll1")->setValue(below(2));
    note("start, periods '" + control<QLineEdit>("Text2")->text().left(20).toStdString() +
         "', slow-down " + std::to_string(window().state().params.slowdown));
    ++m_runs;
    m_runSteps = 0;
    m_waitUnits = 0;
    m_aborting = false;
    const int tones = m_fakes.tones;
    auto* button = control<QPushButton>("CmdOK");
    if (button->width() > 2 && button->height() > 2 && button->isVisible()) {
      QTest::mouseClick(button, Qt::LeftButton);
    } else {
      button->click();
    }
    EXPECT_FALSE(window().running()) << "the start click returns only when its run has ended";
    if (m_aborting) {
      EXPECT_EQ(m_fakes.tones, tones) << "an ended run does not sound";
      EXPECT_FALSE(window().isVisible());
      newWindow();
      return;
    }
    EXPECT_EQ(m_fakes.tones, tones + 1);
    static const QRegularExpression finished(QRegularExpression::escape(Form1::mainTitle()) +
                                             QStringLiteral("   время расчета\\d+ c$"));
    EXPECT_TRUE(finished.match(window().windowTitle()).hasMatch())
        << window().windowTitle().toStdString();
  }

  // Observer of every step: bounds the run's time and, during waits, acts as a user would.
  void onRunStep() {
    ++m_runSteps;
    ++m_steps;
    m_waitUnits += window().state().params.slowdown;
    if (m_aborting || failed()) return;
    if (m_runSteps >= 3000) {
      closeAnswering(true);  // a long run: the user gives up and leaves
      return;
    }
    if (m_waitUnits > 15) control<QScrollBar>("HScroll1")->setValue(0);  // finish at full speed
    if (window().state().params.slowdown > 0 && !m_pending && below(3) == 0) {
      m_pending = true;
      QTimer::singleShot(0, m_window.get(), [this] {
        m_pending = false;
        if (!m_aborting && !failed()) actDuringRun();
      });
    }
  }

  void actDuringRun() {
    ++m_actionsDuringRuns;
    const std::int64_t steps = window().lastRunSteps();
    const int pick = below(100);
    if (pick < 35) moveBar();
    else if (pick < 55) typeOrPaste();
    else if (pick < 65) selectStructure();
    else if (pick < 75) resizeWindow();
    else if (pick < 80) useMenu();
    else if (pick < 88) closeAnswering(false);
    else if (pick < 90) closeAnswering(true);
    else {
      note("start during a run");
      control<QPushButton>("CmdOK")->click();
      EXPECT_EQ(window().lastRunSteps(), steps) << "a second start must not run";
    }
    EXPECT_TRUE(window().running());
    check();
  }

  static bool hasInk(const PictureBox* picture) {
    const QImage image = picture->canvas().image().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        if ((line[x] & 0xffffff) != 0xffffff) return true;
      }
    }
    return false;
  }

  QString label(int number) {
    return control<QLabel>(qPrintable(QStringLiteral("Label%1").arg(number)))->text();
  }
  int bar(const char* name) {
    auto* vertical = control<VerticalBar>(name);
    return vertical ? vertical->value() : control<QScrollBar>(name)->value();
  }

  void check() {
    const SimulationState& state = window().state();
    const SimParams& p = state.params;
    const struct {
      int label;
      std::string shown;
    } values[] = {
        {4, chargeText(p.q)},        {5, massText(p.m, bar("VScroll2"))},
        {10, integerText(p.v)},      {16, integerText(p.alpha)},
        {25, integerText(p.beta)},   {12, fieldText(p.Bo)},
        {6, twoDecimalsText(p.regionSize)}, {19, twoDecimalsText(p.x0)},
        {21, twoDecimalsText(p.y0)}, {23, twoDecimalsText(p.z0)},
        {29, integerText(p.slowdown)},
    };
    for (const auto& row : values) {
      EXPECT_EQ(label(row.label).toStdString(), row.shown) << "Label" << row.label;
    }
    // The parameter set follows its bars.
    EXPECT_EQ(p.q, chargeFromPosition(bar("VScroll1")));
    EXPECT_EQ(p.m, massFromPosition(bar("VScroll2")));
    EXPECT_EQ(p.v, bar("VScroll4"));
    EXPECT_EQ(p.alpha, bar("VScroll6"));
    EXPECT_EQ(p.beta, bar("VScroll10"));
    EXPECT_EQ(p.Bo, fieldFromPosition(bar("VScroll5")));
    EXPECT_EQ(p.regionSize, bar("VScroll3"));
    EXPECT_EQ(twoDecimalsText(p.x0), twoDecimalsText(coordinateFromPosition(bar("VScroll7"))));
    EXPECT_EQ(twoDecimalsText(p.y0), twoDecimalsText(coordinateFromPosition(bar("VScroll8"))));
    EXPECT_EQ(twoDecimalsText(p.z0), twoDecimalsText(z0FromPosition(bar("VScroll9"))));
    EXPECT_EQ(p.slowdown, bar("HScroll1"));

    // The results shown are those of the current parameters: no change skipped its recompute.
    SimulationState fresh = state;
    const QString point = QLocale().decimalPoint();
    const ResultCaptions results =
        fresh.computeQuantities(point.size() == 1 ? point.at(0).toLatin1() : '.');
    EXPECT_EQ(label(13).toStdString(), results.frequency);
    EXPECT_EQ(label(14).toStdString(), results.period);
    EXPECT_EQ(label(17).toStdString(), results.radius);
    EXPECT_EQ(label(18).toStdString(), results.pitch);

    // Each picture's image has the picture's size; a recompute left a drawing in it.
    const bool recomputed = window().recomputeCount() != m_recomputesSeen;
    m_recomputesSeen = window().recomputeCount();
    for (const char* name : {"Picture1", "Picture2"}) {
      const auto* picture = control<PictureBox>(name);
      EXPECT_EQ(picture->canvas().logicalSize(), picture->size().expandedTo(QSize(1, 1))) << name;
      if (recomputed && picture->width() >= 8 && picture->height() >= 8) {
        EXPECT_TRUE(hasInk(picture)) << name << " is blank after a recompute";
      }
    }
  }

  std::mt19937 m_random;
  QTemporaryDir m_dir;
  QString m_hundredThousandDigits;
  RecordingServices m_fakes;
  std::unique_ptr<Form1> m_window;
  std::deque<std::string> m_log;
  int m_recomputesSeen = -1;
  std::int64_t m_runSteps = 0;
  int m_waitUnits = 0;  // pauses of the current run so far [10 ms]
  bool m_pending = false;
  bool m_aborting = false;
  int m_runs = 0, m_windows = 0, m_actionsDuringRuns = 0;
  std::int64_t m_steps = 0;
};

TEST(Monkey, RandomUseKeepsTheWindowConsistent) {
  const std::uint32_t seed = envNumber("LARMOR_MONKEY_SEED", std::random_device{}());
  const std::uint32_t actions = envNumber("LARMOR_MONKEY_ACTIONS", 2000);
  SCOPED_TRACE("LARMOR_MONKEY_SEED=" + std::to_string(seed));
  const QString previousDir = QDir::currentPath();
  {
    Monkey monkey(seed);
    for (std::uint32_t done = 0; done < actions && !monkey.failed(); ++done) monkey.act();
    if (monkey.failed()) ADD_FAILURE() << "last actions:\n" << monkey.recentActions();
    std::printf("seed %u: %s\n", seed, monkey.summary().c_str());
  }
  QDir::setCurrent(previousDir);
}

// The program quitting while a run waits: the run ends at that wait, the event loop returns.
TEST(Monkey, QuittingDuringARunEndsTheRunAndTheEventLoop) {
  RecordingServices fakes;
  Form1 window(fakes.services());
  window.show();
  window.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(1);
  int steps = 0;
  QObject::connect(&window, &Form1::runStepped, [&] {
    if (++steps == 5) QCoreApplication::exit(0);
  });
  QTimer::singleShot(0, &window,
                     [&] { window.findChild<QPushButton*>(QStringLiteral("CmdOK"))->click(); });
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_FALSE(window.running());
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(fakes.tones, 0);
}

}  // namespace
}  // namespace larmor::test

int main(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform's notes on every resize and raise would bury a failure.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
    if (!text.startsWith(QLatin1String("This plugin does not support"))) {
      std::fprintf(stderr, "%s\n", qPrintable(text));
    }
  });
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
