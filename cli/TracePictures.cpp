// The module that draws the companion's pictures: both views as the window shows them, and
// the path in space.
#include "cli/TracePictures.h"

#include "canvas/OrbitFollower.h"
#include "canvas/ViewsFollower.h"
#include "canvas/ViewsPicture.h"
#include "cli/TraceOptions.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <optional>

namespace larmor {
namespace {

class Pictures : public TracePictures, private RunObserver {
public:
  Pictures(int& argc, char** argv, const TraceOptions& options) : m_options(options) {
    // Fonts need a GUI application; on the offscreen platform it needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    m_application.emplace(argc, argv);
    if (!options.pngPath.empty()) m_views.emplace(options.width);
    if (!options.png3dPath.empty()) m_orbit.emplace();
  }

  // Opened before the run so that an unwritable picture leaves standard output empty.
  std::string open() {
    for (const auto& [path, file] : {std::pair{&m_options.pngPath, &m_pngFile}, {&m_options.png3dPath, &m_png3dFile}}) {
      if (path->empty()) continue;
      file->setFileName(QString::fromStdString(*path));
      if (!file->open(QIODevice::WriteOnly))
        return "larmor-trace: cannot write the picture '" + *path + "': " + file->errorString().toStdString();
    }
    return {};
  }

  void follow(ControlPanel& panel) override {
    if (!m_views) return;
    m_viewsFollower.emplace(panel, m_views->views());
    panel.setObserver(&*m_viewsFollower);
  }
  void ready(const ControlPanel& panel) override {
    if (!m_orbit) return;
    m_orbitFollower.emplace(*m_orbit);
    m_orbitFollower->show(panel.state());
    m_orbitFollower->markerColoursChanged(panel.position(Bar::VScroll1));
    m_orbit->camera.setAngles(m_options.azimuth.value_or(OrbitCamera::startAzimuth),
                              m_options.elevation.value_or(OrbitCamera::startElevation));
  }
  RunObserver& observer() override { return *this; }

  std::string save(Integrator integrator) override {
    const QString drawnBy =
        integrator == Integrator::Boris ? QString::fromUtf8(methodCaption(integrator)) : QString();
    if (m_views && !m_views->compose(drawnBy).save(&m_pngFile, "PNG"))
      return "larmor-trace: cannot write the picture '" + m_options.pngPath + "'";
    // The height in the view's proportion, as the window's own export keeps its proportion.
    const int height = static_cast<int>(
        std::lround(double(m_options.png3dWidth) * OrbitCamera::startHeight / OrbitCamera::startWidth));
    if (m_orbit && !m_orbit->render(m_options.png3dWidth, height).save(&m_png3dFile, "PNG"))
      return "larmor-trace: cannot write the picture '" + m_options.png3dPath + "'";
    return {};
  }

private:
  template <typename F>
  void each(F&& f) {
    if (m_viewsFollower) f(static_cast<RunObserver&>(*m_viewsFollower));
    if (m_orbitFollower) f(static_cast<RunObserver&>(*m_orbitFollower));
  }
  void starting(const ControlPanel& panel) override {
    each([&](RunObserver& o) { o.starting(panel); });
  }
  void prepared(const Run& run, const SimulationState& state) override {
    each([&](RunObserver& o) { o.prepared(run, state); });
  }
  bool stepped(const Run& run, const SimulationState& state, const TrailSegment& segment) override {
    each([&](RunObserver& o) { o.stepped(run, state, segment); });
    return true;
  }

  const TraceOptions& m_options;
  std::optional<QGuiApplication> m_application;
  QFile m_pngFile, m_png3dFile;
  std::optional<ViewsPicture> m_views;
  std::optional<ViewsFollower> m_viewsFollower;
  std::optional<OrbitPicture> m_orbit;
  std::optional<OrbitFollower> m_orbitFollower;
};

}  // namespace
}  // namespace larmor

extern "C" larmor::TracePicturesStart* larmorStartTracePictures(int& argc, char** argv,
                                                                const larmor::TraceOptions& options) {
  auto* start = new larmor::TracePicturesStart;
  auto pictures = std::make_unique<larmor::Pictures>(argc, argv, options);
  start->error = pictures->open();
  if (start->error.empty()) start->pictures = std::move(pictures);
  return start;
}
