// The diagnostics window as a user meets it: opened from the main window's menu, the Boris
// item bound to the panel, the plots of a series at the size the layout gives them (read-out
// under the mouse, wheel zoom, drag, autoscale), live redraws, exports and their failures;
// and its theory table: predictions after every recompute, measurements after a run started
// with the button, a dash with its reason where a run could not measure, and the verdict
// with its reason in the tooltip.
#include "DiagnosticsTestSupport.h"

#include "panel/ScenarioJson.h"
#include "ui/TheoryTable.h"

#include <QTableWidget>
#include <QSet>
#include <QWheelEvent>

#include <charconv>
#include <cstring>
#include <functional>

namespace larmor::test {
namespace {

TEST_F(DiagnosticsTest, MenuOpensOneWindowAndTheBorisItemFollowsThePanelBothWays) {
  showWindow();
  auto* boris = control<QAction>("mnuDiagnosticsBoris");
  EXPECT_TRUE(boris->isCheckable() && !boris->isChecked());
  EXPECT_EQ(window().diagnostics(), nullptr) << "created on first use";

  DiagnosticsWindow& diagnostics = openDiagnostics();
  diagnostics.close();
  EXPECT_EQ(&openDiagnostics(), &diagnostics) << "opened again, not a second window";
  EXPECT_TRUE(diagnostics.isVisible());

  boris->trigger();
  EXPECT_EQ(window().panel().integrator(), Integrator::Boris);
  EXPECT_TRUE(boris->isChecked());
  EXPECT_TRUE(title(Plot::SpeedError).endsWith(QStringLiteral("метод Рунге–Кутты"))) << "the curves shown are still RK4's";
  moveBar("VScroll4", 20000);  // a recompute: the next run's method is named
  EXPECT_TRUE(title(Plot::MagneticMoment).endsWith(QStringLiteral("метод Бориса"))) << title(Plot::MagneticMoment).toStdString();

  // A lesson opened with the RK4 run chooses it on the panel, and the check follows.
  Scenario lesson = scenarioOf(window().panel());
  lesson.integrator = Integrator::Rk4;
  writeFile(out.filePath(QStringLiteral("rk4.larmor")), QByteArray::fromStdString(scenarioJson(lesson)));
  ASSERT_TRUE(window().openScenario(out.filePath(QStringLiteral("rk4.larmor"))));
  EXPECT_EQ(window().panel().integrator(), Integrator::Rk4);
  EXPECT_FALSE(boris->isChecked());
  boris->trigger();
  boris->trigger();
  EXPECT_EQ(window().panel().integrator(), Integrator::Rk4);
}

TEST_F(DiagnosticsTest, PlotsShowTheSeriesAndItsLegendsLiveWholeAtTheEndAndKeepItUntilARecompute) {
  DiagnosticsWindow& diagnostics = openDiagnostics();
  addSamples(0, 600);
  diagnostics.refresh();
  EXPECT_EQ(graph(Plot::SpeedError)->dataCount(), 0) << "a refresh only marks the plots stale";
  EXPECT_TRUE(QTest::qWaitFor([&] { return graph(Plot::SpeedError)->dataCount() == 600; }));  // the timer's redraw
  ASSERT_EQ(graph(Plot::SpeedError)->dataCount(), 600);

  addSamples(600, 1001);
  diagnostics.finish();
  const struct { Plot plot; int graph; double (*value)(const DiagnosticSample&); } curves[] = {
      {Plot::SpeedError, 0, [](const DiagnosticSample& s) { return double(s.dV); }},
      {Plot::MagneticMoment, 0, [](const DiagnosticSample& s) { return s.muRatio; }},
      {Plot::PitchAndField, 0, [](const DiagnosticSample& s) { return s.pitchDeg; }},
      {Plot::PitchAndField, 1, [](const DiagnosticSample& s) { return s.B; }},
      {Plot::Position, 0, [](const DiagnosticSample& s) { return s.z; }},
      {Plot::Position, 1, [](const DiagnosticSample& s) { return s.rho; }}};
  for (const auto& c : curves) {
    QCPGraph* g = graph(c.plot, c.graph);
    ASSERT_EQ(g->dataCount(), 1001) << g->name().toStdString();
    for (int k : {0, 420, 599, 600, 1000}) {
      const double want = c.value(sample(k));
      EXPECT_EQ(g->data()->at(k)->key, sample(k).t);
      EXPECT_TRUE(std::isnan(want) ? std::isnan(g->data()->at(k)->value) : g->data()->at(k)->value == want)
          << g->name().toStdString() << " at " << k;  // NaN stays NaN: a gap, never a zero
    }
  }
  // Autoscaled: the whole time axis, and μ's range found around its gap.
  EXPECT_NEAR(diagnostics.plot(Plot::SpeedError)->xAxis->range().upper, 1.0, 1e-12);
  EXPECT_LT(diagnostics.plot(Plot::MagneticMoment)->yAxis->range().upper, 1.02);
  // A legend says which curve is which and covers none: z ends at the top right, where a
  // legend inside the axes would sit.
  for (const Plot which : {Plot::PitchAndField, Plot::Position}) {
    QCustomPlot* p = diagnostics.plot(which);
    p->replot();
    ASSERT_TRUE(p->legend->visible());
    ASSERT_EQ(p->legend->itemCount(), 2);
    const QRect legend = p->legend->outerRect();
    int hidden = 0;
    for (int g = 0; g < p->graphCount(); ++g) {
      for (auto it = p->graph(g)->data()->constBegin(); it != p->graph(g)->data()->constEnd(); ++it) {
        if (std::isnan(it->value)) continue;
        const QPointF at(p->xAxis->coordToPixel(it->key), p->graph(g)->valueAxis()->coordToPixel(it->value));
        hidden += legend.contains(at.toPoint());
      }
    }
    EXPECT_EQ(hidden, 0) << p->objectName().toStdString();
  }

  // The series replaced behind the window by as many samples of another run: shown whole,
  // not appended to the old curve.
  window().diagnosticsSeries().clear();
  for (int k = 0; k < 1001; ++k) {
    DiagnosticSample s = sample(k);
    s.dV = -s.dV;
    window().diagnosticsSeries().add(s);
  }
  diagnostics.finish();
  EXPECT_EQ(graph(Plot::SpeedError)->dataCount(), 1001);
  EXPECT_EQ(graph(Plot::SpeedError)->data()->at(1000)->value, -double(float(0.1)));

  // Closed, the window skips its redraws; opened again it shows what the series holds.
  diagnostics.close();
  addSamples(1001, 1100);
  diagnostics.finish();
  openDiagnostics();
  EXPECT_EQ(graph(Plot::Position, 1)->dataCount(), 1100);

  // A recompute empties the series and the plots.
  moveBar("VScroll6", 45);
  EXPECT_EQ(window().diagnosticsSeries().samples().size(), 0u);
  for (Plot p : {Plot::SpeedError, Plot::MagneticMoment, Plot::PitchAndField, Plot::Position})
    EXPECT_EQ(diagnostics.plot(p)->graph(0)->dataCount(), 0);
}

TEST_F(DiagnosticsTest, ReadoutZoomPanAndAutoscaleWithTheMouseAtTheLaidOutSize) {
  DiagnosticsWindow& diagnostics = openDiagnostics();
  // Moved off the main window: a mouse without a button goes to the window under it; as
  // large as it opens on a large screen.
  diagnostics.setGeometry(window().frameGeometry().right() + 20, 0, 980, 840);
  addSamples(0, 1001);
  diagnostics.finish();
  QCustomPlot* dV = diagnostics.plot(Plot::SpeedError);
  ASSERT_GT(dV->axisRect()->width(), 200);
  const int middleY = dV->axisRect()->center().y();

  // The read-out names the kept sample nearest the mouse in time: t within a pixel of it,
  // and that sample's value; a dash where the curve has no value.
  const QRegularExpression numbers(QStringLiteral("^t = (\\S+) с    dV = (\\S+) %$"));
  for (const double t : {0.1234, 0.5, 0.9}) {
    const int x = int(std::lround(dV->xAxis->coordToPixel(t)));
    QTest::mouseMove(dV, QPoint(x, middleY));
    const auto match = numbers.match(readout(Plot::SpeedError));
    ASSERT_TRUE(match.hasMatch()) << readout(Plot::SpeedError).toStdString();
    const double shownT = shownNumber(match.captured(1)), shownDV = shownNumber(match.captured(2));
    EXPECT_NEAR(shownT, t, dV->xAxis->range().size() / dV->axisRect()->width());
    const int k = int(std::lround(shownT * 1e3));
    EXPECT_NEAR(shownDV, sample(k).dV, 5e-4 * std::fabs(sample(k).dV)) << "to its four digits";
  }
  QCustomPlot* mu = diagnostics.plot(Plot::MagneticMoment);
  QTest::mouseMove(mu, QPoint(int(mu->xAxis->coordToPixel(0.425)), mu->axisRect()->center().y()));
  EXPECT_TRUE(readout(Plot::MagneticMoment).endsWith(QStringLiteral("μ/μ0 = —"))) << readout(Plot::MagneticMoment).toStdString();
  QCustomPlot* pitch = diagnostics.plot(Plot::PitchAndField);
  QTest::mouseMove(pitch, QPoint(int(pitch->xAxis->coordToPixel(0.25)), pitch->axisRect()->center().y()));
  EXPECT_TRUE(readout(Plot::PitchAndField).contains(QStringLiteral("питч-угол = ")) &&
              readout(Plot::PitchAndField).endsWith(QStringLiteral(" Тл")));
  QTest::mouseMove(dV, QPoint(2, 2));  // outside the axes
  EXPECT_TRUE(readout(Plot::SpeedError).isEmpty());

  // The wheel zooms in about the mouse; a drag pans; live data leaves the user's range; a
  // double click autoscales to the whole curve again.
  const QCPRange whole = dV->xAxis->range(), wholeY = dV->yAxis->range();
  const QPointF at = dV->axisRect()->center();
  QWheelEvent wheel(at, dV->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(dV, &wheel);
  const QCPRange zoomed = dV->xAxis->range();
  EXPECT_LT(zoomed.size(), 0.9 * whole.size());
  EXPECT_TRUE(zoomed.lower > whole.lower && zoomed.upper < whole.upper);
  EXPECT_LT(dV->yAxis->range().size(), wholeY.size());

  drag(dV, Qt::LeftButton, at.toPoint(), at.toPoint() + QPoint(-80, 0));
  const QCPRange panned = dV->xAxis->range();
  EXPECT_NEAR(panned.lower - zoomed.lower, 80 * zoomed.size() / dV->axisRect()->width(), 2 * zoomed.size() / dV->axisRect()->width());

  addSamples(1001, 1500);
  diagnostics.finish();
  EXPECT_EQ(dV->xAxis->range(), panned) << "a zoomed plot keeps its range while data comes";
  QTest::mouseDClick(dV, Qt::LeftButton, {}, at.toPoint());
  EXPECT_NEAR(dV->xAxis->range().lower, 0, 1e-12);
  EXPECT_NEAR(dV->xAxis->range().upper, 1.499, 1e-12);
  addSamples(1500, 1600);
  diagnostics.finish();
  EXPECT_NEAR(dV->xAxis->range().upper, 1.599, 1e-12) << "autoscaled, the plot follows the data again";
}

// Flat curves. In the centrifugal drift at the start values |B| is Bo everywhere, but for
// its last digit; across the uniform field at α = 90° both the pitch angle and |B| are
// constant: two flat lines, neither hidden under the other.
TEST_F(DiagnosticsTest, ConstantCurvesAreFlatLinesDrawnApart) {
  DiagnosticsWindow& diagnostics = openDiagnostics();
  QCustomPlot* p = diagnostics.plot(Plot::PitchAndField);
  select("Центробежный дрейф");
  runAtFullSpeed();
  QCPGraph* field = graph(Plot::PitchAndField, 1);
  ASSERT_GT(field->dataCount(), 1000);
  bool found = false;
  const QCPRange values = field->getValueRange(found);
  ASSERT_TRUE(found && values.size() > 0) << "the curve differs from a constant in its last digits";
  ASSERT_LT(values.size(), 1e-12 * values.upper);
  // Drawn as a constant: a flat line in the middle of a span of its own, and ticks that
  // differ, not the rounding noise stretched over the plot.
  const QCPAxis* axis = p->yAxis2;
  EXPECT_GT(axis->range().size(), 1e-3 * values.upper) << axis->range().lower << " " << axis->range().upper;
  EXPECT_TRUE(axis->range().contains(values.lower) && axis->range().contains(values.upper));
  p->replot();
  const QVector<QString> labels = axis->tickVectorLabels();
  EXPECT_EQ(QSet<QString>(labels.begin(), labels.end()).size(), labels.size()) << labels.join(' ').toStdString();
  // Titles and time labels whole and apart at the least size: the screen test's.

  select("Однородное поле");
  for (int key = 0; key < 7; ++key) QTest::keyClick(innerBar("VScroll6"), Qt::Key_Up);  // α from 83° to 90°
  ASSERT_EQ(window().panel().state().params.alpha, 90);
  runAtFullSpeed();
  p->replot();
  double heights[2];
  for (int g = 0; g < 2; ++g) {
    const QCPRange flat = graph(Plot::PitchAndField, g)->getValueRange(found);
    ASSERT_TRUE(found && flat.size() == 0) << g;
    heights[g] = graph(Plot::PitchAndField, g)->valueAxis()->coordToPixel(flat.lower);
    EXPECT_TRUE(p->axisRect()->rect().contains(QPoint(p->axisRect()->center().x(), int(heights[g])))) << g;
  }
  EXPECT_GT(std::fabs(heights[0] - heights[1]), p->axisRect()->height() / 8.0);
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }
bool sameSamples(const std::vector<DiagnosticSample>& a, const std::vector<DiagnosticSample>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
           return sameBits(x.t, y.t) && x.dV == y.dV && sameBits(x.muRatio, y.muRatio) &&
                  sameBits(x.pitchDeg, y.pitchDeg) && sameBits(x.B, y.B) && sameBits(x.rho, y.rho) && sameBits(x.z, y.z);
         });
}

TEST_F(DiagnosticsTest, ExportsRoundTripAndAFailureSaysSoOnceAndLeavesNoFile) {
  DiagnosticsWindow& diagnostics = openDiagnostics();
  addSamples(0, 1001);
  diagnostics.finish();
  const QString csv = out.filePath(QStringLiteral("d.csv")), png = out.filePath(QStringLiteral("dV.png")),
                svg = out.filePath(QStringLiteral("pitch.svg"));
  files.answers = {csv, png, svg};
  triggerDiagnostics("mnuDiagExportCsv");
  triggerDiagnostics("mnuDiagExportPngSpeedError");
  triggerDiagnostics("mnuDiagExportSvgPitchAndField");
  EXPECT_TRUE(fakes.warnings.isEmpty()) << fakes.warnings.join('\n').toStdString();
  EXPECT_EQ(files.used, QStringList({csv, png, svg})) << "the folders written to, for the next dialog";

  // CSV: the header, then a row for every kept sample, the last one read back to the same
  // bits (the writer's numbers are checked for every kind of value where it lives).
  const QList<QByteArray> lines = fileBytes(csv).split('\n');
  ASSERT_EQ(lines.size(), 1001 + 2);  // header, rows, the empty text after the last line feed
  EXPECT_EQ(lines[0], "t,dV,mu_ratio,pitch_deg,B,rho,z");
  const QList<QByteArray> fields = lines[1001].split(',');
  ASSERT_EQ(fields.size(), 7);
  double v[7];
  for (int i = 0; i < 7; ++i) std::from_chars(fields[i].cbegin(), fields[i].cend(), v[i]);
  EXPECT_TRUE(sameSamples({{v[0], float(v[1]), v[2], v[3], v[4], v[5], v[6]}}, {window().diagnosticsSeries().samples().back()}))
      << lines[1001].toStdString();

  // PNG: the plot at its size, its red curve in it.
  const QImage picture(png);
  EXPECT_EQ(picture.size(), diagnostics.plot(Plot::SpeedError)->size());
  int red = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = picture.pixel(x, y);
      red += qRed(p) > 150 && qGreen(p) < 100 && qBlue(p) < 100;
    }
  EXPECT_GT(red, picture.width() / 4);

