// The English window: no Russian left in anything it shows, the translation complete and
// up to the sources, the language switched through its menu both ways with every value
// kept, and the language of a start.
#include "DiagnosticsTestSupport.h"

#include "ui/EnsembleDialog.h"
#include "ui/OrbitView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include "panel/ScenarioJson.h"
#include "ui/Form2.h"

#include <QAbstractButton>
#include <QProcess>
#include <QSettings>
#include <QTableWidget>

#include <algorithm>

namespace larmor::test {
namespace {

bool hasCyrillic(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; });
}

// Texts left in Russian on purpose: the language menu reads the same in both languages, so
// that a user who reads only one of them finds the way back.
const QStringList deliberatelyBilingual = {QStringLiteral("Язык / Language"), QStringLiteral("Русский")};

// Every text a user can see in a window and below it: titles, captions, tooltips, entries,
// menus and their items, table cells and headers, the plots' titles, axes, legends and notes.
QStringList visibleTexts(QWidget* root) {
  QStringList texts{root->windowTitle()};
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* w : widgets) {
    const QString name = w->objectName() + QStringLiteral(": ");
    texts << name + w->toolTip();
    if (auto* label = qobject_cast<QLabel*>(w)) texts << name + label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << name + button->text();
    if (auto* menu = qobject_cast<QMenu*>(w)) texts << name + menu->title();
    if (auto* box = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < box->count(); ++i) texts << name + box->itemText(i);
    if (auto* list = qobject_cast<QListWidget*>(w))
      for (int r = 0; r < list->count(); ++r) texts << name + list->item(r)->text() << name + list->item(r)->toolTip();
    if (auto* table = qobject_cast<QTableWidget*>(w))
      for (int c = 0; c < table->columnCount(); ++c) {
        texts << name + table->horizontalHeaderItem(c)->text();
        for (int r = 0; r < table->rowCount(); ++r)
          if (QTableWidgetItem* item = table->item(r, c)) texts << name + item->text() << name + item->toolTip();
      }
    if (auto* plot = qobject_cast<QCustomPlot*>(w)) {
      for (QCPAxis* axis : plot->axisRect()->axes()) texts << name + axis->label();
      for (int g = 0; g < plot->graphCount(); ++g) texts << name + plot->graph(g)->name();
      for (int i = 0; i < plot->itemCount(); ++i)
        if (auto* note = qobject_cast<QCPItemText*>(plot->item(i))) texts << name + note->text();
      for (int e = 0; e < plot->plotLayout()->elementCount(); ++e)
        if (auto* title = qobject_cast<QCPTextElement*>(plot->plotLayout()->elementAt(e))) texts << name + title->text();
    }
  }
  for (QAction* action : root->findChildren<QAction*>()) texts << action->objectName() + QStringLiteral(": ") + action->text() + QStringLiteral(" | ") + action->toolTip();
  return texts;
}

QStringList russianIn(const QStringList& texts) {
  QStringList found;
  for (const QString& text : texts) {
    const QString shown = text.section(QStringLiteral(": "), 1).section(QStringLiteral(" | "), 0, 0);
    if (hasCyrillic(text) && !deliberatelyBilingual.contains(shown)) found << text;
  }
  return found;
}

class LanguageTest : public DiagnosticsTest {
protected:
  // The language chosen from the menu, as a user chooses it; the widgets told at once.
  void choose(const char* item) {
    control<QAction>(item)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  }
  // A short run of the second trap: the theory table has rows, reasons and verdicts.
  void runShortTrap() {
    selectRow(6);
    typeInto("Text2", QStringLiteral("2"));
    runAtFullSpeed();
    ASSERT_FALSE(window().running());
  }
};

