// The ensemble dialog as a user meets it: opened from the diagnostics menu, run by clicks at
// the size its layout gives it, the window usable while it runs; a cancel or a close stops
// the run at once and keeps what was shown; the CSV holds one row per particle.
#include "DiagnosticsTestSupport.h"

#include "ui/EnsembleDialog.h"

#include <QAction>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
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
  template <typename T>
  T* in(EnsembleDialog& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  void click(EnsembleDialog& dialog, const char* button) {
    auto* b = in<QPushButton>(dialog, button);
    ASSERT_TRUE(b->isVisible() && b->isEnabled() && b->width() > 10 && b->height() > 10) << button;
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
  }
  void typeParticles(EnsembleDialog& dialog, const QString& n) {
    auto* spin = in<QSpinBox>(dialog, "ensembleParticles");
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 3, spin->height() / 2));
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, n);
    EXPECT_EQ(spin->value(), n.toInt());
  }
};

TEST_F(EnsembleTest, ClicksRunTheTrapsEnsembleAndTheCsvHoldsEveryParticle) {
  showWindow();
  select("Магнитная ловушка");
  EnsembleDialog& dialog = openEnsemble();
  typeParticles(dialog, QStringLiteral("24"));
  click(dialog, "ensembleStart");
  EXPECT_TRUE(dialog.running());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.running(); }, 120000));
  EXPECT_EQ(in<QProgressBar>(dialog, "ensembleProgress")->value(), 24);
  const QString result = in<QLabel>(dialog, "ensembleResult")->text();
  EXPECT_TRUE(result.contains(QStringLiteral("Частиц рассчитано: 24 из 24."))) << result.toStdString();
  EXPECT_TRUE(result.contains(QStringLiteral("Доля удержанных"))) << result.toStdString();
  // The theory's value beside it, as the panel's tests check it.
  const EnsemblePrediction theory = Ensemble(window().panel(), EnsembleSettings()).prediction();
  const QString beside = QStringLiteral("(теория: %1, α_lc = %2°)")
                             .arg(QString::number(*theory.trappedFraction, 'g', 4), QString::number(*theory.lossConeDeg, 'g', 3));
  EXPECT_TRUE(result.contains(beside)) << result.toStdString();

  const QString csv = QDir::current().filePath(QStringLiteral("ensemble.csv"));
  files.answers << csv;
  click(dialog, "ensembleCsv");
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().count('\n'), 2 + 24);
  EXPECT_EQ(files.suggested.value(0), QStringLiteral("ensemble.csv"));
  // The PNG is the histogram as shown.
  const QString png = QDir::current().filePath(QStringLiteral("ensemble.png"));
  files.answers << png;
  click(dialog, "ensemblePng");
  const QImage picture(png);
  EXPECT_EQ(picture.size(), dialog.findChild<QWidget*>(QStringLiteral("ensembleHistogram"))->size());
}

TEST_F(EnsembleTest, CancelAndCloseStopARunAtOnceAndTheWindowStaysUsable) {
  showWindow();
  select("Магнитная ловушка");
  EnsembleDialog& dialog = openEnsemble();
  typeParticles(dialog, QStringLiteral("1000000"));
  click(dialog, "ensembleStart");
  auto* progress = in<QProgressBar>(dialog, "ensembleProgress");
  // The window answers while the particles run: its events are handled, its menu works.
  ASSERT_TRUE(QTest::qWaitFor([&] { return progress->value() >= 2; }, 60000));
  EXPECT_TRUE(dialog.running());
  EXPECT_FALSE(in<QLabel>(dialog, "ensembleTimeLeft")->text().isEmpty());
  click(dialog, "ensembleCancel");
  EXPECT_FALSE(dialog.running()) << "the cancel waits only for the steps under way";
  const QString result = in<QLabel>(dialog, "ensembleResult")->text();
  EXPECT_TRUE(result.contains(QStringLiteral(" из 1000000."))) << result.toStdString();
  EXPECT_TRUE(in<QPushButton>(dialog, "ensembleStart")->isEnabled());

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
