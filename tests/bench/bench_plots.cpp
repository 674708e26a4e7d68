// The two Qt plotting libraries of Debian 12 on the diagnostics window's work: curves of
// 250,000 points (a long run) set whole after a run, redrawn, panned, and filled in batches
// of 1000 points during a paced run. Every plot is 600×300 with axis titles, drawn on the
// offscreen platform into a QImage through the widget's own paint event; the widgets stay
// hidden, so nothing else paints them while they are measured.
//
// Qt Charts is measured only where it is installed (LARMOR_BENCH_QTCHARTS): the project
// itself does not depend on it.
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QVector>

#include <qcustomplot.h>

#ifdef LARMOR_BENCH_QTCHARTS
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#endif

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

constexpr int plotWidth = 600, plotHeight = 300;
constexpr int longRun = 250'000;  // points of a long run's curve
constexpr int batch = 1000;       // points added between two live redraws
constexpr int curveCount = 4;     // dV, μ/μ0, pitch, z: one plot each

const std::array<QColor, curveCount> curveColours = {QColor(200, 0, 0), QColor(0, 0, 200),
                                                     QColor(0, 130, 0), QColor(150, 0, 150)};
const std::array<const char*, curveCount> yTitles = {"dV, %", "μ/μ0", "питч-угол, °", "z, м"};

// Four curves shaped like a trap run's diagnostics: a slowly growing error, a fast small
// oscillation (several periods per pixel column, the hardest case for a line renderer),
// a bounce, and a dense gyration.
struct Curves {
  QVector<double> t;
  std::array<QVector<double>, curveCount> y;
};

const Curves& curves() {
  static const Curves c = [] {
    Curves c;
    c.t.resize(longRun);
    for (auto& y : c.y) y.resize(longRun);
    const double twoPi = 6.283185307179586, T = 100.0;
    for (int i = 0; i < longRun; ++i) {
      const double t = T * i / (longRun - 1);
      c.t[i] = t;
      c.y[0][i] = 1e-4 * t * (1 + 0.05 * std::sin(twoPi * 40 * t / T));
      c.y[1][i] = 1 + 0.02 * std::sin(twoPi * 2000 * t / T);
      c.y[2][i] = 90 + 60 * std::sin(twoPi * 25 * t / T);
      c.y[3][i] = 0.8 * std::sin(twoPi * 25 * t / T + 0.3 * std::sin(twoPi * 500 * t / T));
    }
    return c;
  }();
  return c;
}

