// larmor-trace: the simulation of the window's start button, without a window.
#include "cli/EnsembleTrace.h"
#include "cli/PanelScript.h"
#include "cli/TraceOptions.h"
#include "cli/TracePictures.h"
#include "cli/TraceRun.h"
#include "cli/TraceWriters.h"
#include "panel/ScenarioFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <clocale>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// Standard error carries the companion's own messages only: Qt's notes about the
// environment of a headless run (no runtime folder, no display) are left out.
void keepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "larmor-trace: %s\n", qPrintable(message));
}

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

  // Only a picture loads the toolkit's GUI part, with its application; the files are
  // opened before the run so that an unwritable one leaves standard output empty.
  const bool drawing = !options.pngPath.empty() || !options.png3dPath.empty();
  qInstallMessageHandler(keepSeriousMessages);
  std::unique_ptr<QCoreApplication> application;
  std::unique_ptr<larmor::TracePictures> pictures;
  if (drawing) {
    larmor::TracePicturesStart started = larmor::startTracePictures(argc, argv, options);
    if (!started.pictures) {
      std::fprintf(stderr, "%s\n", larmor::oneLineText(started.error).c_str());
      return 1;
    }
    pictures = std::move(started.pictures);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  std::setlocale(LC_NUMERIC, "C");  // the application took the user's locale

  larmor::ControlPanel panel(options.separator);
  if (pictures) pictures->follow(panel);
  // A scenario is opened as the window opens a file after its start-up; the options then change it.
  larmor::applyTraceOptions(panel, options, scenario ? &*scenario : nullptr);
  if (options.integrator) panel.chooseIntegrator(*options.integrator);

  // An ensemble without the summary writes its particles' CSV instead of the run's.
  std::string ensemble;
  if (options.ensemble > 0) larmor::runEnsembleTrace(panel, options, stdout, options.summary ? &ensemble : nullptr);
  if (options.ensemble > 0 && !options.summary) return 0;
  // The picture in space follows the panel from here: nothing changes it before the run.
  if (pictures) pictures->ready(panel);

  auto csv = std::make_unique<larmor::CsvWriter>(stdout);
  const larmor::TraceResult result =
      larmor::runTrace(panel, pictures ? &pictures->observer() : nullptr, options.summary ? nullptr : csv.get(), options.maxSteps,
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

  if (pictures) {
    const std::string failed = pictures->save(result.integrator);
    if (!failed.empty()) {
      std::fprintf(stderr, "%s\n", larmor::oneLineText(failed).c_str());
      return 1;
    }
  }
  return 0;
}
