// The whole window under random use: bars (arrows, trough, thumb, keys), typed and pasted
// texts, field structures, odd window sizes, runs with changes made during their waits,
// menus, the diagnostics window and the integrator item, lessons and exports, and closing. After every action the shown values agree with the parameters, a
// recompute leaves both pictures drawn, and no run outlives its start click.
#include "../window/WindowTestSupport.h"

#include "model/SimulationState.h"
#include "model/TextRules.h"
#include "panel/Scenario.h"
#include "ui/DiagnosticsWindow.h"

#include "ui/OrbitView.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>

namespace larmor::test {
namespace {

const char* const nastyTexts[] = {"",   "abc", "3,3", "1e999", "-1e999", "1e-400", "nan", "inf", "+",
                                  ".",  "e5",  "1e",  "0x10",  "١٢",     "12.5",   "0.3", "-7",  "1e308"};

std::uint32_t envNumber(const char* name, std::uint32_t fallback) {
  bool ok = false;
  const auto value = qEnvironmentVariable(name).toUInt(&ok);
  return ok ? value : fallback;
}

class Monkey {
public:
  explicit Monkey(std::uint32_t seed) : m_random(seed) {
    QDir::setCurrent(m_dir.path());
    // Every picture but two, so the missing-file paths are walked as well.
    for (const char* name : {"1.gif", "2.gif", "4.gif", "5.gif", "6.gif", "7.gif", "mudr.gif"}) writePicture(name, pictureNumber(name));
    // The lessons of the Примеры menu, where the runtime folder holds them.
    QDir(m_dir.path()).mkdir(QStringLiteral("examples"));
    const QDir lessons(QStringLiteral(LARMOR_EXAMPLES_DIR));
    for (const QString& name : lessons.entryList({QStringLiteral("*.larmor")}, QDir::Files))
      QFile::copy(lessons.filePath(name), m_dir.filePath(QStringLiteral("examples/") + name));
    newWindow();
  }

  std::string lastActions() const { return m_log.join(QLatin1Char('\n')).toStdString(); }

  // One action picked by weight [%]: as the window waits for a user, or during a run's wait.
  void act(bool duringRun) {
    static const struct { const char* name; int idle, during; void (Monkey::*action)(); } kinds[] = {
        {"bar", 24, 29, &Monkey::moveBar},        {"text", 15, 20, &Monkey::typeOrPaste},
        {"structure", 8, 10, &Monkey::selectStructure}, {"size", 9, 10, &Monkey::resizeWindow},
        {"start", 16, 6, &Monkey::startRun},     {"menu", 8, 5, &Monkey::useMenu},
        {"close, No", 8, 8, &Monkey::closeNo},    {"close, Yes", 2, 2, &Monkey::closeYes},
        {"diagnostics", 4, 4, &Monkey::useDiagnostics}, {"files", 4, 4, &Monkey::useFiles},
        {"space", 2, 2, &Monkey::useOrbitView}};
    int pick = below(100);
    const auto* kind = std::begin(kinds);
    while ((pick -= duringRun ? kind->during : kind->idle) >= 0) ++kind;
    m_log << QLatin1String(duringRun ? "  during the run: " : "  ") + QLatin1String(kind->name);
    if (m_log.size() > 25) m_log.removeFirst();
    (this->*kind->action)();
    if (duringRun) EXPECT_TRUE(window().running());
    else QCoreApplication::processEvents();
    check();
  }

private:
  Form1& window() { return *m_window; }
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
  template <typename T>
  T* control(const char* name) { return window().findChild<T*>(QString::fromLatin1(name)); }
  std::string label(int n) { return control<QLabel>(qPrintable(QStringLiteral("Label%1").arg(n)))->text().toStdString(); }
  int bar(const char* name) { return barValue(window(), name); }

  void newWindow() {
    m_window.reset();
    m_window = std::make_unique<Form1>(Services{&m_fakes, &m_fakes, &m_fakes, &m_fakes, &m_files});
    m_window->show();
    QObject::connect(m_window.get(), &Form1::runStepped, [this] { onRunStep(); });
    m_recomputesSeen = -1;
  }