QImage newTarget() {
  QImage image(plotWidth, plotHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  return image;
}

// The check that a redraw really drew the curve: pixels of its colour in the left, middle
// and right thirds of the picture. A pixel counts if it is the colour laid over white with
// a coverage of at least 0.35 in every channel alike (antialiased edges included; the black
// and grey of axes and texts do not match). A benchmark that fails it reports an error.
bool isCurvePixel(QRgb p, const QColor& colour) {
  const int have[3] = {qRed(p), qGreen(p), qBlue(p)};
  const int want[3] = {colour.red(), colour.green(), colour.blue()};
  double lo = 2, hi = -1;
  for (int ch = 0; ch < 3; ++ch) {
    const double coverage = double(255 - have[ch]) / (255 - want[ch]);  // no channel is 255
    lo = std::min(lo, coverage), hi = std::max(hi, coverage);
  }
  return lo >= 0.35 && hi - lo <= 0.2;
}

void requireCurveDrawn(benchmark::State& state, const QImage& image, const QColor& colour, const char* what) {
  std::array<int, 3> found{};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (isCurvePixel(image.pixel(x, y), colour)) ++found[std::min(2, 3 * x / image.width())];
  if (found[0] < 20 || found[1] < 20 || found[2] < 20) {
    char text[200];
    std::snprintf(text, sizeof text, "%s: curve pixels by third %d/%d/%d", what, found[0], found[1], found[2]);
    state.SkipWithError(text);
  }
}

void requireDataCount(benchmark::State& state, int have, int want, const char* what) {
  if (have != want) {
    char text[200];
    std::snprintf(text, sizeof text, "%s: %d points held, %d expected", what, have, want);
    state.SkipWithError(text);
  }
}

void renderWidget(QWidget& widget, QImage& image) {
  image.fill(Qt::white);
  widget.render(&image);
}

// ---------------------------------------------------------------------------------------
// QCustomPlot 2.1 (Qt 6 build)

struct CustomPlot {
  QCustomPlot plot;
  QCPGraph* graph;
  CustomPlot(int curve, bool antialiased, bool adaptiveSampling) {
    plot.resize(plotWidth, plotHeight);
    graph = plot.addGraph();
    graph->setPen(QPen(curveColours[curve], 1));
    graph->setAdaptiveSampling(adaptiveSampling);
    plot.xAxis->setLabel(QStringLiteral("t, с"));
    plot.yAxis->setLabel(QString::fromUtf8(yTitles[curve]));
    if (antialiased)
      plot.setAntialiasedElements(QCP::aeAll);
    else
      plot.setNotAntialiasedElements(QCP::aeAll);
    QImage image = newTarget();
    plot.render(&image);  // delivers the pending resize: the viewport takes the widget's size
    if (plot.viewport() != QRect(0, 0, plotWidth, plotHeight)) throw std::runtime_error("QCustomPlot viewport");
  }
  void setWhole(int curve, int n, bool sorted) {
    const Curves& c = curves();
    graph->setData(c.t.mid(0, n), c.y[curve].mid(0, n), sorted);
  }
  void redraw(QImage& image) {
    plot.rescaleAxes();
    plot.replot();  // draws the layers into the plot's paint buffers
    renderWidget(plot, image);  // the paint event copies them
  }
};

// Args: points; whether setData may take them as sorted by t; antialiasing.
void BM_QCustomPlot_SetDataAndRedraw(benchmark::State& state) {
  const int n = int(state.range(0));
  const bool sorted = state.range(1) != 0;
  CustomPlot p(1, state.range(2) != 0, true);
  QImage image = newTarget();
  for (auto _ : state) {
    p.setWhole(1, n, sorted);
    p.redraw(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  requireDataCount(state, p.graph->dataCount(), n, "QCustomPlot");
  requireCurveDrawn(state, image, curveColours[1], "QCustomPlot");
}
BENCHMARK(BM_QCustomPlot_SetDataAndRedraw)
    ->ArgNames({"points", "sorted", "aa"})
    ->Args({longRun, 1, 0})->Args({longRun, 0, 0})->Args({longRun, 1, 1})
    ->Unit(benchmark::kMillisecond);

// addData of the whole run onto an emptied graph (the other way to fill it).
void BM_QCustomPlot_AddDataAndRedraw(benchmark::State& state) {
  CustomPlot p(1, false, true);
  QImage image = newTarget();
  const Curves& c = curves();
  for (auto _ : state) {
    p.graph->data()->clear();
    p.graph->addData(c.t, c.y[1], true);
    p.redraw(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  requireDataCount(state, p.graph->dataCount(), longRun, "QCustomPlot addData");
  requireCurveDrawn(state, image, curveColours[1], "QCustomPlot addData");
}
BENCHMARK(BM_QCustomPlot_AddDataAndRedraw)->Unit(benchmark::kMillisecond);

struct FourCustomPlots {
  std::array<std::unique_ptr<CustomPlot>, curveCount> plots;
  std::array<QImage, curveCount> images;
  FourCustomPlots(bool antialiased, bool adaptiveSampling) {
    for (int k = 0; k < curveCount; ++k) {
      plots[k] = std::make_unique<CustomPlot>(k, antialiased, adaptiveSampling);
      images[k] = newTarget();
    }
  }
  void check(benchmark::State& state, int n, const char* what) {
    for (int k = 0; k < curveCount; ++k) {
      requireDataCount(state, plots[k]->graph->dataCount(), n, what);
      requireCurveDrawn(state, images[k], curveColours[k], what);
    }
  }
};

// The four plots drawn again with their data unchanged (an expose, a resize to the same
// size). Args: antialiasing; adaptive sampling.
void BM_QCustomPlot_Redraw4x250k(benchmark::State& state) {
  FourCustomPlots f(state.range(0) != 0, state.range(1) != 0);
  for (int k = 0; k < curveCount; ++k) {
    f.plots[k]->setWhole(k, longRun, true);
    f.plots[k]->plot.rescaleAxes();
  }
  for (auto _ : state)
    for (int k = 0; k < curveCount; ++k) {
      f.plots[k]->plot.replot();
      renderWidget(f.plots[k]->plot, f.images[k]);
    }
  f.check(state, longRun, "QCustomPlot 4x250k");
}
BENCHMARK(BM_QCustomPlot_Redraw4x250k)
    ->ArgNames({"aa", "adaptive"})->Args({0, 1})->Args({1, 1})->Args({0, 0})
    ->Unit(benchmark::kMillisecond);

// The end of a run at slow-down 0: the four curves set whole, autoscaled and drawn.
void BM_QCustomPlot_SetAndRedraw4x250k(benchmark::State& state) {
  FourCustomPlots f(state.range(0) != 0, true);
  for (auto _ : state)
    for (int k = 0; k < curveCount; ++k) {
      f.plots[k]->setWhole(k, longRun, true);
      f.plots[k]->redraw(f.images[k]);
    }
  f.check(state, longRun, "QCustomPlot set 4x250k");
}
BENCHMARK(BM_QCustomPlot_SetAndRedraw4x250k)->ArgName("aa")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A pan of every plot by 1 % of the time axis, then a redraw (zoom and pan cost the same).
void BM_QCustomPlot_Pan4x250k(benchmark::State& state) {
  FourCustomPlots f(false, true);
  for (int k = 0; k < curveCount; ++k) {
    f.plots[k]->setWhole(k, longRun, true);
    f.plots[k]->plot.rescaleAxes();
  }
  double shift = 1.0;
  for (auto _ : state) {
    for (int k = 0; k < curveCount; ++k) {
      f.plots[k]->plot.xAxis->moveRange(shift);
      f.plots[k]->plot.replot();
      renderWidget(f.plots[k]->plot, f.images[k]);
    }
    shift = -shift;
  }
  f.check(state, longRun, "QCustomPlot pan");
}
BENCHMARK(BM_QCustomPlot_Pan4x250k)->Unit(benchmark::kMillisecond);

// One batch of a paced run when the four plots already hold `filled` points: 1000 more
// points added to each, an autoscale and a redraw. The batch is taken off again, untimed.
void BM_QCustomPlot_LiveBatch(benchmark::State& state) {
  const int filled = int(state.range(0));
  FourCustomPlots f(false, true);
  const Curves& c = curves();
  for (int k = 0; k < curveCount; ++k) f.plots[k]->setWhole(k, filled, true);
  for (auto _ : state) {
    for (int k = 0; k < curveCount; ++k) {
      f.plots[k]->graph->addData(c.t.mid(filled, batch), c.y[k].mid(filled, batch), true);
      f.plots[k]->redraw(f.images[k]);
    }
    state.PauseTiming();
    for (int k = 0; k < curveCount; ++k) f.plots[k]->graph->data()->removeAfter(c.t[filled - 1]);
    state.ResumeTiming();
  }
  f.check(state, filled, "QCustomPlot live batch");
}
BENCHMARK(BM_QCustomPlot_LiveBatch)
    ->ArgName("filled")->Arg(longRun / 10 - batch)->Arg(longRun - batch)
    ->Unit(benchmark::kMillisecond);

// A paced run, whole: 250 batches of 1000 points added to each of the four plots, each
// batch followed by an autoscale and a redraw. The counter is the mean cost of one batch.
void BM_QCustomPlot_LiveRun(benchmark::State& state) {
  FourCustomPlots f(false, true);
  const Curves& c = curves();
  for (auto _ : state) {
    for (int k = 0; k < curveCount; ++k) f.plots[k]->graph->data()->clear();
    for (int first = 0; first < longRun; first += batch)
      for (int k = 0; k < curveCount; ++k) {
        f.plots[k]->graph->addData(c.t.mid(first, batch), c.y[k].mid(first, batch), true);
        f.plots[k]->redraw(f.images[k]);
      }
  }
  f.check(state, longRun, "QCustomPlot live run");
  state.counters["per_batch"] = benchmark::Counter(double(longRun / batch),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_QCustomPlot_LiveRun)->Unit(benchmark::kMillisecond);

#ifdef LARMOR_BENCH_QTCHARTS
// ---------------------------------------------------------------------------------------
// Qt Charts 6.4 (raster; OpenGL is off: there is no GL context offscreen)

struct ChartsPlot {
  QChart* chart = new QChart;
  QChartView view{chart};  // owns the chart
  QLineSeries* series = new QLineSeries;
  QValueAxis* axisT = new QValueAxis;
  QValueAxis* axisY = new QValueAxis;
  ChartsPlot(int curve, bool antialiased) {
    chart->addSeries(series);
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    axisT->setTitleText(QStringLiteral("t, с"));
    axisY->setTitleText(QString::fromUtf8(yTitles[curve]));
    chart->addAxis(axisT, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisT);
    series->attachAxis(axisY);
    series->setPen(QPen(curveColours[curve], 1));  // after addSeries: the theme keeps it
    series->setUseOpenGL(false);
    view.setRenderHint(QPainter::Antialiasing, antialiased);
    view.resize(plotWidth, plotHeight);
    QImage image = newTarget();
    renderWidget(view, image);  // QWidget::render: the widget paints itself, as on screen
  }
  // The series takes points, not two arrays: building them is part of its cost.
  static QList<QPointF> points(int curve, int first, int n) {
    const Curves& c = curves();
    QList<QPointF> list;
    list.reserve(n);
    for (int i = first; i < first + n; ++i) list.append(QPointF(c.t[i], c.y[curve][i]));
    return list;
  }
  // The axes follow the data only if told: this is the autoscale.
  void autoscale(int curve, int n) {
    const Curves& c = curves();
    const auto [lo, hi] = std::minmax_element(c.y[curve].cbegin(), c.y[curve].cbegin() + n);
    axisT->setRange(c.t[0], c.t[n - 1]);
    axisY->setRange(*lo, *hi);
  }
  void redraw(QImage& image) {
    QApplication::processEvents();  // the chart's layout request is a posted event
    renderWidget(view, image);
  }
};

// Args: points; antialiasing.
void BM_QtCharts_ReplaceAndRedraw(benchmark::State& state) {
  const int n = int(state.range(0));
  ChartsPlot p(1, state.range(1) != 0);
  QImage image = newTarget();
  for (auto _ : state) {
    p.series->replace(ChartsPlot::points(1, 0, n));
    p.autoscale(1, n);
    p.redraw(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  requireDataCount(state, p.series->count(), n, "Qt Charts replace");
  requireCurveDrawn(state, image, curveColours[1], "Qt Charts replace");
}
BENCHMARK(BM_QtCharts_ReplaceAndRedraw)
    ->ArgNames({"points", "aa"})->Args({longRun, 0})->Args({longRun, 1})
    ->Unit(benchmark::kMillisecond);

// append() one point at a time onto an emptied series, then one redraw. Arg: points; the
// cost grows with their square, so a long run's 250,000 are out of reach.
void BM_QtCharts_AppendAndRedraw(benchmark::State& state) {
  const int n = int(state.range(0));
  ChartsPlot p(1, false);
  const Curves& c = curves();
  QImage image = newTarget();
  for (auto _ : state) {
    p.series->clear();
    for (int i = 0; i < n; ++i) p.series->append(c.t[i], c.y[1][i]);
    p.autoscale(1, n);
    p.redraw(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  requireDataCount(state, p.series->count(), n, "Qt Charts append");
  requireCurveDrawn(state, image, curveColours[1], "Qt Charts append");
}
BENCHMARK(BM_QtCharts_AppendAndRedraw)
    ->ArgName("points")->Arg(1000)->Arg(2000)->Arg(4000)
    ->Unit(benchmark::kMillisecond);

// append(QList<QPointF>) of the whole run onto an emptied series, then one redraw.
void BM_QtCharts_AppendListAndRedraw(benchmark::State& state) {
  const int n = int(state.range(0));
  ChartsPlot p(1, false);
  QImage image = newTarget();
  for (auto _ : state) {
    p.series->clear();
    p.series->append(ChartsPlot::points(1, 0, n));
    p.autoscale(1, n);
    p.redraw(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  requireDataCount(state, p.series->count(), n, "Qt Charts append list");
  requireCurveDrawn(state, image, curveColours[1], "Qt Charts append list");
}
BENCHMARK(BM_QtCharts_AppendListAndRedraw)
    ->ArgName("points")->Arg(1000)->Arg(2000)->Arg(4000)
    ->Unit(benchmark::kMillisecond);

struct FourCharts {
  std::array<std::unique_ptr<ChartsPlot>, curveCount> plots;
  std::array<QImage, curveCount> images;
  explicit FourCharts(bool antialiased) {
    for (int k = 0; k < curveCount; ++k) {
      plots[k] = std::make_unique<ChartsPlot>(k, antialiased);
      images[k] = newTarget();
    }
  }
  void setWhole(int k) {
    plots[k]->series->replace(ChartsPlot::points(k, 0, longRun));
    plots[k]->autoscale(k, longRun);
  }
  void check(benchmark::State& state, int n, const char* what) {
    for (int k = 0; k < curveCount; ++k) {
      requireDataCount(state, plots[k]->series->count(), n, what);
      requireCurveDrawn(state, images[k], curveColours[k], what);
    }
  }
};

// Arg: antialiasing.
void BM_QtCharts_Redraw4x250k(benchmark::State& state) {
  FourCharts f(state.range(0) != 0);
  for (int k = 0; k < curveCount; ++k) f.setWhole(k);
  for (auto _ : state)
    for (int k = 0; k < curveCount; ++k) f.plots[k]->redraw(f.images[k]);
  f.check(state, longRun, "Qt Charts 4x250k");
}
BENCHMARK(BM_QtCharts_Redraw4x250k)->ArgName("aa")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_QtCharts_SetAndRedraw4x250k(benchmark::State& state) {
  FourCharts f(state.range(0) != 0);
  for (auto _ : state)
    for (int k = 0; k < curveCount; ++k) {
      f.setWhole(k);
      f.plots[k]->redraw(f.images[k]);
    }
  f.check(state, longRun, "Qt Charts set 4x250k");
}
BENCHMARK(BM_QtCharts_SetAndRedraw4x250k)->ArgName("aa")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_QtCharts_Pan4x250k(benchmark::State& state) {
  FourCharts f(false);
  for (int k = 0; k < curveCount; ++k) f.setWhole(k);
  double shift = 1.0;
  for (auto _ : state) {
    for (int k = 0; k < curveCount; ++k) {
      QValueAxis* t = f.plots[k]->axisT;
      t->setRange(t->min() + shift, t->max() + shift);
      f.plots[k]->redraw(f.images[k]);
    }
    shift = -shift;
  }
  f.check(state, longRun, "Qt Charts pan");
}
BENCHMARK(BM_QtCharts_Pan4x250k)->Unit(benchmark::kMillisecond);

// One batch of a paced run with the series' fastest path: the points so far kept by the
// caller, 1000 appended, and the whole list handed over with replace(); then autoscale and
// redraw. The plots hold `filled` points before the batch.
void BM_QtCharts_LiveBatch(benchmark::State& state) {
  const int filled = int(state.range(0));
  FourCharts f(false);
  std::array<QList<QPointF>, curveCount> kept;
  for (int k = 0; k < curveCount; ++k) {
    kept[k] = ChartsPlot::points(k, 0, filled);
    f.plots[k]->series->replace(kept[k]);
  }
  for (auto _ : state)
    for (int k = 0; k < curveCount; ++k) {
      QList<QPointF> grown = kept[k];
      grown.append(ChartsPlot::points(k, filled, batch));
      f.plots[k]->series->replace(grown);
      f.plots[k]->autoscale(k, filled + batch);
      f.plots[k]->redraw(f.images[k]);
    }
  f.check(state, filled + batch, "Qt Charts live batch");
}
BENCHMARK(BM_QtCharts_LiveBatch)
    ->ArgName("filled")->Arg(longRun / 10 - batch)->Arg(longRun - batch)
    ->Unit(benchmark::kMillisecond);

// The whole paced run as above (250 batches); about two minutes, so run it on its own.
void BM_QtCharts_LiveRun(benchmark::State& state) {
  FourCharts f(false);
  std::array<QList<QPointF>, curveCount> kept;
  for (auto _ : state) {
    for (int k = 0; k < curveCount; ++k) {
      f.plots[k]->series->clear();
      kept[k].clear();
    }
    for (int first = 0; first < longRun; first += batch)
      for (int k = 0; k < curveCount; ++k) {
        kept[k].append(ChartsPlot::points(k, first, batch));
        f.plots[k]->series->replace(kept[k]);
        f.plots[k]->autoscale(k, first + batch);
        f.plots[k]->redraw(f.images[k]);
      }
  }
  f.check(state, longRun, "Qt Charts live run");
  state.counters["per_batch"] = benchmark::Counter(double(longRun / batch),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_QtCharts_LiveRun)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