TEST_F(LanguageTest, EnglishWindowsShowNoRussianBeyondTheLanguageMenu) {
  // A lesson in both languages, and one in Russian only: the English window names the first
  // in English and the second by its Russian title, as the lesson has no other.
  ASSERT_TRUE(QDir().mkpath("examples"));
  Scenario both = scenarioOf(window().panel(), "Урок", "Описание"), russian = scenarioOf(window().panel(), "Только русский");
  both.titleEnglish = "Lesson", both.descriptionEnglish = "About it";
  for (const auto& [name, lesson] : {std::pair{"examples/a.larmor", &both}, {"examples/b.larmor", &russian}})
    writeFile(QString::fromLatin1(name), QByteArray::fromStdString(scenarioJson(*lesson)));
  showWindow();
  auto saying = [this] { return control<QLabel>("Image1")->pixmap().toImage(); };  // the built-in picture
  const QImage russianSaying = saying();
  // The ensemble dialog open with its results when the language changes: written again.
  control<QAction>("mnuDiagnosticsEnsemble")->trigger();
  auto* ensemble = window().findChild<EnsembleDialog*>();
  ASSERT_TRUE(ensemble && QTest::qWaitForWindowExposed(ensemble));
  ensemble->findChild<QSpinBox*>(QStringLiteral("ensembleParticles"))->setValue(3);
  QTest::mouseClick(ensemble->findChild<QPushButton*>(QStringLiteral("ensembleStart")), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !ensemble->running(); }, 60000));
  control<QAction>("mnuOrbitView")->trigger();  // the 3-D view too, built again in English
  choose("mnuLanguageEn");
  EXPECT_NE(saying(), russianSaying);
  // Their texts stand whole at the size they open with, once laid out again.
  QCoreApplication::processEvents();
  OrbitView* orbit = window().orbitView();
  ASSERT_TRUE(orbit && orbit->isVisible());
  for (QWidget* top : {static_cast<QWidget*>(ensemble), static_cast<QWidget*>(orbit)})
    for (QWidget* w : top->findChildren<QWidget*>()) {
      auto* label = qobject_cast<QLabel*>(w);
      auto* button = qobject_cast<QPushButton*>(w);
      if ((label && !label->wordWrap()) || button) {
        EXPECT_LE(w->fontMetrics().horizontalAdvance(label ? label->text() : button->text()), w->contentsRect().width())
            << (label ? label->text() : button->text()).toStdString();
      }
      if (auto* box = qobject_cast<QCheckBox*>(w)) {
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->text().toStdString();
      }
    }
  QStringList examples;
  for (QAction* item : control<QMenu>("mnuExamples")->actions()) examples << item->text();
  EXPECT_EQ(examples.join(" | ").toStdString(), "Lesson | Только русский");
  control<QAction>("mnuExample_a")->trigger();
  EXPECT_EQ((fakes.informationTitles + fakes.informationTexts).join(" | ").toStdString(), "Lesson | About it");
  fakes.informationTitles.clear(), fakes.informationTexts.clear();
  ASSERT_TRUE(QFile::remove("examples/b.larmor"));
  emit control<QMenu>("mnuExamples")->aboutToShow();  // the menu as it is opened next: without it
  runShortTrap();
  openDiagnostics();
  for (const char* item : {"mnuHelpAvtors", "mnuHelpAbout", "mnuHelpAbout2"}) control<QAction>(item)->trigger();
  // The English documents where they lie beside the program, else the Russian ones.
  for (const char* name : {"uprav-en.pdf", "instruction-en.txt"}) ASSERT_TRUE(QFile(name).open(QIODevice::WriteOnly));
  fakes.launchSucceeds = fakes.openSucceeds = false;
  for (const char* item : {"mnuHelpInstruction", "mnuHelpUprav", "mnuFilespravka"}) control<QAction>(item)->trigger();
  EXPECT_EQ((fakes.launched + fakes.opened).join(" ").toStdString(), "instruction-en.txt uprav-en.pdf spravka.pdf");

  Form2* authors = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<Form2*>(top)) authors = form;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top != &window() && top != window().diagnostics() && top != authors && top != ensemble && top != orbit) continue;
    SCOPED_TRACE(top->objectName().toStdString());
    EXPECT_EQ(russianIn(visibleTexts(top)).join(QLatin1Char('\n')).toStdString(), "");
  }
  EXPECT_TRUE(authors && authors->isVisible());
  EXPECT_EQ(fakes.informationTitles.size(), 2);
  EXPECT_EQ(fakes.warnings.size(), 3);
  EXPECT_EQ(russianIn(fakes.informationTitles + fakes.informationTexts + fakes.warnings).join(QLatin1Char('\n')).toStdString(), "");
  // The walk sees what it walks: the Russian window is full of Russian.
  choose("mnuLanguageRu");
  EXPECT_EQ(saying(), russianSaying);
  EXPECT_GT(russianIn(visibleTexts(&window())).size(), 60);
  EXPECT_GT(russianIn(visibleTexts(window().diagnostics())).size(), 20);
  EXPECT_GT(russianIn(visibleTexts(ensemble)).size(), 12);
}