  // Every bar as a user moves it: set anywhere (the ends often, a little beyond them), an
  // arrow or the trough beside the thumb clicked (one small or large change that way, up
  // to the end), the thumb dragged anywhere (past the bar too), a key pressed.
  void moveBar() {
    const char* name = barNames[below(int(barCount))];
    auto* vertical = control<VerticalBar>(name);
    QScrollBar* inner = vertical ? vertical->scrollBar() : control<QScrollBar>(name);
    const int how = below(5), lo = inner->minimum(), hi = inner->maximum();
    const bool first = below(2);  // the top or left side
    if (how == 0) {
      int value = below(3) ? std::uniform_int_distribution<int>(lo - 3, hi + 3)(m_random) : first ? lo : hi;
      vertical ? vertical->setValue(-value) : inner->setValue(value);
    } else if (how <= 2) {
      const bool arrow = how == 1;
      const QRect part = scrollBarPart(inner, arrow ? (first ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine)
                                                    : (first ? QStyle::SC_ScrollBarSubPage : QStyle::SC_ScrollBarAddPage));
      if (part.isEmpty()) return;  // the thumb is at that end
      const int before = inner->value(), step = arrow ? inner->singleStep() : inner->pageStep();
      QTest::mouseClick(inner, Qt::LeftButton, {}, part.center());
      EXPECT_EQ(inner->value(), std::clamp(before + (first ? -step : step), lo, hi)) << name << (arrow ? " arrow" : " trough");
    } else if (how == 3) {
      const QPoint from = scrollBarPart(inner, QStyle::SC_ScrollBarSlider).center();
      const QPoint to(std::uniform_int_distribution<int>(-30, inner->width() + 30)(m_random),
                      std::uniform_int_distribution<int>(-30, inner->height() + 30)(m_random));
      drag(inner, Qt::LeftButton, from, to);
    } else {
      const Qt::Key keys[] = {Qt::Key_Up,   Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                              Qt::Key_Home, Qt::Key_End,  Qt::Key_Left,   Qt::Key_Right};
      QTest::keyClick(inner, keys[below(8)]);
    }
  }

  // A nasty text, a 100,000-digit number or random bytes, into a box a user can see:
  // short texts typed key by key (any character: QTest types ASCII only), anything pasted.
  void typeOrPaste() {
    const char* name = std::array{"Text1", "Text2", "Text3"}[below(3)];
    QLineEdit* box = control<QLineEdit>(name);
    if (!box->isVisible()) return;
    const int k = below(22);
    QString text = k < 18 ? QString::fromUtf8(nastyTexts[k]) : QString(100000, QLatin1Char('7'));
    if (k > 18) {
      QByteArray bytes;
      for (int i = below(40); i > 0; --i) bytes.append(char(below(256)));
      text = k == 19 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
    }
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.size() <= 12 && below(2)) {
      for (const QChar c : text) {
        for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
          QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, QString(c));
          QApplication::sendEvent(box, &event);
        }
      }
    } else {
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
  }

  void selectStructure() {
    auto* list = control<QListWidget>("List1");
    const int row = below(list->count());
    const QPoint at = list->visualItemRect(list->item(row)).center();
    if (list->viewport()->rect().contains(at) && below(2)) QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    else list->setCurrentRow(row);  // as the arrow keys would
  }

  // Client width and height [px] from + below(span): tiny, no height, huge, ordinary, start
  // size; or minimised and restored.
  void resizeWindow() {
    static const int sizes[][4] = {{1, 60, 1, 60}, {200, 800, 0, 1}, {2000, 1000, 1400, 800},
                                   {300, 900, 200, 700}, {720, 1, 480, 1}};
    const int k = below(6);
    if (k == 5) return window().isMinimized() ? window().showNormal() : window().showMinimized();
    const int width = sizes[k][0] + below(sizes[k][1]), height = sizes[k][2] + below(sizes[k][3]);
    window().resize(width, height + window().height() - window().centralWidget()->height());
  }

  void useMenu() {
    static const char* const names[] = {"mnuFilespravka", "mnuHelpInstruction", "mnuHelpUprav",
                                        "mnuHelpAvtors",  "mnuHelpAbout",       "mnuHelpAbout2"};
    const char* name = names[below(6)];
    m_fakes.launchSucceeds = below(2);
    const auto asked = [this] { return m_fakes.opened.size() + m_fakes.launched.size() + m_fakes.informationTitles.size(); };
    const auto before = asked();
    control<QAction>(name)->trigger();
    EXPECT_EQ(asked(), before + (std::string(name) == "mnuHelpAvtors" ? 0 : 1)) << name;
  }

