// The diagnostics window on a small screen: where it opens, the least it can be made, and
// that at that size every plot, legend, read-out and the theory table can still be read;
// and its one style of numbers, with the decimal separator of the main window's results.
// ctest runs these tests on the default offscreen screen and again on one of 1024 × 768.
#include "DiagnosticsTestSupport.h"

#include "ui/TheoryTable.h"
#include "ui/WindowPlacement.h"

#include <QHeaderView>
#include <QScreen>

namespace larmor::test {
namespace {

// Frames [px]: the main window as it opens at start-up on each screen (2 % of the free
// room from the corner), the diagnostics window wanting 980 × 840 and needing 640 × 600;
// level with the main window where the screen's height allows.
TEST(WindowPlacement, BesideTheMainWindowWhereThereIsRoomAndAlwaysOnTheScreen) {
  const QSize wanted(980, 840), least(640, 600);
  const struct { const char* screen; QRect available, main, expected; } rows[] = {
      // No room on either side: against the right edge at its least width, as high as the screen.
      {"1024×768", {0, 0, 1024, 768}, {6, 5, 722, 505}, {384, 0, 640, 768}},
      // A panel at the top: the free area starts below it.
      {"1024×768 with a panel", {0, 28, 1024, 740}, {6, 33, 722, 505}, {384, 28, 640, 740}},
      // Room on the right at the least width, not at the wanted one.
      {"1440×900", {0, 0, 1440, 900}, {14, 8, 722, 505}, {736, 8, 704, 840}},
      {"1920×1080", {0, 0, 1920, 1080}, {24, 11, 722, 505}, {746, 11, 980, 840}},
      // The main window moved to the right: the room is on the left.
      {"1920×1080, main on the right", {0, 0, 1920, 1080}, {1100, 100, 722, 505}, {120, 100, 980, 840}},
      // A screen lower than the least height: the least height from the top.
      {"800×480", {0, 0, 800, 480}, {6, 5, 722, 505}, {160, 0, 640, 600}},
      // A second screen to the left of the first.
      {"left screen", {-1280, 0, 1280, 1024}, {-1260, 20, 722, 505}, {-640, 20, 640, 840}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.screen);
    const QRect placed = placeBeside(r.available, r.main, wanted, least);
    EXPECT_EQ(placed, r.expected);
    EXPECT_GE(placed.width(), least.width());
    EXPECT_GE(placed.height(), least.height());
    if (r.available.height() >= least.height()) { EXPECT_TRUE(r.available.contains(placed)); }
  }
}

class DiagnosticsScreenTest : public DiagnosticsTest {
protected:
  QRect available() { return window().screen()->availableGeometry(); }
};

// Opened from the menu: inside the free area of the screen, not below its least size, and
// beside the main window when the screen has the room; closed and opened again, it stays
// where the user put it.
TEST_F(DiagnosticsScreenTest, OpensOnTheScreenBesideTheMainWindowWhereThereIsRoom) {
  showWindow();
  DiagnosticsWindow& diagnostics = openDiagnostics();
  const QRect main = window().frameGeometry(), placed = diagnostics.frameGeometry();
  SCOPED_TRACE(QStringLiteral("screen %1×%2").arg(available().width()).arg(available().height()).toStdString());
  EXPECT_TRUE(available().contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width() << "×" << placed.height();
  EXPECT_GE(diagnostics.width(), diagnostics.minimumWidth());
  EXPECT_GE(diagnostics.height(), diagnostics.minimumHeight());
  const bool room = available().right() - main.right() >= diagnostics.minimumWidth();
  if (room) EXPECT_FALSE(placed.intersects(main));
  else EXPECT_EQ(placed.right(), available().right()) << "as far from the main window as the screen allows";
  diagnostics.move(available().topLeft() + QPoint(30, 20));
  diagnostics.close();
  openDiagnostics();
  EXPECT_EQ(diagnostics.pos(), available().topLeft() + QPoint(30, 20));
}

// Made as small as it goes, after a trap's run (the longest table): each plot's title and
// time labels are whole and apart, its value labels apart, its legend whole, its read-out
// below it; every row and every text of the table shows without scrolling or cutting. In
// either language of the window.
using LeastSizeTest = InEachLanguage<DiagnosticsScreenTest>;
INSTANTIATE_TEST_SUITE_P(BothLanguages, LeastSizeTest, ::testing::Values(Language::Russian, Language::English), languageName);

TEST_P(LeastSizeTest, EverythingCanBeReadAtItsLeastSize) {
  DiagnosticsWindow& diagnostics = openDiagnostics();
  selectRow(3);  // the trap
  runAtFullSpeed();
  diagnostics.resize(1, 1);
  const QSize least = diagnostics.size();
  EXPECT_EQ(least, diagnostics.minimumSize());
  EXPECT_TRUE(least.width() <= 1024 && least.height() <= 768 - 30) << least.width() << "×" << least.height();
  EXPECT_GT(least.width(), 400) << "a least size is kept";

  for (int i = 0; i < DiagnosticsWindow::plotCount; ++i) {
    QCustomPlot* p = diagnostics.plot(Plot(i));
    SCOPED_TRACE(p->objectName().toStdString());
    EXPECT_TRUE(QTest::qWaitFor([p] { return readable(p); })) << p->xAxis->tickVectorLabels().toList().join(' ').toStdString();
    for (QCPAxis* axis : {p->yAxis, p->yAxis2}) {
      if (!axis->visible()) continue;
      const QVector<double> ticks = axis->tickVector();
      const int line = QFontMetrics(axis->tickLabelFont()).height();
      for (qsizetype k = 1; k < ticks.size(); ++k)
        if (axis->range().contains(ticks[k]) && axis->range().contains(ticks[k - 1])) {
          EXPECT_GE(std::fabs(axis->coordToPixel(ticks[k]) - axis->coordToPixel(ticks[k - 1])), line);
        }
    }
    if (p->legend->visible()) {
      EXPECT_TRUE(p->rect().contains(p->legend->outerRect()));
      EXPECT_GE(p->legend->outerRect().width(), p->legend->minimumOuterSizeHint().width());
    }
    QLabel* below = diagnostics.findChild<QLabel*>(QStringLiteral("readout") + p->objectName().mid(4));
    ASSERT_NE(below, nullptr);
    EXPECT_GE(below->geometry().top(), p->geometry().bottom()) << "the read-out covers no axis";
    EXPECT_GE(below->height(), below->fontMetrics().height());
  }

  TheoryTable& table = *diagnostics.theoryTable();
  ASSERT_GE(table.rowCount(), 4);
  EXPECT_LE(table.rowViewportPosition(table.rowCount() - 1) + table.rowHeight(table.rowCount() - 1), table.viewport()->height());
  EXPECT_LE(table.horizontalHeader()->length(), table.viewport()->width());
  const int padding = 2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 1);
  for (int r = 0; r < table.rowCount(); ++r)
    for (int c = 0; c < table.columnCount(); ++c)
      EXPECT_LE(table.fontMetrics().horizontalAdvance(table.item(r, c)->text()) + padding, table.columnWidth(c))
          << table.item(r, c)->text().toStdString();
}

// Inside the diagnostics window every number is written one way: fixed point or a power of
// ten written "·10ⁿ", never "e-05", with the decimal separator the main window's results show
// (its period caption, "T=1,302e-04 с" in a Russian setting); the CSV keeps the point.
TEST_F(DiagnosticsScreenTest, OneStyleOfNumbersWithTheSeparatorOfTheMainWindow) {
  for (const QLocale::Language language : {QLocale::Russian, QLocale::English}) {
    SCOPED_TRACE(QLocale::languageToString(language).toStdString());
    struct Restore {
      QLocale before;
      ~Restore() { QLocale::setDefault(before); }
    } restore;
    QLocale::setDefault(QLocale(language));
    closeWindow();
    DiagnosticsWindow& diagnostics = openDiagnostics();
    diagnostics.setGeometry(window().frameGeometry().right() + 20, 0, 980, 840);
    runAtFullSpeed();

    const QString period = caption("Label14");
    ASSERT_TRUE(period.startsWith(QStringLiteral("T=1"))) << period.toStdString();
    const QChar separator = period.at(3);
    EXPECT_EQ(separator, language == QLocale::Russian ? u',' : u'.');
    const QRegularExpression style(QStringLiteral("^[-+]?\\d+(\\%1\\d+)?(·10⁻?[⁰¹²³⁴⁵⁶⁷⁸⁹]+)?( %)?$").arg(separator));
    QStringList numbers;
    for (int i = 0; i < DiagnosticsWindow::plotCount; ++i) {
      QCustomPlot* p = diagnostics.plot(Plot(i));
      p->replot();
      for (QCPAxis* axis : {p->xAxis, p->yAxis, p->yAxis2})
        if (axis->visible()) numbers << axis->tickVectorLabels().toList();
      QTest::mouseMove(p, p->axisRect()->center());
      const QString line = diagnostics.findChild<QLabel*>(QStringLiteral("readout") + p->objectName().mid(4))->text();
      for (const QString& part : line.split(QStringLiteral("    ")))
        numbers << part.section(QStringLiteral(" = "), 1).section(QLatin1Char(' '), 0, 0).remove(u'°');
    }
    const TheoryTable& table = *diagnostics.theoryTable();
    for (int r = 0; r < table.rowCount(); ++r)
      for (const int c : {TheoryTable::Predicted, TheoryTable::Measured, TheoryTable::Difference})
        if (table.item(r, c)->text() != QStringLiteral("—") && table.item(r, c)->text().contains(QRegularExpression("\\d")))
          numbers << table.item(r, c)->text();
    ASSERT_GT(numbers.size(), 30);
    for (const QString& number : numbers) EXPECT_TRUE(style.match(number).hasMatch()) << number.toStdString();
  }
}

}  // namespace
}  // namespace larmor::test
