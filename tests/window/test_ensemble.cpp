// The ensemble dialog as a user meets it: opened from the diagnostics menu, run by clicks at
// the size its layout gives it, the window usable while it runs; a cancel or a close stops
// the run at once and keeps what was shown; the CSV holds one row per particle, the PNG both
// histograms; the cone's spread is the run's; a change of language keeps every result.
#include "DiagnosticsTestSupport.h"

#include "ui/EnsembleDialog.h"

#include <QComboBox>
#include <QProgressBar>
#include <QSpinBox>

namespace larmor::test {
namespace {

class EnsembleTest : public DiagnosticsTest {
protected:
  EnsembleDialog& openEnsemble() {
    if (!window().isVisible()) showWindow();
    control<QAction>("mnuDiagnosticsEnsemble")->trigger();
    auto* dialog = window().findChild<EnsembleDialog*>();
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    dialog->setFileDialogs(files);
    return *dialog;
  }
  void click(EnsembleDialog& dialog, const char* button) {
    auto* b = test::control<QPushButton>(dialog, button);
    ASSERT_TRUE(b->isVisible() && b->isEnabled() && b->width() > 10 && b->height() > 10) << button;
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
  }
  void typeParticles(EnsembleDialog& dialog, const QString& n) {
    auto* spin = test::control<QSpinBox>(dialog, "ensembleParticles");
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 3, spin->height() / 2));
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, n);
    EXPECT_EQ(spin->value(), n.toInt());
  }
  // The trap with a Larmor radius of centimetres (3,000 m/s in 1.5 mT, from x0 = 2.5 m),
  // where the loss cone holds: of 24 isotropic particles some escape each way.
  void selectAdiabaticTrap() {
    select("Магнитная ловушка");
    moveBar("VScroll4", 3000), moveBar("VScroll5", 30000), moveBar("VScroll7", 25);
  }
  EnsembleHistogram& histogram(EnsembleDialog& dialog, const char* name) { return *test::control<EnsembleHistogram>(dialog, name); }
};

TEST_F(EnsembleTest, ClicksRunTheTrapsEnsembleAndTheCsvHoldsEveryParticle) {
  showWindow();
  selectAdiabaticTrap();
  EnsembleDialog& dialog = openEnsemble();
  typeParticles(dialog, QStringLiteral("24"));
  click(dialog, "ensembleStart");
  EXPECT_TRUE(dialog.running());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.running(); }, 120000));
  EXPECT_EQ(test::control<QProgressBar>(dialog, "ensembleProgress")->value(), 24);
  const QString result = test::control<QLabel>(dialog, "ensembleResult")->text();
  // The theory's value beside it, as the panel's tests check it.
  const EnsemblePrediction theory = Ensemble(window().panel(), EnsembleSettings()).prediction();
  const QString beside = QStringLiteral("(теория: %1, α_lc = %2°)")
                             .arg(QString::number(*theory.trappedFraction, 'g', 4), QString::number(*theory.lossConeDeg, 'g', 3));
  EXPECT_TRUE(result.contains(beside)) << result.toStdString();

  const QString csv = QDir::current().filePath(QStringLiteral("ensemble.csv"));
  files.answers << csv;
  click(dialog, "ensembleCsv");
  EXPECT_EQ(fileBytes(csv).count('\n'), 2 + 24);
  // The escape times count every escaped particle; the first paths are kept (their outcomes
  // and bounds are the panel's test's).
  const EnsembleSummary s = summarizeEnsemble(dialog.results());
  EXPECT_EQ(histogram(dialog, "ensembleHistogram").counted(), 24);
  EXPECT_EQ(histogram(dialog, "ensembleEscapeTimes").counted(), s.escapedUp + s.escapedDown);
  EXPECT_TRUE(s.escapedUp > 0 && s.escapedDown > 0 && s.trapped > 0);
  const std::vector<ParticlePath>& paths = test::control<EnsemblePathViews>(dialog, "ensemblePaths")->paths();
  EXPECT_EQ(paths.size(), std::size_t(EnsembleDialog::keptPaths));
  // The PNG holds both histograms as shown, side by side.
  const QString png = QDir::current().filePath(QStringLiteral("ensemble.png"));
  files.answers << png;
  click(dialog, "ensemblePng");
  const QImage picture = QImage(png).convertToFormat(QImage::Format_RGB32);
  const QImage& pitch = histogram(dialog, "ensembleHistogram").image();
  const QImage& times = histogram(dialog, "ensembleEscapeTimes").image();
  EXPECT_EQ(picture.copy(QRect(QPoint(0, 0), pitch.size())), pitch);
  EXPECT_EQ(picture.copy(QRect(QPoint(pitch.width(), 0), times.size())), times);
}

