#include "cli/EnsembleTrace.h"

#include "cli/TraceOptions.h"
#include "panel/ControlPanel.h"
#include "panel/TrajectoryCsv.h"

#include <cmath>
#include <fstream>
#include <thread>

namespace larmor {

namespace {

std::string number(const std::optional<double>& value) {
  return value && std::isfinite(*value) ? numberText(*value) : "null";
}

}  // namespace

std::string ensembleJson(const EnsembleHeader& h, const EnsembleSummary& s) {
  std::string json = "{\"particles\": " + std::to_string(s.particles) + ", \"seed\": " + std::to_string(h.seed) +
                     ", \"distribution\": \"" + distributionKey(h.distribution) + "\", \"config\": " +
                     std::to_string(h.config) + ", \"lossConeDeg\": " + number(h.lossConeDeg) + ", ";
  json += "\"trapped\": {\"predicted\": " + number(h.predicted) + ", \"measured\": " + number(s.measured) +
          ", \"error\": " + number(s.error) + ", \"count\": " + std::to_string(s.trapped) + "}, ";
  json += "\"escaped\": {\"up\": " + std::to_string(s.escapedUp) + ", \"down\": " + std::to_string(s.escapedDown) +
          ", \"meanTime\": " + number(s.meanEscapeTime) + "}, ";
  json += "\"undecided\": " + std::to_string(s.undecided) + ", ";
  json += "\"drift\": ";
  json += s.driftMeasured ? "{\"predicted\": " + number(s.driftPredicted) + ", \"measured\": " +
                                number(s.driftMeasured) + ", \"error\": " + number(s.driftError) + "}"
                          : std::string("null");
  return json + "}";
}

void runEnsembleTrace(const ControlPanel& panel, const TraceOptions& options, std::FILE* out, std::string* json) {
  EnsembleSettings settings;
  settings.particles = options.ensemble;
  settings.seed = options.seed;
  settings.distribution = options.distribution;
  if (options.spreadDeg) settings.spreadDeg = *options.spreadDeg;
  const Ensemble ensemble(panel, settings);
  const auto [first, last] =
      options.shards > 0 ? Ensemble::shard(settings.particles, options.shard, options.shards)
                         : std::pair<std::int64_t, std::int64_t>{0, settings.particles};
  const unsigned threads = options.threads > 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
  const std::vector<ParticleResult> results = ensemble.run(threads, first, last);
  const EnsembleHeader header = ensembleHeader(ensemble);
  if (json) {
    *json = ensembleJson(header, summarizeEnsemble(results));
    return;
  }
  std::string text = ensembleCsvHeader(header);
  for (const ParticleResult& r : results) text += ensembleCsvRow(r);
  std::fputs(text.c_str(), out);
}

bool mergeEnsembleTrace(const std::vector<std::string>& files, std::FILE* out, std::FILE* err) {
  std::vector<EnsembleCsvRead> slices;
  for (const std::string& file : files) {
    std::ifstream in(file);
    if (!in) {
      std::fprintf(err, "%s\n", oneLineText("larmor-trace: cannot read the slice '" + file + "'").c_str());
      return false;
    }
    slices.push_back(readEnsembleCsv(in));
    if (!slices.back().error.empty()) {
      std::fprintf(err, "%s\n", oneLineText("larmor-trace: '" + file + "': " + slices.back().error).c_str());
      return false;
    }
  }
  const EnsembleCsvRead whole = mergeEnsembleSlices(std::move(slices));
  if (!whole.error.empty()) {
    std::fprintf(err, "%s\n", oneLineText("larmor-trace: cannot merge: " + whole.error).c_str());
    return false;
  }
  std::fputs(("{\"ensemble\": " + ensembleJson(whole.header, summarizeEnsemble(whole.results)) + "}\n").c_str(), out);
  return true;
}

}  // namespace larmor