  // SVG: the plot drawn by Qt's SVG generator (well-formed by its own tests), the title in it.
  const QByteArray svgBytes = fileBytes(svg);
  EXPECT_TRUE(svgBytes.contains("<svg") && QString::fromUtf8(svgBytes).contains(QStringLiteral("метод Рунге–Кутты")));

  // Cancelled: nothing written, nothing said. Unwritable: one message naming the file, and
  // no file; a folder in the file's place stays a folder.
  files.answers = {QString()};
  triggerDiagnostics("mnuDiagExportCsv");
  EXPECT_TRUE(fakes.warnings.isEmpty());
  const QString missing = out.filePath(QStringLiteral("no-such-folder/d.csv"));
  files.answers = {missing, out.path()};
  triggerDiagnostics("mnuDiagExportCsv");
  ASSERT_EQ(fakes.warnings.size(), 1);
  EXPECT_TRUE(fakes.warnings[0].contains(QStringLiteral("d.csv")));
  EXPECT_FALSE(QFile::exists(missing));
  triggerDiagnostics("mnuDiagExportPngPosition");
  EXPECT_EQ(fakes.warnings.size(), 2);
  EXPECT_TRUE(QFileInfo(out.path()).isDir());
  EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 3) << "only the three exports above";
  EXPECT_EQ(files.used.size(), 3) << "a folder where nothing was written is not remembered";
}