  // The diagnostics window opened (or raised), resized, closed; the Boris item toggled: it
  // chooses the panel's integrator and shows the choice.
  void useDiagnostics() {
    DiagnosticsWindow* diagnostics = window().diagnostics();
    const int how = below(4);
    if (how == 0 || !diagnostics) {
      control<QAction>("mnuDiagnosticsWindow")->trigger();
      diagnostics = window().diagnostics();
      EXPECT_TRUE(diagnostics && diagnostics->isVisible());
    } else if (how == 1) {
      diagnostics->resize(std::uniform_int_distribution<int>(1, 1600)(m_random), std::uniform_int_distribution<int>(1, 1200)(m_random));
    } else if (how == 2) {
      diagnostics->close();
      EXPECT_FALSE(diagnostics->isVisible());
    } else {
      auto* boris = control<QAction>("mnuDiagnosticsBoris");
      const Integrator before = window().panel().integrator();
      boris->trigger();
      EXPECT_NE(window().panel().integrator(), before);
    }
  }

  // The 3-D view opened (or raised), resized, dragged or closed.
  void useOrbitView() {
    OrbitView* view = window().orbitView();
    const int how = below(4);
    if (how == 0 || !view) {
      control<QAction>("mnuOrbitView")->trigger();
      view = window().orbitView();
      EXPECT_TRUE(view && view->isVisible());
    } else if (how == 1) {
      view->resize(std::uniform_int_distribution<int>(1, 1600)(m_random), std::uniform_int_distribution<int>(1, 1200)(m_random));
    } else if (how == 2) {
      QWidget* canvas = view->canvas();
      const QPoint from(below(std::max(canvas->width(), 1)), below(std::max(canvas->height(), 1)));
      const Qt::MouseButton button = below(2) ? Qt::LeftButton : Qt::RightButton;
      const QPoint to = from + QPoint(below(400) - 200, below(400) - 200);
      drag(canvas, button, from, to);
    } else {
      view->close();
    }
  }

  void closeNo() { closeAnswering(false); }
  void closeYes() { closeAnswering(true); }
  // No: everything stays. Yes: the window ends, any run first (at its next wait); outside a
  // run a new window takes its place.
  void closeAnswering(bool yes) {
    m_fakes.answerYes = yes;
    const int questions = m_fakes.exitQuestions;
    const bool running = window().running();
    window().close();
    EXPECT_EQ(m_fakes.exitQuestions, questions + 1);
    if (running) {
      EXPECT_TRUE(window().running()) << "the run ends at its next wait, not inside close()";
      m_aborting = m_aborting || yes;
    } else {
      EXPECT_EQ(window().isVisible(), !yes);
      if (yes) newWindow();
    }
  }

  // Lessons and exports, every dialog answer a cancel now and then (opening is refused
  // during a run): an example opened from its menu; the panel saved (sometimes where it cannot be) and opened again, which changes
  // nothing; a file that is no lesson refused, nothing changed; the trajectory and the views
  // exported, or refused while a run goes on.
  void useFiles() {
    const QString saved = m_dir.filePath(QStringLiteral("saved.larmor"));
    const Scenario before = scenarioOf(window().panel());
    const auto warnings = m_fakes.warnings.size();
    switch (below(5)) {
      case 0: {
        const QList<QAction*> lessons = control<QMenu>("mnuExamples")->actions();
        if (!lessons.isEmpty()) lessons[below(static_cast<int>(lessons.size()))]->trigger();
        return;
      }
      case 1:
        m_files.savePath = std::array{saved, saved, m_dir.filePath(QStringLiteral("no folder/a.larmor")), QString()}[below(4)];
        control<QAction>("mnuFileSave")->trigger();
        if (m_files.savePath != saved) return;
        m_files.openPath = saved;
        control<QAction>("mnuFileOpen")->trigger();
        break;
      case 2:
        m_files.openPath = below(4) ? m_dir.filePath(QStringLiteral("1.gif")) : QString();
        control<QAction>("mnuFileOpen")->trigger();
        // During a run no file is opened at all: the window asks to wait for its end.
        EXPECT_EQ(m_fakes.warnings.size(), warnings + (!m_files.openPath.isEmpty() && !window().running()))
            << "a file that is no lesson is refused";
        break;
      default: {
        const bool csv = below(2);
        m_files.savePath = m_dir.filePath(QString::fromLatin1(csv ? "run.csv" : "views.png"));
        m_files.width = std::array{16, 208, 333}[below(3)];
        m_files.cancelsWidth = below(4) == 0;
        control<QAction>(csv ? "mnuFileExportCsv" : "mnuFileExportPng")->trigger();
        EXPECT_EQ(m_fakes.warnings.size(), warnings) << "an export to a writable folder";
        break;
      }
    }
    EXPECT_TRUE(scenarioOf(window().panel()) == before) << "saving, reopening or refusing changes no control";
  }

