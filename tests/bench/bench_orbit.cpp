// The 3-D view's drawing: a path of 250,000 points turned continuously at 800 × 600,
// drawn by QPainter in the view's own parallel projection against an OpenGL context with
// its own shaders (the work of an OpenGL widget), both on the software renderer. Each
// iteration is one frame: the camera turns by a degree and the whole picture is drawn.
#include "canvas/OrbitPicture.h"

#include <QGuiApplication>
#include <QByteArray>
#include <QElapsedTimer>
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
#include <cstdio>
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

// The work of an OpenGL widget with its own shaders: the points in a vertex buffer once,
// then per frame a rotation matrix, a line strip, and the frame read back as an OpenGL
// widget's is composed into a window without a GL surface (readBack) or only finished.
class GlFrames {
public:
  explicit GlFrames(int points) : m_count(GLsizei(points)) {
    m_surface.create();
    if (!m_context.create() || !m_context.makeCurrent(&m_surface)) {
      m_error = "no OpenGL context on this platform";
      return;
    }
    m_gl = m_context.functions();
    m_fbo = std::make_unique<QOpenGLFramebufferObject>(frameWidth, frameHeight);
    m_fbo->bind();
    m_program.addShaderFromSourceCode(QOpenGLShader::Vertex,
                                      "attribute vec3 position; uniform mat4 camera;\n"
                                      "void main() { gl_Position = camera * vec4(position, 1.0); }\n");
    m_program.addShaderFromSourceCode(QOpenGLShader::Fragment, "void main() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }\n");
    if (!m_program.link()) {
      m_error = "the shaders did not link";
      return;
    }
    m_program.bind();
    std::vector<float> vertices;
    for (const Vec3& p : helix(points)) vertices.insert(vertices.end(), {float(p.x), float(p.y), float(p.z)});
    m_buffer.create();
    m_buffer.bind();
    m_buffer.allocate(vertices.data(), int(vertices.size() * sizeof(float)));
    m_program.enableAttributeArray("position");
    m_program.setAttributeBuffer("position", GL_FLOAT, 0, 3);
    m_gl->glViewport(0, 0, frameWidth, frameHeight);
  }

  const char* error() const { return m_error; }
  const char* renderer() const { return reinterpret_cast<const char*>(m_gl->glGetString(GL_RENDERER)); }

  void draw(double azimuth, bool readBack) {
    QMatrix4x4 camera;
    camera.ortho(-8, 8, -6, 6, -20, 20);
    camera.rotate(-65, 1, 0, 0);
    camera.rotate(float(azimuth), 0, 0, 1);
    m_program.setUniformValue("camera", camera);
    m_gl->glClearColor(1, 1, 1, 1);
    m_gl->glClear(GL_COLOR_BUFFER_BIT);
    m_gl->glDrawArrays(GL_LINE_STRIP, 0, m_count);
    if (readBack) {
      const QImage frame = m_fbo->toImage();
      benchmark::DoNotOptimize(frame.constBits());
    } else {
      m_gl->glFinish();
    }
  }

private:
  QOffscreenSurface m_surface;
  QOpenGLContext m_context;
  QOpenGLFunctions* m_gl = nullptr;
  std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
  QOpenGLShaderProgram m_program;
  QOpenGLBuffer m_buffer{QOpenGLBuffer::VertexBuffer};
  GLsizei m_count;
  const char* m_error = nullptr;
};

// The same frames on an OpenGL context, read back (1) or only finished (0).
void BM_OrbitOpenGL(benchmark::State& run) {
  GlFrames frames(int(run.range(0)));
  if (frames.error()) {
    run.SkipWithError(frames.error());
    return;
  }
  double azimuth = 0;
  for (auto _ : run) frames.draw(azimuth += 1, run.range(1) != 0);
  run.counters["fps"] = benchmark::Counter(double(run.iterations()), benchmark::Counter::kIsRate);
  run.SetLabel(frames.renderer());
}
BENCHMARK(BM_OrbitOpenGL)->Args({250000, 1})->Args({250000, 0})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// With --first-frame qpainter (or opengl) only the start-up is timed: from the application to
// the first frame of 250,000 points and the scene (the context, framebuffer, shaders and
// buffer for OpenGL), then exit.
int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QGuiApplication application(argc, argv);
  if (argc > 2 && QByteArray(argv[1]) == "--first-frame") {
    const bool opengl = QByteArray(argv[2]) == "opengl";
    if (opengl) {
      GlFrames frames(250000);
      if (frames.error()) return std::printf("%s\n", frames.error()), 1;
      frames.draw(OrbitCamera::startAzimuth, true);
    } else {
      OrbitPicture picture;
      picture.setScene(OrbitScene::build(SimulationState{}));
      for (const Vec3& p : helix(250000)) picture.path.append(p);
      benchmark::DoNotOptimize(picture.render(frameWidth, frameHeight).constBits());
    }
    std::printf("first frame after %.0f ms\n", double(clock.nsecsElapsed()) / 1e6);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