QStringList tableTexts(DiagnosticsWindow& diagnostics) {
  QStringList texts;
  auto* table = diagnostics.findChild<QTableWidget*>(QStringLiteral("theoryTable"));
  for (int r = 0; r < table->rowCount(); ++r)
    for (int c = 0; c < table->columnCount(); ++c) texts << table->item(r, c)->text() + table->item(r, c)->toolTip();
  return texts;
}

// A run the window watches from its start fills the plots, live while it is paced; a run it
// does not watch leaves the series empty and is replayed, to the same bits, when the window
// opens, also when it opens during the run.
TEST_F(DiagnosticsTest, RunsFillThePlotsLiveOrByReplayWithTheSameSamples) {
  DiagnosticsWindow& diagnostics = openDiagnostics();
  auto* slowdown = control<QScrollBar>("HScroll1");
  slowdown->setValue(1);
  std::function<void(std::int64_t)> onStep = [&](std::int64_t steps) {
    EXPECT_EQ(window().diagnosticsSeries().stepsOffered(), steps);
    if (steps == 12) {
      EXPECT_GT(graph(Plot::SpeedError)->dataCount(), 0) << "drawn while the run is paced";
      slowdown->setValue(0);
    }
  };
  QObject::connect(&window(), &Form1::runStepped, [&] { onStep(window().lastRunSteps()); });
  start();
  const std::vector<DiagnosticSample> watched = window().diagnosticsSeries().samples();
  ASSERT_EQ(std::int64_t(watched.size()), window().lastRunSteps());
  EXPECT_EQ(graph(Plot::Position, 1)->dataCount(), 2501);
  // |B| is constant in the uniform field: its axis spans a little about it, not about 0.
  const QCPRange field = diagnostics.plot(Plot::PitchAndField)->yAxis2->range();
  EXPECT_TRUE(field.lower > 0 && field.contains(window().state().params.Bo)) << field.lower << " " << field.upper;
  // The pitch angle drifts by ~1e-4° about 83°: its tick labels still tell the ticks apart.
  QCPAxis* pitch = diagnostics.plot(Plot::PitchAndField)->yAxis;
  const QVector<QString> ticks = pitch->tickVectorLabels();
  ASSERT_GE(ticks.size(), 3) << pitch->range().lower << " " << pitch->range().upper;
  for (int k = 1; k < ticks.size(); ++k) EXPECT_NE(ticks[k], ticks[k - 1]) << ticks[k].toStdString();
  // The last dV is the number the accuracy label shows, to its four decimals.
  const QString label = caption("Label26");
  const double shown = label.mid(3, label.size() - 4).replace(',', '.').toDouble();
  EXPECT_NEAR(shown, watched.back().dV, 0.5e-4 + 1e-9) << label.toStdString();
  EXPECT_NE(window().theoryMeter(), nullptr);
  const QStringList watchedTable = tableTexts(diagnostics);

  onStep = [](std::int64_t) {};
  diagnostics.close();
  start();
  EXPECT_TRUE(window().diagnosticsSeries().samples().empty()) << "a run nobody watches costs its physics alone";
  EXPECT_EQ(window().theoryMeter(), nullptr);
  openDiagnostics();
  EXPECT_TRUE(sameSamples(window().diagnosticsSeries().samples(), watched));
  EXPECT_EQ(graph(Plot::MagneticMoment)->dataCount(), 2501);
  EXPECT_EQ(tableTexts(diagnostics), watchedTable) << "the meter replayed as well";

  // A recompute empties both, and a later opening has nothing to replay.
  moveBar("VScroll6", 45);
  diagnostics.close();
  openDiagnostics();
  EXPECT_TRUE(window().diagnosticsSeries().samples().empty());
  EXPECT_NE(tableTexts(diagnostics), watchedTable);
  moveBar("VScroll6", 83);  // back to the start-up angle

  // Opened in the middle of a run: its empty plots say when the curves come, and the whole
  // run is shown after its end.
  diagnostics.close();
  slowdown->setValue(1);
  QCPItemText* note = nullptr;
  for (int k = 0; k < diagnostics.plot(Plot::MagneticMoment)->itemCount(); ++k) {
    auto* text = qobject_cast<QCPItemText*>(diagnostics.plot(Plot::MagneticMoment)->item(k));
    if (text && text->text().startsWith(QStringLiteral("Нет данных"))) note = text;
  }
  ASSERT_NE(note, nullptr);
  QString noteDuringRun;
  onStep = [&](std::int64_t steps) {
    if (steps != 3) return;
    control<QAction>("mnuDiagnosticsWindow")->trigger(), slowdown->setValue(0);
    noteDuringRun = note && note->visible() ? note->text() : QString();
  };
  start();
  EXPECT_EQ(noteDuringRun, QStringLiteral("Идёт расчёт: кривые появятся, когда он закончится"));
  EXPECT_FALSE(note->visible());
  EXPECT_TRUE(diagnostics.isVisible());
  EXPECT_TRUE(sameSamples(window().diagnosticsSeries().samples(), watched));
  EXPECT_EQ(graph(Plot::SpeedError)->dataCount(), 2501);
}