  // Short runs most of the time, a slow-down of 0 or 1; a second start during a run does nothing.
  void startRun() {
    auto* button = control<QPushButton>("CmdOK");
    auto* periods = control<QLineEdit>("Text2");
    if (window().running()) {
      const std::int64_t steps = window().lastRunSteps();
      button->click();
      EXPECT_EQ(window().lastRunSteps(), steps) << "a second start must not run";
      return;
    }
    if (below(5)) {
      periods->setFocus();
      QTest::keyClick(periods, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(periods, std::array{"0.2", "0.5", "1", "3"}[below(4)]);
    }
    control<QScrollBar>("HScroll1")->setValue(below(2));
    m_runSteps = m_waitUnits = 0;
    m_aborting = false;
    const auto tones = m_fakes.tones.size();
    if (button->width() > 2 && button->height() > 2 && button->isVisible()) QTest::mouseClick(button, Qt::LeftButton);
    else button->click();
    EXPECT_FALSE(window().running()) << "the start click returns only when its run has ended";
    EXPECT_EQ(m_fakes.tones.size(), tones + !m_aborting) << "a run sounds when it ends, not when it is abandoned";
    EXPECT_EQ(window().isVisible(), !m_aborting) << "Yes during a run ends the window";
    if (m_aborting) return newWindow();
    static const QRegularExpression finished(QRegularExpression::escape(Form1::mainTitle()) +
                                             QStringLiteral("   время расчета\\d+ c$"));
    EXPECT_TRUE(finished.match(window().windowTitle()).hasMatch()) << window().windowTitle().toStdString();
  }

  // Every step of a run: bounds the run's length and, during its waits, acts as a user would.
  void onRunStep() {
    m_waitUnits += window().state().params.slowdown;
    if (m_aborting || ::testing::Test::HasFailure()) return;
    if (++m_runSteps >= 3000) return closeAnswering(true);  // a long run: the user gives up and leaves
    if (m_waitUnits > 15) control<QScrollBar>("HScroll1")->setValue(0);  // finish at full speed
    if (window().state().params.slowdown > 0 && !m_pending && below(3) == 0) {
      m_pending = true;
      QTimer::singleShot(0, m_window.get(), [this] {
        m_pending = false;
        if (!m_aborting && !::testing::Test::HasFailure()) act(true);
      });
    }
  }

  void check() {
    const SimulationState& state = window().state();
    const SimParams& p = state.params;
    // Each value caption shows its parameter, and the parameter follows its bar (start
    // coordinates as far as their two decimals: a field structure may set them exactly).
    const struct { int label; std::string shown; double value, fromBar; } values[] = {
        {4, chargeText(p.q), p.q, chargeFromPosition(bar("VScroll1"))},
        {5, massText(p.m, bar("VScroll2")), p.m, massFromPosition(bar("VScroll2"))},
        {10, integerText(p.v), double(p.v), double(bar("VScroll4"))},
        {16, integerText(p.alpha), double(p.alpha), double(bar("VScroll6"))},
        {25, integerText(p.beta), double(p.beta), double(bar("VScroll10"))},
        {12, fieldText(p.Bo), p.Bo, fieldFromPosition(bar("VScroll5"))},
        {6, twoDecimalsText(p.regionSize), double(p.regionSize), double(bar("VScroll3"))},
        {19, twoDecimalsText(p.x0), roundToTwoDecimals(p.x0), roundToTwoDecimals(coordinateFromPosition(bar("VScroll7")))},
        {21, twoDecimalsText(p.y0), roundToTwoDecimals(p.y0), roundToTwoDecimals(coordinateFromPosition(bar("VScroll8")))},
        {23, twoDecimalsText(p.z0), roundToTwoDecimals(p.z0), roundToTwoDecimals(z0FromPosition(bar("VScroll9")))},
        {29, integerText(p.slowdown), double(p.slowdown), double(bar("HScroll1"))}};
    EXPECT_EQ(control<QAction>("mnuDiagnosticsBoris")->isChecked(), window().panel().integrator() == Integrator::Boris);
    // The 3-D view's particle is where the window's is, whatever happened since it opened.
    if (OrbitView* orbit = window().orbitView(); orbit && orbit->picture().particle) {
      const Vec3 at = *orbit->picture().particle;
      EXPECT_EQ(std::tuple(at.x, at.y, at.z), std::tuple(state.x, state.y, state.z)) << "the particle in space";
    }
    for (const auto& row : values) {
      EXPECT_EQ(label(row.label), row.shown) << "Label" << row.label;
      EXPECT_EQ(row.value, row.fromBar) << "the parameter of Label" << row.label << " against its bar";
    }
    // The results shown are those of the current parameters: no change skipped its recompute.
    SimulationState fresh = state;
    const QString point = QLocale().decimalPoint();
    const ResultCaptions r = fresh.computeQuantities(point.size() == 1 ? point.at(0).toLatin1() : '.');
    for (const auto& [n, text] : {std::pair{13, r.frequency}, {14, r.period}, {17, r.radius}, {18, r.pitch}})
      EXPECT_EQ(label(n), text) << "Label" << n;
    // Each picture's image has the picture's size; a recompute left a drawing in it.
    const bool recomputed = window().recomputeCount() != m_recomputesSeen;
    m_recomputesSeen = window().recomputeCount();
    for (const char* name : {"Picture1", "Picture2"}) {
      const auto* picture = control<PictureBox>(name);
      EXPECT_EQ(picture->canvas().logicalSize(), picture->size().expandedTo(QSize(1, 1))) << name;
      if (!recomputed || picture->width() < 8 || picture->height() < 8) continue;
      const QImage image = picture->canvas().image().convertToFormat(QImage::Format_RGB32);
      QImage blank(image.size(), QImage::Format_RGB32);
      blank.fill(Qt::white);
      EXPECT_TRUE(image != blank) << name << " is blank after a recompute";
    }
  }

  std::mt19937 m_random;
  QTemporaryDir m_dir;
  RecordingServices m_fakes;
  AnsweringFileDialogs m_files;
  std::unique_ptr<Form1> m_window;
  QStringList m_log;  // the last actions
  int m_recomputesSeen = -1;
  int m_runSteps = 0, m_waitUnits = 0;  // of the current run; m_waitUnits [10 ms]
  bool m_pending = false, m_aborting = false;
};

TEST(Monkey, RandomUseKeepsTheWindowConsistent) {
  const std::uint32_t seed = envNumber("LARMOR_MONKEY_SEED", std::random_device{}());
  const std::uint32_t actions = envNumber("LARMOR_MONKEY_ACTIONS", 2000);
  SCOPED_TRACE("LARMOR_MONKEY_SEED=" + std::to_string(seed));
  const QString previousDir = QDir::currentPath();
  {
    Monkey monkey(seed);
    for (std::uint32_t done = 0; done < actions && !HasFailure(); ++done) monkey.act(false);
    if (HasFailure()) ADD_FAILURE() << "last actions:\n" << monkey.lastActions();
  }
  QDir::setCurrent(previousDir);
}

// The program quitting while a run waits: the run ends at that wait, the event loop returns.
TEST(Monkey, QuittingDuringARunEndsTheRunAndTheEventLoop) {
  RecordingServices fakes;
  Form1 window({&fakes, &fakes, &fakes, &fakes});
  window.show();
  window.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(1);
  int steps = 0;
  QObject::connect(&window, &Form1::runStepped, [&] {
    if (++steps == 5) QCoreApplication::exit(0);
  });
  QTimer::singleShot(0, &window, [&] { window.findChild<QPushButton*>(QStringLiteral("CmdOK"))->click(); });
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_FALSE(window.running());
  EXPECT_EQ(steps, 5);
  EXPECT_TRUE(fakes.tones.empty());
}

}  // namespace
}  // namespace larmor::test

int main(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform's notes on every resize and raise would bury a failure.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
    if (!text.startsWith(QLatin1String("This plugin does not support"))) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
