// The 3-D view's drawing: a path of 250,000 points turned continuously at 800 × 600,
// drawn by QPainter in the view's own parallel projection against an OpenGL context with
// its own shaders (the work of an OpenGL widget), both on the software renderer. Each
// iteration is one frame: the camera turns by a degree and the whole picture is drawn.
#include "canvas/OrbitPicture.h"

#include <QGuiApplication>
#include <QImage>
#include <QMatrix4x4>
#include <QOffscreenSurface>
#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using namespace larmor;

constexpr int frameWidth = 800, frameHeight = 600;

// A drifting helix of n points in the default region: 100 points a turn.
std::vector<Vec3> helix(int n) {
  std::vector<Vec3> points;
  points.reserve(std::size_t(n));
  for (int i = 0; i < n; ++i) {
    const double phase = 2 * 3.14159265358979323846 * i / 100;
    const double t = double(i) / n;
    points.push_back({-2 + 4 * t + 0.4 * std::cos(phase), 0.4 * std::sin(phase), -4.5 + 9 * t});
  }
  return points;
}

// Args: path points; with (1) or without (0) the scene of the uniform field.
void BM_OrbitQPainter(benchmark::State& run) {
  OrbitPicture picture;
  SimulationState state;
  picture.setScene(run.range(1) ? OrbitScene::build(state) : OrbitScene{});
  for (const Vec3& p : helix(int(run.range(0)))) picture.path.append(p);
  picture.particle = picture.path.points().back();
  picture.camera.setViewport(frameWidth, frameHeight);
  QImage image(frameWidth, frameHeight, QImage::Format_RGB32);
  double azimuth = 0;
  for (auto _ : run) {
    picture.camera.setAngles(azimuth += 1, 25);
    QPainter painter(&image);
    picture.draw(painter);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  run.counters["fps"] = benchmark::Counter(double(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OrbitQPainter)->Args({250000, 0})->Args({250000, 1})->Args({25000, 1})->Unit(benchmark::kMillisecond)->UseRealTime();

// The same frames on an OpenGL context: the points in a vertex buffer once, a rotation
// matrix per frame, a line strip, then the frame read back as an OpenGL widget's is
// composed into a window without a GL surface (readBack 1) or only finished (0).
void BM_OrbitOpenGL(benchmark::State& run) {
  QOffscreenSurface surface;
  surface.create();
  QOpenGLContext context;
  if (!context.create() || !context.makeCurrent(&surface)) {
    run.SkipWithError("no OpenGL context on this platform");
    return;
  }
  QOpenGLFunctions* gl = context.functions();
  QOpenGLFramebufferObject fbo(frameWidth, frameHeight);
  fbo.bind();
  QOpenGLShaderProgram program;
  program.addShaderFromSourceCode(QOpenGLShader::Vertex,
                                  "attribute vec3 position; uniform mat4 camera;\n"
                                  "void main() { gl_Position = camera * vec4(position, 1.0); }\n");
  program.addShaderFromSourceCode(QOpenGLShader::Fragment, "void main() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }\n");
  if (!program.link()) {
    run.SkipWithError("the shaders did not link");
    return;
  }
  program.bind();
  std::vector<float> vertices;
  for (const Vec3& p : helix(int(run.range(0)))) vertices.insert(vertices.end(), {float(p.x), float(p.y), float(p.z)});
  QOpenGLBuffer buffer(QOpenGLBuffer::VertexBuffer);
  buffer.create();
  buffer.bind();
  buffer.allocate(vertices.data(), int(vertices.size() * sizeof(float)));
  program.enableAttributeArray("position");
  program.setAttributeBuffer("position", GL_FLOAT, 0, 3);
  gl->glViewport(0, 0, frameWidth, frameHeight);
  const GLsizei count = GLsizei(run.range(0));
  double azimuth = 0;
  for (auto _ : run) {
    QMatrix4x4 camera;
    camera.ortho(-8, 8, -6, 6, -20, 20);
    camera.rotate(-65, 1, 0, 0);
    camera.rotate(float(azimuth += 1), 0, 0, 1);
    program.setUniformValue("camera", camera);
    gl->glClearColor(1, 1, 1, 1);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    gl->glDrawArrays(GL_LINE_STRIP, 0, count);
    if (run.range(1)) {
      const QImage frame = fbo.toImage();
      benchmark::DoNotOptimize(frame.constBits());
    } else {
      gl->glFinish();
    }
  }
  run.counters["fps"] = benchmark::Counter(double(run.iterations()), benchmark::Counter::kIsRate);
  run.SetLabel(reinterpret_cast<const char*>(gl->glGetString(GL_RENDERER)));
}
BENCHMARK(BM_OrbitOpenGL)->Args({250000, 1})->Args({250000, 0})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