// A long run at full speed, watched, feeds the plots and the meter on a second core: they
// end with the bits a replay in line gives them.
TEST_F(DiagnosticsTest, ALongRunFedOnASecondCoreShowsWhatItsReplayShows) {
  DiagnosticsWindow& diagnostics = openDiagnostics();
  selectRow(3);  // the trap: reflections for the meter
  typeInto("Text2", QStringLiteral("200"));
  control<QScrollBar>("HScroll1")->setValue(0);
  QTest::mouseClick(control<QPushButton>("CmdOK"), Qt::LeftButton);
  ASSERT_TRUE(window().diagnosticsFedInParallel());
  EXPECT_EQ(window().diagnosticsSeries().stepsOffered(), window().lastRunSteps());
  const std::vector<DiagnosticSample> watched = window().diagnosticsSeries().samples();
  EXPECT_EQ(graph(Plot::SpeedError)->dataCount(), int(watched.size())) << "drawn once every step was fed";
  const QStringList watchedTable = tableTexts(diagnostics);
  EXPECT_GT(window().theoryMeter()->reflections(), 2);

  diagnostics.close();
  QTest::mouseClick(control<QPushButton>("CmdOK"), Qt::LeftButton);
  openDiagnostics();
  EXPECT_TRUE(sameSamples(window().diagnosticsSeries().samples(), watched));
  EXPECT_EQ(tableTexts(diagnostics), watchedTable);
}

