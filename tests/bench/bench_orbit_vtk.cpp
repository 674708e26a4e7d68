// The 3-D view's frame on VTK's Qt widget, for the choice of the view's drawing library: the
// same drifting helix of 250,000 points as bench_orbit, one poly-line turned by a degree a
// frame at 800 × 600 in a parallel projection. Debian 12's VTK is built on Qt 5, so this
// program is a Qt 5 one of its own; built only where VTK's Qt widget is installed.
#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QSurfaceFormat>

#include <QVTKOpenGLNativeWidget.h>
#include <vtkActor.h>
#include <vtkCamera.h>
#include <vtkCellArray.h>
#include <vtkGenericOpenGLRenderWindow.h>
#include <vtkNew.h>
#include <vtkPoints.h>
#include <vtkPolyData.h>
#include <vtkPolyDataMapper.h>
#include <vtkProperty.h>
#include <vtkRenderer.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr int frameWidth = 800, frameHeight = 600;

// The widget with the helix of n points as one poly-line, seen as the 3-D view's start.
struct Scene {
  QVTKOpenGLNativeWidget widget;
  vtkNew<vtkGenericOpenGLRenderWindow> window;
  vtkNew<vtkRenderer> renderer;

  explicit Scene(int n) {
    vtkNew<vtkPoints> points;
    points->SetNumberOfPoints(n);
    vtkNew<vtkCellArray> lines;
    lines->InsertNextCell(n);
    for (int i = 0; i < n; ++i) {
      const double phase = 2 * 3.14159265358979323846 * i / 100, t = double(i) / n;
      points->SetPoint(i, -2 + 4 * t + 0.4 * std::cos(phase), 0.4 * std::sin(phase), -4.5 + 9 * t);
      lines->InsertCellPoint(i);
    }
    vtkNew<vtkPolyData> path;
    path->SetPoints(points);
    path->SetLines(lines);
    vtkNew<vtkPolyDataMapper> mapper;
    mapper->SetInputData(path);
    vtkNew<vtkActor> actor;
    actor->SetMapper(mapper);
    actor->GetProperty()->SetColor(1, 0, 0);
    actor->GetProperty()->LightingOff();
    renderer->AddActor(actor);
    renderer->SetBackground(1, 1, 1);
    vtkCamera* camera = renderer->GetActiveCamera();
    camera->ParallelProjectionOn();
    camera->SetFocalPoint(0, 0, 0);
    camera->SetPosition(20, 0, 0);
    camera->SetViewUp(0, 0, 1);
    camera->Elevation(25);
    camera->OrthogonalizeViewUp();
    camera->SetParallelScale(6);
    window->AddRenderer(renderer);
    widget.setRenderWindow(window);
    widget.resize(frameWidth, frameHeight);
  }
};

// How much of the path a frame shows: a frame that is drawn at all holds thousands.
int redPixels(const QImage& frame) {
  int count = 0;
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x) count += (frame.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
  return count;
}

// Each frame: the camera turned by a degree, the scene rendered (as VTK's interactor does
// after a turn), then the widget's frame drawn and read back,
// as it is composed into a window without a GL surface of its own.
void BM_OrbitVtkWidget(benchmark::State& run) {
  Scene scene(int(run.range(0)));
  scene.widget.show();
  const QImage first = scene.widget.grabFramebuffer();
  if (redPixels(first) < 1000) {
    run.SkipWithError("no frame: no OpenGL context on this platform");
    return;
  }
  scene.renderer->GetActiveCamera()->Azimuth(90);
  scene.window->Render();
  if (scene.widget.grabFramebuffer() == first) {
    run.SkipWithError("the frame did not turn");
    return;
  }
  for (auto _ : run) {
    scene.renderer->GetActiveCamera()->Azimuth(1);
    scene.window->Render();
    const QImage frame = scene.widget.grabFramebuffer();
    benchmark::DoNotOptimize(frame.constBits());
  }
  run.counters["fps"] = benchmark::Counter(double(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OrbitVtkWidget)->Arg(250000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// With --first-frame only the start-up is timed: from the application to the widget's
// first frame (the render window, its context and the path's buffers), then exit.
int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QSurfaceFormat::setDefaultFormat(QVTKOpenGLNativeWidget::defaultFormat());
  QApplication application(argc, argv);
  if (argc > 1 && QByteArray(argv[1]) == "--first-frame") {
    Scene scene(250000);
    scene.widget.show();
    const bool drawn = redPixels(scene.widget.grabFramebuffer()) >= 1000;
    std::printf("first frame %s after %.0f ms\n", drawn ? "drawn" : "NOT drawn", double(clock.nsecsElapsed()) / 1e6);
    return drawn ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
