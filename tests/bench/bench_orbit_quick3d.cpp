// The 3-D view's frame on Qt Quick 3D, for the choice of the view's drawing library: the
// same drifting helix of 250,000 points as bench_orbit, one line strip turned by a degree a
// frame at 800 × 600. Built only where Qt Quick 3D is installed; not used by the program.
#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QQuick3DGeometry>
#include <QQuickItem>
#include <QQuickView>
#include <QQuickWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QVector3D>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int frameWidth = 800, frameHeight = 600;

// One unit is a pixel in Qt Quick 3D's orthographic camera: the region's metres are scaled
// to the same size on the screen as the QPainter view's (about 49 px a metre).
const char* const scene = R"(
import QtQuick
import QtQuick3D
View3D {
  width: 800; height: 600
  environment: SceneEnvironment { clearColor: "white"; backgroundMode: SceneEnvironment.Color }
  OrthographicCamera { z: 1000; clipNear: 1; clipFar: 2000 }
  Node {
    eulerRotation.x: -65
    Node {
      objectName: "turn"
      Model {
        objectName: "path"
        scale: Qt.vector3d(49, 49, 49)
        materials: DefaultMaterial { lighting: DefaultMaterial.NoLighting; diffuseColor: "red" }
      }
    }
  }
}
)";

// The helix of bench_orbit as one line strip.
class Helix : public QQuick3DGeometry {
public:
  explicit Helix(int n) {
    QByteArray data(n * 3 * int(sizeof(float)), Qt::Uninitialized);
    auto* p = reinterpret_cast<float*>(data.data());
    for (int i = 0; i < n; ++i) {
      const double phase = 2 * 3.14159265358979323846 * i / 100, t = double(i) / n;
      *p++ = float(-2 + 4 * t + 0.4 * std::cos(phase));
      *p++ = float(0.4 * std::sin(phase));
      *p++ = float(-4.5 + 9 * t);
    }
    setVertexData(data);
    setStride(3 * sizeof(float));
    setPrimitiveType(PrimitiveType::LineStrip);
    addAttribute(Attribute::PositionSemantic, 0, Attribute::F32Type);
    setBounds({-2.5, -0.5, -4.5}, {2.5, 0.5, 4.5});
  }
};

QString sceneFile() {
  static QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("orbit.qml"));
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(scene);
  return path;
}

// How much of the path a frame shows: a frame that is drawn at all holds thousands.
int redPixels(const QImage& frame) {
  int count = 0;
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x) count += (frame.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
  return count;
}

// Gives the scene's path its geometry; returns the node turned each frame.
QObject* populate(QQuickItem* root, int points) {
  if (!root) return nullptr;
  QObject* model = root->findChild<QObject*>(QStringLiteral("path"));
  if (!model) return nullptr;
  auto* helix = new Helix(points);
  helix->setParent(model);
  model->setProperty("geometry", QVariant::fromValue(static_cast<QQuick3DGeometry*>(helix)));
  return root->findChild<QObject*>(QStringLiteral("turn"));
}

// Qt Quick 3D in a QQuickWidget: each frame rendered and read back from its framebuffer,
// as the widget is composed into a window without a GL surface of its own.
void BM_OrbitQuickWidget(benchmark::State& run) {
  QQuickWidget widget;
  widget.setResizeMode(QQuickWidget::SizeRootObjectToView);
  widget.resize(frameWidth, frameHeight);
  widget.setSource(QUrl::fromLocalFile(sceneFile()));
  QObject* turn = populate(widget.rootObject(), int(run.range(0)));
  widget.show();
  if (!turn || widget.status() != QQuickWidget::Ready) {
    run.SkipWithError("the scene did not load");
    return;
  }
  const QImage first = widget.grabFramebuffer();
  if (redPixels(first) < 1000) {
    run.SkipWithError("no path in the frame: Qt Quick 3D drew nothing on this platform");
    return;
  }
  turn->setProperty("eulerRotation", QVector3D(0, 0, 90));
  if (widget.grabFramebuffer() == first) {
    run.SkipWithError("the frame did not turn");
    return;
  }
  double azimuth = 0;
  for (auto _ : run) {
    turn->setProperty("eulerRotation", QVector3D(0, 0, float(azimuth += 1)));
    const QImage frame = widget.grabFramebuffer();
    benchmark::DoNotOptimize(frame.constBits());
  }
  run.counters["fps"] = benchmark::Counter(double(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OrbitQuickWidget)->Arg(250000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Qt Quick 3D in a QQuickView put into a widget by createWindowContainer: a window of its
// own, drawn by Qt Quick's render loop; one iteration ends when the turned frame is swapped.
void BM_OrbitQuickView(benchmark::State& run) {
  QWidget holder;
  auto* view = new QQuickView;
  view->setResizeMode(QQuickView::SizeRootObjectToView);
  view->setSource(QUrl::fromLocalFile(sceneFile()));
  QObject* turn = populate(view->rootObject(), int(run.range(0)));
  auto* layout = new QVBoxLayout(&holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(QWidget::createWindowContainer(view, &holder));
  holder.resize(frameWidth, frameHeight);
  if (!turn) {
    run.SkipWithError("the scene did not load");
    return;
  }
  QEventLoop loop;
  bool swapped = false;
  QObject::connect(view, &QQuickWindow::frameSwapped, &loop, [&] {
    swapped = true;
    loop.quit();
  }, Qt::QueuedConnection);
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  auto frame = [&] {
    swapped = false;
    limit.start(5000);
    loop.exec();
    return swapped;
  };
  holder.show();
  if (!frame()) {
    run.SkipWithError("no frame within 5 s");
    return;
  }
  double azimuth = 0;
  for (auto _ : run) {
    turn->setProperty("eulerRotation", QVector3D(0, 0, float(azimuth += 1)));
    if (!frame()) {
      run.SkipWithError("no frame within 5 s");
      break;
    }
  }
  run.counters["fps"] = benchmark::Counter(double(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OrbitQuickView)->Arg(250000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// With --first-frame only the start-up is timed: from the application to the first frame
// of the widget (the QML engine, the scene, its shaders and the path's buffer), then exit.
int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication application(argc, argv);
  if (argc > 1 && QByteArray(argv[1]) == "--first-frame") {
    QQuickWidget widget;
    widget.resize(frameWidth, frameHeight);
    widget.setSource(QUrl::fromLocalFile(sceneFile()));
    populate(widget.rootObject(), 250000);
    widget.show();
    const bool drawn = redPixels(widget.grabFramebuffer()) >= 1000;
    std::printf("first frame %s after %.0f ms\n", drawn ? "drawn" : "NOT drawn", double(clock.nsecsElapsed()) / 1e6);
    return drawn ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