using Column = TheoryTable::Column;

class TheoryTableTest : public DiagnosticsTest {
protected:
  TheoryTable& openTable() { return *openDiagnostics().theoryTable(); }
  TheoryTable& table() { return *window().diagnostics()->theoryTable(); }
  // The row whose quantity begins with name.
  int row(const char* name) {
    for (int r = 0; r < table().rowCount(); ++r)
      if (table().item(r, Column::Quantity)->text().startsWith(QString::fromUtf8(name))) return r;
    ADD_FAILURE() << "no row " << name;
    return 0;
  }
  QString text(int r, Column c) { return table().item(r, c)->text(); }
  QString tip(int r, Column c) { return table().item(r, c)->toolTip(); }
  static double number(const QString& text) {
    const double value = shownNumber(text);
    EXPECT_FALSE(std::isnan(value)) << text.toStdString();
    return value;
  }
  void openLesson(const QByteArray& json) {
    writeFile(QStringLiteral("lesson.larmor"), json);
    ASSERT_TRUE(window().openScenario(QStringLiteral("lesson.larmor")));
  }
};

TEST_F(TheoryTableTest, UniformFieldPredictsThePeriodAndTheRunMeasuresIt) {
  TheoryTable& shown = openTable();
  // Every row readable at the size the window opens with, beside the plots.
  ASSERT_GE(shown.rowCount(), 4);
  EXPECT_TRUE(shown.isVisible());
  EXPECT_LE(shown.rowViewportPosition(shown.rowCount() - 1) + shown.rowHeight(shown.rowCount() - 1),
            shown.viewport()->height());
  EXPECT_GE(window().diagnostics()->plot(Plot::Position)->height(), 160);

  const SimParams& p = window().state().params;
  const double period = 2 * M_PI * p.m / (p.q * p.Bo);
  const int T = row("Период T, с");
  EXPECT_NEAR(number(text(T, Column::Predicted)), period, 1e-3 * period) << text(T, Column::Predicted).toStdString();
  EXPECT_TRUE(tip(T, Column::Quantity).contains(QStringLiteral("T = 2π/|ω|")));
  EXPECT_EQ(text(T, Column::Measured), QStringLiteral("—"));
  EXPECT_TRUE(tip(T, Column::Measured).contains(QStringLiteral("ещё не выполнен"))) << tip(T, Column::Measured).toStdString();

  runAtFullSpeed();
  EXPECT_NEAR(number(text(T, Column::Measured)), period, 1e-3 * period) << text(T, Column::Measured).toStdString();
  EXPECT_LT(std::fabs(number(text(T, Column::Difference))), 0.1) << text(T, Column::Difference).toStdString();
  EXPECT_TRUE(text(T, Column::Difference).endsWith(QStringLiteral(" %")));
  EXPECT_EQ(text(T, Column::Verdict), QStringLiteral("выполняется"));
  EXPECT_TRUE(tip(T, Column::Verdict).contains(QStringLiteral("однородно"))) << tip(T, Column::Verdict).toStdString();
  const int R = row("Радиус R");
  EXPECT_NEAR(number(text(R, Column::Measured)), number(text(R, Column::Predicted)), 1e-2 * number(text(R, Column::Predicted)));

  // A recompute takes the measurements away; a run cut before one gyration has none to give.
  control<VerticalBar>("VScroll6")->setValue(45);
  EXPECT_EQ(text(T, Column::Measured), QStringLiteral("—"));
  window().setRunStepLimit(50);
  runAtFullSpeed();
  EXPECT_EQ(window().lastRunSteps(), 50);
  EXPECT_EQ(std::pair(text(T, Column::Measured), text(T, Column::Difference)), std::pair(QStringLiteral("—"), QStringLiteral("—")));
  EXPECT_TRUE(tip(T, Column::Measured).contains(QStringLiteral("нет ни одного полного оборота; расчёт прерван до конца")))
      << tip(T, Column::Measured).toStdString();
}

