// Cost of redrawing the two pictures (what every keystroke in the S box costs) and of
// drawing a run's trail, on the offscreen platform.
#include "canvas/ImageCanvas.h"
#include "views/Views.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace larmor;

struct Pictures {
  ImageCanvas xy, xz;
  Views views{xy, xz};
  SimulationState state;
  Pictures(int side, FieldConfig config, std::int16_t L) {
    xy.resize(QSize(side, side));
    xz.resize(QSize(2 * side, side));
    state.fieldConfig = config;
    state.params.regionSize = L;
    state.x = state.params.x0, state.y = state.params.y0, state.z = state.params.z0;
  }
};

// Args: configuration, region size, picture side (208 at start-up, 1000 maximised).
void BM_Redraw(benchmark::State& run) {
  Pictures p(int(run.range(2)), FieldConfig(run.range(0)), std::int16_t(run.range(1)));
  p.views.Redraw(p.state);  // the first redraw of a region keeps its background
  for (auto _ : run) {
    p.views.Redraw(p.state);
    benchmark::DoNotOptimize(p.xy.image().constBits());
    benchmark::DoNotOptimize(p.xz.image().constBits());
  }
}

// A region that changes on every redraw: nothing kept can be reused.
void BM_RedrawNewRegion(benchmark::State& run) {
  Pictures p(int(run.range(2)), FieldConfig(run.range(0)), std::int16_t(run.range(1)));
  const std::int16_t other = run.range(1) == 10 ? 9 : std::int16_t(run.range(1) + 1);
  bool flip = false;
  for (auto _ : run) {
    p.state.params.regionSize = flip ? other : std::int16_t(run.range(1));
    flip = !flip;
    p.views.Redraw(p.state);
    benchmark::DoNotOptimize(p.xy.image().constBits());
  }
}

// 2501 segments of a helix in region 5, one per step as the run draws them.
void BM_Trail2501(benchmark::State& run) {
  Pictures p(int(run.range(0)), 1, 5);
  p.views.Redraw(p.state);
  std::vector<TrailSegment> segments;
  double x = 1, y = 0.5;
  float z = -4;
  for (int i = 1; i <= 2501; ++i) {
    const double a = i * 6.283185307 / 100;
    const double nx = 1 + 0.8 * std::cos(a), ny = 0.5 + 0.8 * std::sin(a), nz = -4 + 0.0032 * i;
    segments.push_back({x, y, z, nx, ny, nz});
    x = nx, y = ny, z = float(nz);
  }
  for (auto _ : run) {
    for (const TrailSegment& s : segments) {
      p.views.PlotTrailSegment(s);
      p.state.x = s.xTo, p.state.y = s.yTo, p.state.z = s.zTo;
      p.views.PlaceMarkers(p.state);
    }
    benchmark::DoNotOptimize(p.xy.image().constBits());
  }
}

void redrawArgs(benchmark::internal::Benchmark* b) {
  for (int side : {208, 1000})
    for (int config = 1; config <= 7; ++config)
      for (int L : {1, 5, 10}) b->Args({config, L, side});
  b->ArgNames({"config", "region", "side"})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Redraw)->Apply(redrawArgs);
BENCHMARK(BM_RedrawNewRegion)
    ->ArgsProduct({{1, 4}, {1, 10}, {208, 1000}})
    ->ArgNames({"config", "region", "side"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Trail2501)->Arg(208)->Arg(1000)->ArgName("side")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
