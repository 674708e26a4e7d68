#include "panel/EnsembleCsv.h"

#include "panel/TrajectoryCsv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <sstream>

namespace larmor {

namespace {

constexpr const char* headMark = "# larmor ensemble";
constexpr const char* columns = "index,pitch_deg,outcome,t,steps,drift_predicted,drift_measured";

std::string optionalText(const std::optional<double>& value) { return value ? numberText(*value) : "none"; }

std::optional<double> readDouble(const std::string& text) {
  if (text == "nan") return std::numeric_limits<double>::quiet_NaN();
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

template <class Integer>
std::optional<Integer> readInteger(const std::string& text) {
  Integer value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::vector<std::string> split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, separator)) fields.push_back(field);
  return fields;
}

bool readHeader(const std::string& line, EnsembleHeader& h) {
  if (line.rfind(headMark, 0) != 0) return false;
  std::map<std::string, std::string> values;
  for (const std::string& word : split(line.substr(std::string(headMark).size()), ' ')) {
    const std::size_t equals = word.find('=');
    if (equals != std::string::npos) values[word.substr(0, equals)] = word.substr(equals + 1);
  }
  const auto particles = readInteger<std::int64_t>(values["particles"]);
  const auto seed = readInteger<std::uint64_t>(values["seed"]);
  const auto distribution = distributionFromKey(values["distribution"]);
  const auto spread = readDouble(values["spread_deg"]);
  const auto periods = readDouble(values["periods"]);
  const auto config = readInteger<int>(values["config"]);
  if (!particles || *particles < 1 || !seed || !distribution || !spread || !periods || !config) return false;
  h.particles = *particles, h.seed = *seed, h.distribution = *distribution;
  h.spreadDeg = *spread, h.periods = *periods, h.config = *config;
  for (auto [key, target] : {std::pair{"predicted", &h.predicted}, std::pair{"loss_cone_deg", &h.lossConeDeg}}) {
    const std::string& text = values[key];
    if (text == "none") continue;
    *target = readDouble(text);
    if (!*target) return false;
  }
  return true;
}

}  // namespace

EnsembleHeader ensembleHeader(const Ensemble& ensemble) {
  EnsembleHeader h;
  const EnsembleSettings& s = ensemble.settings();
  h.particles = s.particles, h.seed = s.seed, h.distribution = s.distribution;
  h.spreadDeg = s.spreadDeg, h.periods = s.periods, h.config = ensemble.state().fieldConfig;
  h.predicted = ensemble.prediction().trappedFraction;
  h.lossConeDeg = ensemble.prediction().lossConeDeg;
  return h;
}

std::string ensembleCsvHeader(const EnsembleHeader& h) {
  return std::string(headMark) + " particles=" + std::to_string(h.particles) + " seed=" + std::to_string(h.seed) +
         " distribution=" + distributionKey(h.distribution) + " spread_deg=" + numberText(h.spreadDeg) +
         " periods=" + numberText(h.periods) + " config=" + std::to_string(h.config) +
         " predicted=" + optionalText(h.predicted) + " loss_cone_deg=" + optionalText(h.lossConeDeg) + "\n" +
         columns + "\n";
}

std::string ensembleCsvRow(const ParticleResult& r) {
  return std::to_string(r.index) + "," + numberText(r.pitchDeg) + "," + outcomeKey(r.outcome) + "," +
         numberText(r.t) + "," + std::to_string(r.steps) + "," + numberText(r.driftPredicted) + "," +
         numberText(r.driftMeasured) + "\n";
}

EnsembleCsvRead readEnsembleCsv(std::istream& in) {
  EnsembleCsvRead read;
  std::string line;
  if (!std::getline(in, line) || !readHeader(line, read.header)) {
    read.error = "not an ensemble's CSV: its first line does not name the ensemble";
    return read;
  }
  read.headerLine = line;
  if (!std::getline(in, line) || line != columns) {
    read.error = "the second line is not the ensemble's columns";
    return read;
  }
  for (int number = 3; std::getline(in, line); ++number) {
    if (line.empty()) continue;
    const std::vector<std::string> f = split(line, ',');
    ParticleResult r;
    const auto index = f.size() == 7 ? readInteger<std::int64_t>(f[0]) : std::nullopt;
    const auto pitch = f.size() == 7 ? readDouble(f[1]) : std::nullopt;
    const auto outcome = f.size() == 7 ? outcomeFromKey(f[2]) : std::nullopt;
    const auto t = f.size() == 7 ? readDouble(f[3]) : std::nullopt;
    const auto steps = f.size() == 7 ? readInteger<std::int64_t>(f[4]) : std::nullopt;
    const auto driftPredicted = f.size() == 7 ? readDouble(f[5]) : std::nullopt;
    const auto driftMeasured = f.size() == 7 ? readDouble(f[6]) : std::nullopt;
    if (!index || *index < 0 || *index >= read.header.particles || !pitch || !outcome || !t || !steps ||
        !driftPredicted || !driftMeasured) {
      read.error = "line " + std::to_string(number) + " is not a particle's row";
      return read;
    }
    r.index = *index, r.pitchDeg = *pitch, r.outcome = *outcome, r.t = *t, r.steps = *steps;
    r.driftPredicted = *driftPredicted, r.driftMeasured = *driftMeasured;
    read.results.push_back(r);
  }
  return read;
}

EnsembleCsvRead mergeEnsembleSlices(std::vector<EnsembleCsvRead> slices) {
  EnsembleCsvRead merged;
  if (slices.empty()) {
    merged.error = "no slices to merge";
    return merged;
  }
  merged.header = slices.front().header;
  merged.headerLine = slices.front().headerLine;
  for (EnsembleCsvRead& slice : slices) {
    if (slice.headerLine != merged.headerLine) {
      merged.error = "the slices belong to different ensembles: " + slice.headerLine;
      return merged;
    }
    merged.results.insert(merged.results.end(), slice.results.begin(), slice.results.end());
  }
  std::sort(merged.results.begin(), merged.results.end(),
            [](const ParticleResult& a, const ParticleResult& b) { return a.index < b.index; });
  for (std::size_t i = 0; i < merged.results.size(); ++i)
    if (merged.results[i].index != static_cast<std::int64_t>(i)) {
      merged.error = merged.results[i].index < static_cast<std::int64_t>(i)
                         ? "particle given twice: " + std::to_string(merged.results[i].index)
                         : "particle missing: " + std::to_string(i);
      return merged;
    }
  if (static_cast<std::int64_t>(merged.results.size()) != merged.header.particles)
    merged.error = "particle missing: " + std::to_string(merged.results.size());
  return merged;
}

}  // namespace larmor