const char* const trapLesson = R"({"format": "larmor-scenario", "version": 1, "config": 4, "charge": 1, "mass": 1,
  "speed": %1, "alpha": 60, "beta": 90, "field": %2, "region": 8, "x0": 3.0, "y0": 0.0, "z0": 0.0,
  "S": "1.00", "d": "3.00", "periods": "%3", "slowdown": 0, "integrator": "rk4", "picture": "structure"})";

TEST_F(TheoryTableTest, TrapReflectsAndAWideGyrationIsNotComparedWithTheTheory) {
  openTable();
  openLesson(QString::fromLatin1(trapLesson).arg(5000).arg(0.0015).arg(200).toUtf8());
  const int reflections = row("Число отражений"), trapped = row("Частица удержана"), mu = row("Разброс μ");
  EXPECT_EQ(text(trapped, Column::Predicted), QStringLiteral("да"));
  EXPECT_EQ(text(reflections, Column::Predicted), QStringLiteral("—"));
  EXPECT_FALSE(tip(reflections, Column::Predicted).isEmpty());
  runAtFullSpeed();
  EXPECT_GT(text(reflections, Column::Measured).toInt(), 0) << text(reflections, Column::Measured).toStdString();
  EXPECT_EQ(std::pair(text(trapped, Column::Measured), text(trapped, Column::Difference)),
            std::pair(QStringLiteral("да"), QStringLiteral("совпадает")));
  const double turning = number(text(row("Поле поворота"), Column::Predicted));
  EXPECT_NEAR(number(text(row("Поле поворота"), Column::Measured)), turning, 0.1 * turning);
  EXPECT_LT(number(text(mu, Column::Measured)), 0.1);

  // A slow field and a fast particle: the Larmor radius is no longer small against the
  // scales along the field line, and the verdict says so, with the ratio in its tooltip.
  openLesson(QString::fromLatin1(trapLesson).arg(30000).arg(0.0002).arg(5).toUtf8());
  runAtFullSpeed();
  EXPECT_EQ(text(mu, Column::Verdict), QStringLiteral("не выполняется"));
  EXPECT_TRUE(tip(mu, Column::Verdict).contains(QStringLiteral("rL/L = "))) << tip(mu, Column::Verdict).toStdString();
  EXPECT_NE(text(mu, Column::Predicted), QStringLiteral("—"));
}

}  // namespace
}  // namespace larmor::test
