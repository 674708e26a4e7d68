// Scenario files, the examples menu and the exports, through the window's own menu items
// with file dialogs that answer as a user would.
#include "WindowTestSupport.h"
#include "../cli/TraceProcess.h"

#include "canvas/ViewsPicture.h"
#include "panel/ScenarioJson.h"
#include "panel/TrajectoryCsv.h"

#include <QCryptographicHash>

namespace larmor::test {
namespace {

// The desktop and the file dialogs, answering from what a test put in.
struct Fakes : RecordingServices, AnsweringFileDialogs {};

// Where two pictures first differ, as "x,y"; empty when they are alike pixel for pixel.
std::string firstDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return "sizes differ";
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return std::to_string(x) + "," + std::to_string(y);
  return {};
}

// A lesson of the panel as it starts, then the entry chosen.
QByteArray lesson(int entry, const std::string& title = {}) {
  ControlPanel panel;
  panel.Form_Load();
  panel.selectEntry(entry);
  return QByteArray::fromStdString(scenarioJson(scenarioOf(panel, title)));
}

// The companion's standard output, after it ended well.
QByteArray companionOutput(const QStringList& arguments) {
  const Outcome o = trace(arguments);
  EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
  return o.out;
}

class ScenarioWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid() && QDir::setCurrent(m_dir.path()));
    writeAllPictures();  // each a pixel of its own colour, so the shown picture is told apart
  }
  void TearDown() override {
    m_windows.clear();
    QDir::setCurrent(m_previousDir);
  }

  Form1& newWindow() {
    m_windows.push_back(std::make_unique<Form1>(Services{&fakes, &fakes, &fakes, &fakes, &fakes}));
    Form1& w = *m_windows.back();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    return w;
  }
  static void trigger(Form1& w, const char* item) { control<QAction>(w, item)->trigger(); }
  static void start(Form1& w) { QTest::mouseClick(control<QPushButton>(w, "CmdOK"), Qt::LeftButton); }

  // Everything a window shows that a scenario sets, a line each: controls, captions, the
  // inputs shown, the list, the illustration, both pictures (their pixels) and markers.
  // The accuracy label is left out on request: it shows the last run until the next one.
  static std::string shown(Form1& w, bool withAccuracy = true) {
    QApplication::processEvents();  // markers follow at the next turn of the event loop
    QStringList s;
    for (const char* bar : barNames) s << QStringLiteral("%1 %2").arg(bar).arg(barValue(w, bar));
    for (const char* box : textNames) s << QString::fromLatin1(box) + ' ' + control<QLineEdit>(w, box)->text();
    for (int k = 1; k < 30; ++k) {
      const QString label = QStringLiteral("Label%1").arg(k);
      if (withAccuracy || k != 26) s << label + ' ' + control<QLabel>(w, qPrintable(label))->text();
    }
    for (const char* input : {"Label27", "Text1", "Label28", "Text3"})
      s << QStringLiteral("%1 shown %2").arg(input).arg(control(w, input)->isVisible());
    s << QStringLiteral("List1 %1").arg(control<QListWidget>(w, "List1")->currentRow())
      << "Image1 " + control<QLabel>(w, "Image1")->property("pictureFile").toString();
    for (const char* name : {"Picture1", "Picture2"}) {
      const auto* picture = control<PictureBox>(w, name);
      const QImage image = picture->canvas().image();
      const QByteArrayView bits(image.constBits(), image.sizeInBytes());
      s << QStringLiteral("%1 %2 marker %3,%4").arg(name, QCryptographicHash::hash(bits, QCryptographicHash::Sha1).toHex())
               .arg(picture->marker()->pos().x()).arg(picture->marker()->pos().y());
    }
    return s.join(QLatin1Char('\n')).toStdString();
  }
  // An export at the window's size holds each view's picture where the window shows it,
  // pixel for pixel, but under the marker, which is the marker's colour at its centre.
  static void expectShowsWindowViews(const QImage& exported, Form1& w) {
    const int side = control<PictureBox>(w, "Picture1")->width();
    ASSERT_EQ(exported.size(), QSize(3 * side + ViewsPicture::gap, side));
    int differences = 0;
    for (const auto& [name, left] : {std::pair{"Picture1", 0}, {"Picture2", side + ViewsPicture::gap}}) {
      auto* view = control<PictureBox>(w, name);
      const QImage shown = view->canvas().image();
      const QRect marker(view->canvas().markerTopLeft().toPoint() - QPoint(1, 1),
                         QSize(ImageCanvas::markerDiameter + 2, ImageCanvas::markerDiameter + 2));
      for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
          if (!marker.contains(x, y)) differences += exported.pixel(left + x, y) != shown.pixel(x, y);
      if (QRect(QPoint(0, 0), shown.size()).contains(marker.center())) {
        EXPECT_EQ(exported.pixelColor(left + marker.center().x(), marker.center().y()), view->marker()->colour()) << name;
      }
    }
    EXPECT_EQ(differences, 0);
  }

  QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

  Fakes fakes;