// A cone of pitch angles just inside the loss cone, narrowed by its spread so that none
// reaches the edge: every particle escapes, each within the spread. A switch of language
// then writes the dialog again and keeps what was set and what was found.
TEST_F(EnsembleTest, TheConesSpreadIsRunAndALanguageSwitchKeepsSettingsAndResults) {
  showWindow();
  selectAdiabaticTrap();
  const double lossCone = *Ensemble(window().panel(), EnsembleSettings()).prediction().lossConeDeg;
  const int alpha = static_cast<int>(lossCone) - 3;
  moveBar("VScroll6", alpha);
  EnsembleDialog& dialog = openEnsemble();
  auto* spread = test::control<QDoubleSpinBox>(dialog, "ensembleSpread");
  EXPECT_FALSE(spread->isEnabled());
  auto* distribution = test::control<QComboBox>(dialog, "ensembleDistribution");
  distribution->setFocus();
  QTest::keyClick(distribution, Qt::Key_Down);
  ASSERT_EQ(distribution->currentData().toInt(), int(Distribution::cone));
  ASSERT_TRUE(spread->isEnabled());
  QTest::mouseClick(spread, Qt::LeftButton, {}, QPoint(spread->width() / 3, spread->height() / 2));
  QTest::keyClick(spread, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(spread, QStringLiteral("2"));
  ASSERT_EQ(spread->value(), 2.0);
  typeParticles(dialog, QStringLiteral("12"));
  click(dialog, "ensembleStart");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.running(); }, 120000));
  const std::vector<ParticleResult> results = dialog.results();
  const EnsembleSummary s = summarizeEnsemble(results);
  EXPECT_EQ(s.escapedUp + s.escapedDown, 12);
  for (const ParticleResult& r : results) EXPECT_NEAR(r.pitchDeg, alpha, 2.01);

  const QImage pitch = histogram(dialog, "ensembleHistogram").image();
  control<QAction>("mnuLanguageEn")->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  // Its every text in English is the language test's; here what was set and found stays.
  EXPECT_TRUE(spread->isEnabled() && spread->value() == 2.0 && test::control<QSpinBox>(dialog, "ensembleParticles")->value() == 12);
  ASSERT_EQ(dialog.results().size(), results.size());
  for (std::size_t i = 0; i < results.size(); ++i)
    EXPECT_TRUE(dialog.results()[i].outcome == results[i].outcome && dialog.results()[i].t == results[i].t);
  const QString result = test::control<QLabel>(dialog, "ensembleResult")->text();
  EXPECT_TRUE(result.startsWith(QStringLiteral("Particles computed: 12 of 12.\nTrapped fraction: 0 ± 0"))) << result.toStdString();
  EXPECT_EQ(histogram(dialog, "ensembleHistogram").counted(), 12);
  EXPECT_NE(histogram(dialog, "ensembleHistogram").image(), pitch) << "its words drawn again";
  control<QAction>("mnuLanguageRu")->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  EXPECT_EQ(histogram(dialog, "ensembleHistogram").image(), pitch);
}

TEST_F(EnsembleTest, CancelAndCloseStopARunAtOnceAndTheWindowStaysUsable) {
  showWindow();
  select("Магнитная ловушка");
  EnsembleDialog& dialog = openEnsemble();
  typeParticles(dialog, QStringLiteral("1000000"));
  click(dialog, "ensembleStart");
  auto* progress = test::control<QProgressBar>(dialog, "ensembleProgress");
  // The window answers while the particles run: its events are handled, its menu works.
  ASSERT_TRUE(QTest::qWaitFor([&] { return progress->value() >= 2; }, 60000));
  EXPECT_TRUE(dialog.running());
  EXPECT_FALSE(test::control<QLabel>(dialog, "ensembleTimeLeft")->text().isEmpty());
  click(dialog, "ensembleCancel");
  EXPECT_FALSE(dialog.running()) << "the cancel waits only for the steps under way";
  const QString result = test::control<QLabel>(dialog, "ensembleResult")->text();
  EXPECT_TRUE(result.contains(QStringLiteral(" из 1000000."))) << result.toStdString();
  EXPECT_TRUE(test::control<QPushButton>(dialog, "ensembleStart")->isEnabled());

  // Esc closes the dialog mid-run: the run stops with it; the menu opens it again.
  click(dialog, "ensembleStart");
  ASSERT_TRUE(QTest::qWaitFor([&] { return progress->value() >= 1; }, 60000));
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.running());
  EXPECT_EQ(&openEnsemble(), &dialog);
  // And a window closed while its ensemble runs takes the run down with it.
  click(dialog, "ensembleStart");
  ASSERT_TRUE(QTest::qWaitFor([&] { return progress->value() >= 1; }, 60000));
  closeWindow();
}

}  // namespace
}  // namespace larmor::test
