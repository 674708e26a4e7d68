// larmor-trace: the simulation of the window's start button, without a window.
#include "canvas/OrbitFollower.h"
#include "canvas/ViewsFollower.h"
#include "canvas/ViewsPicture.h"
#include "cli/EnsembleTrace.h"
#include "cli/PanelScript.h"
#include "cli/TraceOptions.h"
#include "cli/TraceRun.h"
#include "cli/TraceWriters.h"
#include "panel/ScenarioFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// Standard error carries the companion's own messages only: Qt's notes about the
// environment of a headless run (no runtime folder, no display) are left out.
void keepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "larmor-trace: %s\n", qPrintable(message));
}

// The run handed to both pictures, either of which may be absent.
class Pictures : public larmor::RunObserver {
public:
  Pictures(larmor::RunObserver* views, larmor::RunObserver* orbit) : m_views(views), m_orbit(orbit) {}
  void starting(const larmor::ControlPanel& panel) override {
    for (larmor::RunObserver* o : {m_views, m_orbit})
      if (o) o->starting(panel);
  }
  void prepared(const larmor::Run& run, const larmor::SimulationState& state) override {
    for (larmor::RunObserver* o : {m_views, m_orbit})
      if (o) o->prepared(run, state);
  }
  bool stepped(const larmor::Run& run, const larmor::SimulationState& state,
               const larmor::TrailSegment& segment) override {
    for (larmor::RunObserver* o : {m_views, m_orbit})
      if (o) o->stepped(run, state, segment);
    return true;
  }

private:
  larmor::RunObserver* m_views;
  larmor::RunObserver* m_orbit;
};

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const larmor::TraceParse parse = larmor::parseTraceOptions(arguments);
  if (!parse.ok()) {
    std::fprintf(stderr, "%s\n", parse.error.c_str());
    return 2;
  }
  const larmor::TraceOptions& options = parse.options;
  if (options.help) {
    std::fputs(larmor::traceUsage().c_str(), stdout);
    return 0;
  }

  if (!options.mergeFiles.empty()) return larmor::mergeEnsembleTrace(options.mergeFiles, stdout, stderr) ? 0 : 2;

  // The scenario is read whole and checked before anything is run or written.
  std::optional<larmor::Scenario> scenario;
  if (!options.scenarioPath.empty()) {
    const larmor::ScenarioFileRead file = larmor::readScenarioFile(options.scenarioPath);
    if (!file.ok()) {
      const std::string line =
          file.unreadable.empty()
              ? "larmor-trace: the scenario '" + options.scenarioPath +
                    "' is refused: " + larmor::problemText(*file.read.problem, larmor::Language::English)
              : "larmor-trace: cannot read the scenario '" + options.scenarioPath + "': " + file.unreadable;
      std::fprintf(stderr, "%s\n", larmor::oneLineText(line).c_str());
      return 2;
    }
    scenario = file.read.scenario;
  }

  // Fonts for the picture need a GUI application; on the offscreen platform it needs no
  // display. Without a picture nothing of the GUI is loaded at all.
  const bool drawing = !options.pngPath.empty() || !options.png3dPath.empty();
  qInstallMessageHandler(keepSeriousMessages);
  std::unique_ptr<QCoreApplication> application;
  if (drawing) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  std::setlocale(LC_NUMERIC, "C");  // the application took the user's locale

  // Opened before the run so that an unwritable picture leaves standard output empty.
  QFile pngFile(QString::fromStdString(options.pngPath));
  if (!options.pngPath.empty() && !pngFile.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "larmor-trace: cannot write the picture '%s': %s\n", options.pngPath.c_str(),
                 qPrintable(pngFile.errorString()));
    return 1;
  }
  QFile png3dFile(QString::fromStdString(options.png3dPath));
  if (!options.png3dPath.empty() && !png3dFile.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "larmor-trace: cannot write the picture '%s': %s\n", options.png3dPath.c_str(),
                 qPrintable(png3dFile.errorString()));
    return 1;
  }

  std::unique_ptr<larmor::ViewsPicture> picture;
  if (!options.pngPath.empty()) picture = std::make_unique<larmor::ViewsPicture>(options.width);

  larmor::ControlPanel panel(options.separator);
  std::unique_ptr<larmor::ViewsFollower> follower;
  if (picture) {
    follower = std::make_unique<larmor::ViewsFollower>(panel, picture->views());
    panel.setObserver(follower.get());
  }
  // A scenario is opened as the window opens a file after its start-up; the options then change it.
  larmor::applyTraceOptions(panel, options, scenario ? &*scenario : nullptr);
  if (options.integrator) panel.chooseIntegrator(*options.integrator);

  // An ensemble without the summary writes its particles' CSV instead of the run's.
  std::string ensemble;
  if (options.ensemble > 0) larmor::runEnsembleTrace(panel, options, stdout, options.summary ? &ensemble : nullptr);
  if (options.ensemble > 0 && !options.summary) return 0;
  // The picture in space follows the panel from here: nothing changes it before the run.
  std::unique_ptr<larmor::OrbitPicture> orbit;
  std::unique_ptr<larmor::OrbitFollower> orbitFollower;
  if (!options.png3dPath.empty()) {
    orbit = std::make_unique<larmor::OrbitPicture>();
    orbitFollower = std::make_unique<larmor::OrbitFollower>(*orbit);
    orbitFollower->show(panel.state());
    orbitFollower->markerColoursChanged(panel.position(larmor::Bar::VScroll1));
    orbit->camera.setAngles(options.azimuth.value_or(larmor::OrbitCamera::startAzimuth),
                            options.elevation.value_or(larmor::OrbitCamera::startElevation));
  }
  Pictures pictures(follower.get(), orbitFollower.get());

  auto csv = std::make_unique<larmor::CsvWriter>(stdout);
  const larmor::TraceResult result =
      larmor::runTrace(panel, drawing ? &pictures : nullptr, options.summary ? nullptr : csv.get(), options.maxSteps,
                       options.diagnostics, options.theory);
  if (options.summary) {
    const larmor::SimulationState& state = panel.state();
    std::fputs(larmor::summaryJson(larmor::resultCaptions(panel), result.steps, result.stop, state.x, state.y, state.z,
                                   result.accuracyText, result.integrator,
                                   result.theory ? larmor::theoryJson(*result.theory) : std::string(), ensemble)
                   .c_str(),
               stdout);
  }
  csv.reset();
  std::fflush(stdout);
  // The output is whole and valid either way; a run stopped by one of its rules is still a
  // finished one (exit 0), but it must not pass for a run to its end time.
  const std::string stop = larmor::stopLine(result);
  if (!stop.empty()) std::fprintf(stderr, "%s\n", stop.c_str());

  const QString drawnBy =
      result.integrator == larmor::Integrator::Boris ? QString::fromUtf8(larmor::methodCaption(result.integrator)) : QString();
  if (picture && !picture->compose(drawnBy).save(&pngFile, "PNG")) {
    std::fprintf(stderr, "larmor-trace: cannot write the picture '%s'\n", options.pngPath.c_str());
    return 1;
  }
  // The height in the view's proportion, as the window's own export keeps its proportion.
  const int png3dHeight = static_cast<int>(
      std::lround(double(options.png3dWidth) * larmor::OrbitCamera::startHeight / larmor::OrbitCamera::startWidth));
  if (orbit && !orbit->render(options.png3dWidth, png3dHeight).save(&png3dFile, "PNG")) {
    std::fprintf(stderr, "larmor-trace: cannot write the picture '%s'\n", options.png3dPath.c_str());
    return 1;
  }
  return 0;
}