private:
  QString m_previousDir = QDir::currentPath();
  QTemporaryDir m_dir;
  std::vector<std::unique_ptr<Form1>> m_windows;
};

// The file items come first and keep the old ones below in their order; the examples are
// listed by title in the order of their file names, an unreadable one by its name.
TEST_F(ScenarioWindowTest, MenusOfferFilesAndTheExampleLessons) {
  ASSERT_TRUE(QDir().mkdir(QStringLiteral("examples")));
  writeFile(QStringLiteral("examples/b.larmor"), lesson(0, "Урок & упражнение"));
  writeFile(QStringLiteral("examples/a-broken.larmor"), "{");
  writeFile(QStringLiteral("examples/notes.txt"), "not a lesson");
  Form1& w = newWindow();
  QStringList menus, fileItems, examples;
  for (QAction* menu : w.menuBar()->actions()) menus << menu->text();
  for (QAction* item : control<QMenu>(w, "mnuFile")->actions()) fileItems << (item->isSeparator() ? "-" : item->objectName());
  for (QAction* item : control<QMenu>(w, "mnuExamples")->actions()) examples << item->text();
  EXPECT_EQ(menus, QStringList({"Файл", "Примеры", "Диагностика", "Помощь"}));
  EXPECT_EQ(fileItems, QStringList({"mnuFileOpen", "mnuFileSave", "-", "mnuFileExportCsv", "mnuFileExportPng", "-",
                                    "mnuFilespravka", "mnuLanguage", "-", "mnuFileExit"}));
  EXPECT_EQ(examples, QStringList({"a-broken", "Урок && упражнение"}));

  // A lesson opened from the menu says its title (the language test's); a broken one is refused.
  control<QAction>(w, "mnuExample_a-broken")->trigger();
  ASSERT_EQ(fakes.warnings.size(), 1);
  EXPECT_TRUE(fakes.warnings[0].contains(QStringLiteral("examples/a-broken.larmor"))) << fakes.warnings[0].toStdString();

  // Without the folder the menu says so, with nothing to choose.
  ASSERT_TRUE(QDir(QStringLiteral("examples")).removeRecursively());
  control<QMenu>(w, "mnuExamples")->aboutToShow();
  ASSERT_EQ(control<QMenu>(w, "mnuExamples")->actions().size(), 1);
  EXPECT_FALSE(control<QMenu>(w, "mnuExamples")->actions()[0]->isEnabled());
}

// A lesson saved from one window opens in a fresh one and in a used one to the same
// controls, captions, illustration and pictures, and shows its title and description.
TEST_F(ScenarioWindowTest, SavedLessonsOpenAsTheyWereShown) {
  const struct {
    const char* name;
    std::function<void(Form1&)> act;
  } states[] = {
      {"second trap, angle moved, texts typed",
       [](Form1& w) {
         select(w, "Ловушка-2");
         setBar(w, "VScroll10", -180);
         typeInto(w, "Text3", QStringLiteral("2,5"));
         typeInto(w, "Text2", QStringLiteral("3"));
         setBar(w, "VScroll3", 10);
       }},
      {"no charge: the kept period",
       [](Form1& w) {
         select(w, "Плоский дрейф");
         setBar(w, "VScroll5", 300);
         setBar(w, "VScroll1", 0);
         setBar(w, "VScroll2", 0);
         setBar(w, "HScroll1", 0);
       }},
  };
  for (const auto& state : states) {
    SCOPED_TRACE(state.name);
    Form1& saving = newWindow();
    state.act(saving);
    const std::string before = shown(saving), beforeButAccuracy = shown(saving, false);
    fakes.savePath = path("урок.larmor");
    fakes.description = FileDialogs::Description{QStringLiteral("Урок"), QStringLiteral("Что показать.\nВторая строка.")};
    trigger(saving, "mnuFileSave");
    ASSERT_TRUE(fakes.warnings.isEmpty()) << fakes.warnings.join('\n').toStdString();
    const ScenarioRead read = readScenario(fileBytes(fakes.savePath).toStdString());
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.scenario.description, "Что показать.\nВторая строка.");

    fakes.openPath = fakes.savePath;
    Form1& fresh = newWindow();
    trigger(fresh, "mnuFileOpen");
    EXPECT_EQ(shown(fresh), before);
    EXPECT_EQ(fakes.informationTexts.value(fakes.informationTexts.size() - 1), QStringLiteral("Что показать.\nВторая строка."));
    // A run from the opened lesson is the saved window's run, step for step.
    setBar(saving, "HScroll1", 0);
    setBar(fresh, "HScroll1", 0);
    start(saving);
    start(fresh);
    EXPECT_EQ(shown(fresh), shown(saving));
    // The window that saved it, changed since, comes back to it too.
    select(saving, "Магнитный монополь");
    setBar(saving, "VScroll6", 0);
    trigger(saving, "mnuFileOpen");
    EXPECT_EQ(shown(saving, false), beforeButAccuracy);
    fakes.informationTitles.clear();
  }
}