// Every value is the panel's and stays; every text comes back as it was, the results and
// the list in the language chosen, and the views drawn again.
TEST_F(LanguageTest, SwitchingBackAndForthKeepsEveryValueAndEveryRussianText) {
  writePicture("4.gif", 4), writePicture("4-en.gif", 8);  // the trap's illustration in both languages
  showWindow();
  moveBar("VScroll1", -3), moveBar("VScroll2", 0), moveBar("VScroll5", 0), moveBar("VScroll7", 12);
  selectRow(3);
  typeInto("Text2", QStringLiteral("7,5"));
  control<QAction>("mnuDiagnosticsBoris")->trigger();
  auto values = [this] {
    const ControlPanel& p = window().panel();
    std::vector<std::string> v;
    for (std::size_t i = 0; i < barCount; ++i) v.push_back(std::to_string(p.position(Bar(i))));
    for (std::size_t i = 0; i < textBoxCount; ++i) v.push_back(p.text(TextBox(i)));
    v.push_back(std::to_string(p.selectedEntry()) + (p.integrator() == Integrator::Boris ? " boris" : " rk4"));
    return v;
  };
  // The 3-D view open and turned: built again in English, turned as it was.
  control<QAction>("mnuOrbitView")->trigger();
  QWidget* canvas = window().orbitView()->findChild<QWidget*>(QStringLiteral("orbitCanvas"));
  QTest::keyClick(canvas, Qt::Key_Left);
  const double azimuth = window().orbitView()->picture().camera.azimuth();
  const std::vector<std::string> before = values();
  const QStringList russian = visibleTexts(&window());
  const int recomputes = window().recomputeCount();

  choose("mnuLanguageEn");
  ASSERT_TRUE(window().orbitView() && window().orbitView()->isVisible());
  EXPECT_EQ(window().orbitView()->findChild<QCheckBox*>(QStringLiteral("orbitByTime"))->text(), QStringLiteral("Colour by time"));
  EXPECT_EQ(window().orbitView()->picture().camera.azimuth(), azimuth);
  EXPECT_NE(azimuth, OrbitCamera::startAzimuth);
  EXPECT_EQ(values(), before);
  expectShowsPanel();
  QEvent again(QEvent::LanguageChange);  // as any other translator installed later sends it
  QCoreApplication::sendEvent(&window(), &again);
  expectShowsPanel();
  EXPECT_EQ(window().recomputeCount(), recomputes + 1) << "the views drawn again, once";
  EXPECT_EQ(QStringList({caption("Label14"), tooltip("Label4"), control<QListWidget>("List1")->currentItem()->text()}).join(" | ").toStdString(),
            "T - infinite | particle charge = -3|e| | Magnetic trap");
  EXPECT_TRUE(control<QAction>("mnuLanguageEn")->isChecked() && !control<QAction>("mnuLanguageRu")->isChecked());
  EXPECT_EQ(QSettings().value("interface/language").toString(), "en");
  EXPECT_EQ(image1Colour(), pictureColour(8));

  choose("mnuLanguageRu");
  EXPECT_EQ(values(), before);
  expectShowsPanel();
  EXPECT_EQ(visibleTexts(&window()), russian);
  EXPECT_EQ(QSettings().value("interface/language").toString(), "ru");
  EXPECT_EQ(image1Colour(), pictureColour(4));
}

TEST_F(LanguageTest, AStartSpeaksTheLanguageAskedForElseTheOneChosenLastElseRussian) {
  bool refused = true;
  EXPECT_EQ(startLanguage({"larmor"}, &refused), Language::Russian);
  EXPECT_FALSE(refused);
  rememberLanguage(Language::English);
  EXPECT_EQ(startLanguage({"larmor", "lesson.larmor"}), Language::English);
  EXPECT_EQ(startLanguage({"larmor", "--language", "ru"}), Language::Russian);
  EXPECT_EQ(startLanguage({"larmor", "--language=ru", "lesson.larmor"}), Language::Russian);
  EXPECT_EQ(startLanguage({"larmor", "--language", "de"}, &refused), Language::English);  // ignored: the one chosen last
  EXPECT_TRUE(refused);
  // A window started in English shows its first texts in English.
  ASSERT_TRUE(setUiLanguage(Language::English));
  EXPECT_EQ(QStringList({window().windowTitle(), caption("Label13").right(6), control<QListWidget>("List1")->item(0)->text()}).join(" | ").toStdString(),
            "Motion of a charged particle in various magnetic fields |  rad/s | Uniform field");  // the number's separator is the locale's
  const QImage englishSaying = control<QLabel>("Image1")->pixmap().toImage();
  choose("mnuLanguageRu");
  EXPECT_NE(control<QLabel>("Image1")->pixmap().toImage(), englishSaying);
}

// Every text of the window's sources is in the translation, translated, and in English:
// a text added without its translation fails here before it shows in Russian.
TEST(Translation, CoversEveryTextOfTheSources) {
  QTemporaryDir dir;
  const QString ts = dir.filePath(QStringLiteral("larmor_en.ts"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(LARMOR_TS_FILE), ts));
  QProcess lupdate;
  lupdate.start(QStringLiteral(LARMOR_LUPDATE_BINARY),
                {QStringLiteral("-I"), QStringLiteral(LARMOR_SOURCE_DIR), QStringLiteral("-locations"), QStringLiteral("none"),
                 QStringLiteral("-no-obsolete"), QStringLiteral("-source-language"), QStringLiteral("ru"),
                 QStringLiteral("-target-language"), QStringLiteral("en"), QStringLiteral(LARMOR_SOURCE_DIR "/ui"),
                 QStringLiteral("-ts"), ts});
  ASSERT_TRUE(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0) << lupdate.readAllStandardError().toStdString();
  const QString xml = QString::fromUtf8(fileBytes(ts));
  static const QRegularExpression message(QStringLiteral("<source>(.*?)</source>\\s*<translation( type=\"unfinished\")?>(.*?)</translation>"),
                                          QRegularExpression::DotMatchesEverythingOption);
  int messages = 0;
  QStringList faults;
  for (const QRegularExpressionMatch& m : message.globalMatch(xml)) {
    ++messages;
    if (!m.captured(2).isEmpty() || m.captured(3).isEmpty() || hasCyrillic(m.captured(3))) faults << m.captured(1);
  }
  EXPECT_EQ(messages, xml.count(QStringLiteral("<message>")));
  EXPECT_GT(messages, 200);
  EXPECT_EQ(faults.join(QLatin1Char('\n')).toStdString(), "");
}

}  // namespace
}  // namespace larmor::test