// A file that cannot be read and a file the reader refuses (every kind of refusal, and why
// a file cannot be read, are the panel tests'): a message naming the file and its problem,
// and nothing changed.
TEST_F(ScenarioWindowTest, BadFilesAreRefusedAndChangeNothing) {
  const QByteArray good = lesson(3);
  auto with = [&good](const char* from, const char* to) { return QByteArray(good).replace(from, to); };
  const struct {
    const char* file;
    QByteArray bytes;  // not written for the missing file
    const char* problem;
  } cases[] = {
      {"missing.larmor", {}, "файл не читается ("},
      {"range.larmor", with("\"speed\": 22000", "\"speed\": 40000"), "\"speed\" = 40000: вне диапазона"},
  };
  Form1& w = newWindow();
  select(w, "Центробежный дрейф");
  setBar(w, "VScroll6", 120);
  const std::string before = shown(w);
  const int recomputes = w.recomputeCount();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    if (!c.bytes.isEmpty()) writeFile(path(c.file), c.bytes);
    fakes.openPath = path(c.file);
    trigger(w, "mnuFileOpen");
    ASSERT_FALSE(fakes.warnings.isEmpty());
    const QString message = fakes.warnings.takeLast();
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path(c.file))) && message.contains(QString::fromUtf8(c.problem)))
        << message.toStdString();
    EXPECT_EQ(shown(w), before);
    EXPECT_EQ(w.recomputeCount(), recomputes);
  }
  EXPECT_TRUE(fakes.informationTitles.isEmpty());
  // A cancelled dialog opens nothing and says nothing.
  fakes.openPath.clear();
  trigger(w, "mnuFileOpen");
  EXPECT_TRUE(fakes.warnings.isEmpty());
  EXPECT_EQ(shown(w), before);

  // A good lesson, asked for in a run's pause (from the menu or the examples): refused with
  // a word, the run goes on in the field it had.
  writeFile(path("good.larmor"), good);
  fakes.openPath = path("good.larmor");
  setBar(w, "HScroll1", 1);
  typeInto(w, "Text2", QStringLiteral("1"));
  const int row = w.panel().selectedEntry();
  int steps = 0;
  const QMetaObject::Connection watch = QObject::connect(&w, &Form1::runStepped, [&] {
    if (++steps == 2) trigger(w, "mnuFileOpen");
    if (steps == 3) setBar(w, "HScroll1", 0);
  });
  start(w);
  QObject::disconnect(watch);
  EXPECT_EQ(fakes.informationTitles, QStringList{QStringLiteral("Сценарий")}) << steps;
  EXPECT_EQ(w.panel().selectedEntry(), row) << "the lesson's structure was not chosen";
  trigger(w, "mnuFileOpen");  // after the run it opens
  EXPECT_EQ(w.panel().selectedEntry(), 3);
}

// The exported trajectory is the run the window made, changes made during its waits
// included; without changes it is the companion's CSV byte for byte.
TEST_F(ScenarioWindowTest, TrajectoryExportReplaysTheLastRun) {
  Form1& w = newWindow();
  fakes.savePath = path("run.csv");
  trigger(w, "mnuFileExportCsv");  // nothing to export yet
  EXPECT_EQ(fakes.informationTexts.size(), 1);
  EXPECT_FALSE(QFile::exists(fakes.savePath));

  typeInto(w, "Text2", QStringLiteral("2"));
  setBar(w, "HScroll1", 1);
  std::vector<std::array<double, 3>> live;  // where the window's run put the particle
  const QMetaObject::Connection watch = QObject::connect(&w, &Form1::runStepped, [&] {
    live.push_back({w.state().x, w.state().y, w.state().z});
    if (live.size() == 20) setBar(w, "VScroll5", 14000);
    if (live.size() == 50) select(w, "Осевой дрейф");
    if (live.size() == 60) typeInto(w, "Text1", QStringLiteral("1,5"));
    if (live.size() == 80) w.resize(w.width() + 40, w.height());
    if (live.size() == 90) trigger(w, "mnuFileExportCsv");  // not while the run goes on
  });
  start(w);
  QObject::disconnect(watch);
  ASSERT_EQ(live.size(), 201u);
  EXPECT_EQ(fakes.informationTexts.size(), 2);
  EXPECT_FALSE(QFile::exists(fakes.savePath));
  trigger(w, "mnuFileExportCsv");
  const QList<QByteArray> rows = fileBytes(fakes.savePath).split('\n');
  ASSERT_EQ(rows.size(), 203);  // the header, 201 steps, the empty rest after the last line feed
  for (std::size_t k = 0; k < live.size(); ++k) {
    const QList<QByteArray> fields = rows[static_cast<int>(k) + 1].split(',');
    ASSERT_EQ(fields.size(), 9);
    EXPECT_EQ(fields[0].toLongLong(), static_cast<long long>(k + 1));
    for (int c = 0; c < 3; ++c) EXPECT_EQ(fields[2 + c].toStdString(), numberText(live[k][c])) << "step " << k + 1;
  }

  // The same settings again, nothing changed during the run: the companion's CSV.
  start(w);
  trigger(w, "mnuFileExportCsv");
  const QByteArray companion = companionOutput({"--config", "3", "--field", "7e-4", "--S", "1,5", "--periods", "2"});
  EXPECT_EQ(fileBytes(fakes.savePath), companion);
  EXPECT_NE(fileBytes(fakes.savePath).left(2000), QByteArray(rows.join('\n')).left(2000)) << "the changes made a difference";

  // Once the diagnostics window shows the run, its columns go with the trajectory.
  trigger(w, "mnuDiagnosticsWindow");
  trigger(w, "mnuFileExportCsv");
  EXPECT_EQ(fileBytes(fakes.savePath),
            companionOutput({"--config", "3", "--field", "7e-4", "--S", "1,5", "--periods", "2", "--diagnostics"}));
}

// Both views as a PNG: at the window's size the window's own pictures, at another width the
// companion's; after a change since the run, what the window shows then.
TEST_F(ScenarioWindowTest, ViewsExportIsTheWindowsPictureAtAnyWidth) {
  Form1& w = newWindow();
  select(w, "Магнитная ловушка");
  setBar(w, "HScroll1", 0);
  typeInto(w, "Text2", QStringLiteral("3"));
  start(w);
  fakes.savePath = path("views.png");
  trigger(w, "mnuFileExportPng");
  EXPECT_EQ(fakes.offeredWidth, 208);
  expectShowsWindowViews(QImage(fakes.savePath), w);

  fakes.width = 300;
  trigger(w, "mnuFileExportPng");
  companionOutput({"--config", "4", "--periods", "3", "--png", path("trace.png"), "--width", "300", "--summary"});
  const QImage exported(fakes.savePath), companion(path("trace.png"));
  EXPECT_EQ(firstDifference(exported, companion), "");

  setBar(w, "VScroll3", 3);  // redraws the views without the trail
  fakes.width.reset();
  trigger(w, "mnuFileExportPng");
  expectShowsWindowViews(QImage(fakes.savePath), w);
  EXPECT_TRUE(fakes.warnings.isEmpty());

  // A place that cannot be written: a message naming it, and no file.
  fakes.savePath = path("no folder/views.png");
  trigger(w, "mnuFileExportPng");
  ASSERT_EQ(fakes.warnings.size(), 1);
  EXPECT_TRUE(fakes.warnings[0].contains(QStringLiteral("no folder/views.png")));
  EXPECT_FALSE(QFile::exists(fakes.savePath));
}

// A Boris run's views name their method in the X0Z view's corner, in the window's export as
// in the companion's picture; the same run by RK4 has no such note.
TEST_F(ScenarioWindowTest, ViewsOfABorisRunSaySo) {
  Form1& w = newWindow();
  setBar(w, "HScroll1", 0);
  typeInto(w, "Text2", QStringLiteral("1"));
  trigger(w, "mnuDiagnosticsBoris");
  start(w);
  fakes.savePath = path("boris.png");
  fakes.width = 300;
  trigger(w, "mnuFileExportPng");
  const QImage exported(fakes.savePath);
  companionOutput({"--integrator", "boris", "--periods", "1", "--png", path("trace-boris.png"), "--width", "300", "--summary"});
  companionOutput({"--periods", "1", "--png", path("trace-rk4.png"), "--width", "300", "--summary"});
  EXPECT_EQ(firstDifference(exported, QImage(path("trace-boris.png"))), "");
  // Against the RK4 run's picture: the note's pixels in the corner; elsewhere the two orbits
  // agree over one period but for a pixel or two of the trail.
  const QImage rk4(path("trace-rk4.png"));
  const QRect corner(3 * 300 + ViewsPicture::gap - 120, 300 - 30, 120, 30);
  int inCorner = 0, elsewhere = 0;
  for (int y = 0; y < rk4.height(); ++y)
    for (int x = 0; x < rk4.width(); ++x)
      if (exported.pixel(x, y) != rk4.pixel(x, y)) ++(corner.contains(x, y) ? inCorner : elsewhere);
  EXPECT_GT(inCorner, 100);
  EXPECT_LT(elsewhere, 20);
}

}  // namespace
}  // namespace larmor::test
