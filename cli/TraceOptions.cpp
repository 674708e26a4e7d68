#include "cli/TraceOptions.h"

#include "model/Constants.h"
#include "model/TheoryTexts.h"
#include "model/TrajectoryRun.h"
#include "panel/ControlTable.h"
#include "views/OrbitCamera.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <cmath>
#include <numeric>
#include <optional>
#include <vector>

namespace larmor {

namespace {

enum class Kind {
  Scenario, Control, Separator, Png, Width, Png3d, Png3dWidth, Azimuth, Elevation, StepLimit, Integrator, Diagnostics, Summary, Theory,
  Ensemble, Seed, Distribution, Spread, Shard, Threads, Merge, Help
};

constexpr int minWidth = 16, maxWidth = 2048;  // [px] the side of the picture's X0Y view
// [px] the picture in space: from the window's smallest view to a poster's.
constexpr int minWidth3d = 200, maxWidth3d = 4096;

struct OptionRule {
  std::string name;
  Kind kind;
  const ControlDescription* control = nullptr;  // Kind::Control
  std::string accepts;  // what the option accepts, for the error line and the usage
};

std::string integratorChoices() {
  std::string choices;
  for (const IntegratorName& name : integratorNames) choices += (choices.empty() ? "" : " or ") + std::string(name.key);
  return choices;
}

// The options in the order of the usage: the scenario, every control of the control table
// but the slow-down (nothing is paced here), then the companion's own.
const std::vector<OptionRule>& rules() {
  static const std::vector<OptionRule> all = [] {
    std::vector<OptionRule> r{{"scenario", Kind::Scenario, nullptr, "a scenario file (.larmor)"}};
    for (const ControlDescription& control : controlTable)
      if (!(control.kind == ControlDescription::Kind::Bar && control.index == static_cast<int>(Bar::HScroll1)))
        r.push_back({control.key, Kind::Control, &control, acceptsText(control, Language::English)});
    r.push_back({"sep", Kind::Separator, nullptr, "one printable ASCII character other than a digit or a blank"});
    r.push_back({"png", Kind::Png, nullptr, "a file name for the picture"});
    r.push_back({"width", Kind::Width, nullptr,
                 "a whole number from " + std::to_string(minWidth) + " to " + std::to_string(maxWidth) +
                     " (pixels), with --png"});
    r.push_back({"png3d", Kind::Png3d, nullptr, "a file name for the picture in space"});
    r.push_back({"png3d-width", Kind::Png3dWidth, nullptr,
                 "a whole number from " + std::to_string(minWidth3d) + " to " + std::to_string(maxWidth3d) +
                     " (pixels), with --png3d"});
    r.push_back({"azimuth", Kind::Azimuth, nullptr, "degrees from -360 to 360, with --png3d"});
    r.push_back({"elevation", Kind::Elevation, nullptr, "degrees from -90 to 90, with --png3d"});
    r.push_back({"max-steps", Kind::StepLimit, nullptr, "a whole number from 1 to the run's own step limit"});
    r.push_back({"integrator", Kind::Integrator, nullptr, integratorChoices()});
    r.push_back({"diagnostics", Kind::Diagnostics, nullptr, "no value"});
    r.push_back({"summary", Kind::Summary, nullptr, "no value"});
    r.push_back({"theory", Kind::Theory, nullptr, "no value, with --summary"});
    r.push_back({"ensemble", Kind::Ensemble, nullptr, "a whole number of particles from 1 to 10000000"});
    r.push_back({"seed", Kind::Seed, nullptr, "a whole number from 0 to 2147483647, with --ensemble"});
    r.push_back({"distribution", Kind::Distribution, nullptr, "isotropic, cone or uniform-cos, with --ensemble"});
    r.push_back({"spread", Kind::Spread, nullptr, "an angle from 0 to 180 (degrees), with --ensemble"});
    r.push_back({"ensemble-shard", Kind::Shard, nullptr, "K/N, whole numbers with 1 <= K <= N <= 100000, with --ensemble"});
    r.push_back({"threads", Kind::Threads, nullptr, "a whole number from 1 to 256, with --ensemble"});
    r.push_back({"merge-ensemble", Kind::Merge, nullptr, "one or more ensemble CSV files"});
    r.push_back({"help", Kind::Help, nullptr, "no value"});
    return r;
  }();
  return all;
}

const OptionRule* findRule(const QString& name) {
  for (const OptionRule& rule : rules())
    if (name == QString::fromStdString(rule.name)) return &rule;
  if (name == QLatin1String("h")) return &rules().back();
  return nullptr;
}

bool takesValue(const OptionRule& rule) {
  return rule.kind != Kind::Summary && rule.kind != Kind::Help && rule.kind != Kind::Diagnostics &&
         rule.kind != Kind::Theory;
}

// A whole number within [lowest, highest].
std::optional<std::int64_t> wholeNumber(const std::string& text, std::int64_t lowest, std::int64_t highest) {
  const std::optional<double> value = decimalNumber(text);
  int position = 0;
  if (!value || fitToGrid(*value, 1.0, static_cast<int>(lowest), static_cast<int>(highest), position) != GridFit::Fits)
    return std::nullopt;
  return position;
}

// An error is one line on stderr whatever the argument held: control characters are
// written as escapes, so a typed line feed cannot split the message or fake a second one.
std::string oneLine(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (const unsigned char c : text) {
    if (c == '\n') {
      line += "\\n";
    } else if (c == '\t') {
      line += "\\t";
    } else if (c < 0x20 || c == 0x7f) {
      static const char hex[] = "0123456789abcdef";
      line += "\\x";
      line += hex[c >> 4];
      line += hex[c & 0xf];
    } else {
      line += static_cast<char>(c);
    }
  }
  return line;
}

std::string optionError(const OptionRule& rule, const std::string& value) {
  return "larmor-trace: --" + rule.name + " '" + value + "' is not accepted; it accepts " + rule.accepts;
}

void setUp(QCommandLineParser& parser) {
  // "-charge 3" means "--charge 3"; "-3" is no option of its own, so "--charge -3" works.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const OptionRule& rule : rules()) {
    QStringList names{QString::fromStdString(rule.name)};
    if (rule.kind == Kind::Help) names.prepend(QStringLiteral("h"));
    parser.addOption(QCommandLineOption(names, QString::fromStdString(rule.accepts),
                                        takesValue(rule) ? QStringLiteral("value") : QString()));
  }
}

// A control's value by the control table: a text as typed, else a number on the
// control's grid within its range.
std::string takeControl(const OptionRule& rule, const std::string& value, TraceOptions& options) {
  const ControlDescription& control = *rule.control;
  if (control.kind == ControlDescription::Kind::TextBox) {
    options.actions.push_back(settingAction(control, value));
    return {};
  }
  const std::optional<double> number = decimalNumber(value);
  int position = 0;
  if (!number || fitToGrid(control, *number, position) != GridFit::Fits) return optionError(rule, value);
  if (control.kind == ControlDescription::Kind::List) {
    options.configurations.push_back(position);
    options.configurationGiven = true;
  } else {
    options.actions.push_back(settingAction(control, position));
  }
  return {};
}

// Applies one option with its value to the options; returns the error line or "".
std::string take(const OptionRule& rule, const std::string& value, TraceOptions& options) {
  switch (rule.kind) {
    case Kind::Scenario:
      if (!options.scenarioPath.empty()) return "larmor-trace: --scenario may be given only once";
      if (value.empty()) return optionError(rule, value);
      options.scenarioPath = value;
      return {};
    case Kind::Control:
      return takeControl(rule, value, options);
    case Kind::Separator: {
      const bool fits = value.size() == 1 && value[0] > ' ' && value[0] < 0x7F && (value[0] < '0' || value[0] > '9');
      if (!fits) return optionError(rule, value);
      options.separator = value[0];
      return {};
    }
    case Kind::Png:
      if (value.empty()) return optionError(rule, value);
      options.pngPath = value;
      return {};
    case Kind::Width: {
      const std::optional<std::int64_t> width = wholeNumber(value, minWidth, maxWidth);
      if (!width) return optionError(rule, value);
      options.width = static_cast<int>(*width);
      return {};
    }
    case Kind::Png3d:
      if (value.empty()) return optionError(rule, value);
      options.png3dPath = value;
      return {};
    case Kind::Png3dWidth: {
      const std::optional<std::int64_t> width = wholeNumber(value, minWidth3d, maxWidth3d);
      if (!width) return optionError(rule, value);
      options.png3dWidth = static_cast<int>(*width);
      return {};
    }
    case Kind::Azimuth:
    case Kind::Elevation: {
      const double bound = rule.kind == Kind::Azimuth ? 360 : 90;
      const std::optional<double> degrees = decimalNumber(value);
      if (!degrees || !(std::abs(*degrees) <= bound)) return optionError(rule, value);
      (rule.kind == Kind::Azimuth ? options.azimuth : options.elevation) = *degrees;
      return {};
    }
    case Kind::StepLimit: {
      const std::optional<std::int64_t> limit = wholeNumber(value, 1, TrajectoryRun::maxSteps);
      if (!limit) return optionError(rule, value);
      options.maxSteps = *limit;
      return {};
    }
    case Kind::Integrator: {
      const std::optional<Integrator> integrator = integratorFromKey(value);
      if (!integrator) return optionError(rule, value);
      options.integrator = integrator;
      return {};
    }
    case Kind::Diagnostics:
      options.diagnostics = true;
      return {};
    case Kind::Summary:
      options.summary = true;
      return {};
    case Kind::Theory:
      options.theory = true;
      return {};
    case Kind::Ensemble: {
      const std::optional<std::int64_t> particles = wholeNumber(value, 1, 10000000);
      if (!particles) return optionError(rule, value);
      options.ensemble = *particles;
      return {};
    }
    case Kind::Seed: {
      const std::optional<std::int64_t> seed = wholeNumber(value, 0, 2147483647);
      if (!seed) return optionError(rule, value);
      options.seed = static_cast<std::uint64_t>(*seed);
      return {};
    }
    case Kind::Distribution: {
      const std::optional<Distribution> distribution = distributionFromKey(value);
      if (!distribution) return optionError(rule, value);
      options.distribution = *distribution;
      return {};
    }
    case Kind::Spread: {
      const std::optional<double> spread = decimalNumber(value);
      if (!spread || !(*spread >= 0 && *spread <= 180)) return optionError(rule, value);
      options.spreadDeg = *spread;
      return {};
    }
    case Kind::Shard: {
      const std::size_t slash = value.find('/');
      const std::optional<std::int64_t> k = slash == std::string::npos ? std::nullopt : wholeNumber(value.substr(0, slash), 1, 100000);
      const std::optional<std::int64_t> n = slash == std::string::npos ? std::nullopt : wholeNumber(value.substr(slash + 1), 1, 100000);
      if (!k || !n || *k > *n) return optionError(rule, value);
      options.shard = static_cast<int>(*k), options.shards = static_cast<int>(*n);
      return {};
    }
    case Kind::Threads: {
      const std::optional<std::int64_t> threads = wholeNumber(value, 1, 256);
      if (!threads) return optionError(rule, value);
      options.threads = static_cast<unsigned>(*threads);
      return {};
    }
    case Kind::Merge:
      if (value.empty()) return optionError(rule, value);
      options.mergeFiles.push_back(value);
      return {};
    case Kind::Help:
      options.help = true;
      return {};
  }
  return {};
}

// text broken into lines of at most 90 characters, the later ones indented.
std::string wrapped(const std::string& text, const std::string& indent) {
  std::string out, line;
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t to = text.find(' ', from);
    if (to == std::string::npos) to = text.size();
    const std::string word = text.substr(from, to - from);
    if (!line.empty() && line.size() + 1 + word.size() > 90) out += line + "\n", line = indent;
    line += (line.empty() || line == indent ? "" : " ") + word;
    from = to + 1;
  }
  return out + line + "\n";
}

}  // namespace

TraceParse parseTraceOptions(const QStringList& arguments) {
  TraceParse result;
  // Qt's parser checks the grammar; it keeps each option's values but not the relative
  // order of different options, which the companion needs: a second pass below takes
  // the options in the order they were given.
  QCommandLineParser parser;
  setUp(parser);
  const bool grammarOk = parser.parse(arguments);

  bool widthGiven = false, png3dWidthGiven = false, ensembleGiven = false;
  for (qsizetype i = 1; i < arguments.size() && result.ok(); ++i) {
    const QString& argument = arguments[i];
    const bool isOption = argument.size() > 1 && argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("--");
    if (!isOption) {
      result.error = "larmor-trace: unexpected argument '" + argument.toStdString() + "'; it takes options only (see --help)";
      break;
    }
    const QString body = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = body.indexOf(QLatin1Char('='));
    const QString name = equals < 0 ? body : body.left(equals);
    const OptionRule* rule = findRule(name);
    if (!rule) {
      result.error = "larmor-trace: unknown option '" + argument.section(QLatin1Char('='), 0, 0).toStdString() +
                     "' (see --help)";
      break;
    }
    std::string value;
    if (takesValue(*rule)) {
      if (equals >= 0) {
        value = body.mid(equals + 1).toStdString();
      } else if (i + 1 < arguments.size()) {
        // A minus sign starts many values ("-5"); only a known option's name is refused.
        const QString& next = arguments[i + 1];
        const QString nextName = next.mid(next.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
        if (next.size() > 1 && next.startsWith(QLatin1Char('-')) && findRule(nextName)) {
          result.error = "larmor-trace: --" + rule->name + " needs a value but is followed by the option " +
                         next.section(QLatin1Char('='), 0, 0).toStdString() + "; give such a value as --" +
                         rule->name + "=VALUE";
          break;
        }
        value = arguments[++i].toStdString();
      } else {
        result.error = "larmor-trace: --" + rule->name + " needs a value: " + rule->accepts;
        break;
      }
    } else if (equals >= 0) {
      result.error = "larmor-trace: --" + rule->name + " takes no value";
      break;
    }
    widthGiven = widthGiven || rule->kind == Kind::Width;
    png3dWidthGiven = png3dWidthGiven || rule->kind == Kind::Png3dWidth;
    ensembleGiven = ensembleGiven || (rule->kind >= Kind::Seed && rule->kind <= Kind::Threads);
    result.error = take(*rule, value, result.options);
    // The slices to merge are the arguments that follow, up to the next option.
    while (rule->kind == Kind::Merge && result.ok() && i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-')))
      result.error = take(*rule, arguments[++i].toStdString(), result.options);
  }

  if (result.ok() && !grammarOk) result.error = "larmor-trace: " + parser.errorText().toStdString();
  // A width without a picture is most likely a forgotten --png: say so rather than ignore it.
  if (result.ok() && widthGiven && result.options.pngPath.empty())
    result.error = "larmor-trace: --width is only accepted together with --png FILE";
  // The theory goes into the summary's JSON; the CSV has no place for it.
  if (result.ok() && (result.options.azimuth || result.options.elevation || png3dWidthGiven) &&
      result.options.png3dPath.empty())
    result.error = "larmor-trace: --png3d-width, --azimuth and --elevation are only accepted together with --png3d FILE";
  if (result.ok() && result.options.theory && !result.options.summary)
    result.error = "larmor-trace: --theory is only accepted together with --summary";
  // The diagnostics are columns of the CSV, which the summary replaces: refused rather than
  // dropped without a word.
  if (result.ok() && result.options.diagnostics && result.options.summary)
    result.error = "larmor-trace: --diagnostics adds columns to the CSV and is not accepted together with --summary";
  const TraceOptions& o = result.options;
  if (result.ok() && ensembleGiven && o.ensemble == 0)
    result.error = "larmor-trace: --seed, --distribution, --spread, --ensemble-shard and --threads are only accepted together with --ensemble";
  // A slice is half a result: its rows are for --merge-ensemble, which gives the summary.
  if (result.ok() && o.shards > 0 && o.summary)
    result.error = "larmor-trace: --ensemble-shard writes the slice's CSV for --merge-ensemble and is not accepted together with --summary";
  if (result.ok() && o.ensemble > 0 && o.diagnostics)
    result.error = "larmor-trace: --diagnostics adds columns to one run's CSV and is not accepted together with --ensemble";
  if (result.ok() && !o.mergeFiles.empty() && (o.ensemble > 0 || o.summary))
    result.error = "larmor-trace: --merge-ensemble writes the merged summary by itself and takes no --ensemble or --summary";
  if (result.ok() && result.options.configurations.empty()) result.options.configurations.push_back(1);
  result.error = oneLine(result.error);
  return result;
}

std::string oneLineText(const std::string& text) { return oneLine(text); }

std::string traceUsage() {
  std::string usage =
      "Usage: larmor-trace [options]\n"
      "Runs one simulation as the start button of the window does and writes every step as CSV\n"
      "(step,t,x,y,z,vx,vy,vz,dV) to standard output.\n"
      "A scenario, if given, sets every control first; then the field structure is chosen, and\n"
      "every other option acts, in the order given, as its control in the window would.\n\nOptions:\n";
  for (const OptionRule& rule : rules()) {
    std::string left = "  --" + rule.name + (takesValue(rule) ? " VALUE" : "");
    if (rule.kind == Kind::Help) left = "  -h, --help";
    left.resize(std::max<std::size_t>(left.size() + 1, 20), ' ');
    std::string description = rule.accepts;
    if (rule.kind == Kind::Summary) description = "one JSON object with the captions, the step count and the end point instead of the CSV";
    if (rule.kind == Kind::Help) description = "this text";
    if (rule.kind == Kind::Png) description = "also draw both views after the run into this PNG file";
    if (rule.kind == Kind::Png3d)
      description = "also draw the path in space after the run, as the 3-D view shows it, into this PNG file "
                    "(" + std::to_string(OrbitCamera::startWidth) + " x " + std::to_string(OrbitCamera::startHeight) +
                    " pixels unless --png3d-width)";
    if (rule.kind == Kind::Png3dWidth)
      description = "with --png3d: the picture's width, " + std::to_string(minWidth3d) + " to " + std::to_string(maxWidth3d) +
                    " pixels (default " + std::to_string(OrbitCamera::startWidth) + "); its height keeps the view's " +
                    std::to_string(OrbitCamera::startWidth / std::gcd(OrbitCamera::startWidth, OrbitCamera::startHeight)) + ":" +
                    std::to_string(OrbitCamera::startHeight / std::gcd(OrbitCamera::startWidth, OrbitCamera::startHeight)) +
                    " proportion";
    if (rule.kind == Kind::Azimuth || rule.kind == Kind::Elevation)
      description = "with --png3d: the view's " + std::string(rule.kind == Kind::Azimuth ? "azimuth about OZ from OX" : "elevation above the X0Y plane") +
                    ", " + rule.accepts.substr(0, rule.accepts.find(',')) + " (default " +
                    std::to_string(static_cast<int>(rule.kind == Kind::Azimuth ? OrbitCamera::startAzimuth : OrbitCamera::startElevation)) + ")";
    if (rule.kind == Kind::Separator)
      description = "the decimal separator of the summary's captions and dV text, as the window takes it from "
                    "the regional settings (default " + std::string(1, TraceOptions().separator) + "): " + rule.accepts +
                    "; the CSV always writes .";
    if (rule.kind == Kind::Width)
      description = "with --png: the side of the square X0Y view, " + std::to_string(minWidth) + " to " +
                    std::to_string(maxWidth) + " pixels (default " +
                    std::to_string(TraceOptions().width) + "); the X0Z view beside it is twice as wide";
    if (rule.kind == Kind::Scenario)
      description = "set every control from this scenario file (.larmor) first, as the window opens it; "
                    "the other options then change it";
    if (rule.kind == Kind::Integrator)
      description = "rk4 (the default: the fourth-order Runge-Kutta run) or boris (the Boris pusher, which "
                    "keeps the speed); with --scenario, the scenario's unless given";
    if (rule.kind == Kind::Theory)
      description = "with --summary: add the guiding-centre theory against the run (below)";
    if (rule.kind == Kind::Diagnostics)
      description = "add the columns mu_ratio,pitch_deg,B,rho to the CSV (not with --summary)";
    if (rule.kind == Kind::Ensemble)
      description = "run this many particles from the start point and speed: their CSV instead of the run's, or added to --summary (see Ensembles below)";
    if (rule.kind == Kind::Merge)
      description = "merge the CSVs of --ensemble-shard slices into the ensemble's summary object";
    if (rule.kind == Kind::StepLimit)
      description = "at most this many steps, 1 to " + std::to_string(TrajectoryRun::maxSteps) +
                    " (the run's own limit); a run stopped there is cut short";
    usage += left + description + "\n";
  }
  usage +=
      "\nColumns: step is the number of steps made, t [s] the time after the step, x y z [m] the\n"
      "position, vx vy vz [m/s] the Cartesian velocity in either frame, dV [%] the speed error;\n"
      "with --diagnostics, mu_ratio is the magnetic moment m*v_perp^2/(2|B|) over its start value, pitch_deg\n"
      "[deg] the angle between v and the local B, B [T] the field at the particle, rho [m] the distance\n"
      "from the OZ axis (nan where undefined, e.g. mu_ratio in a zero field);\n"
      "every number is the shortest text that reads back as the same double.\n"
      "The summary also names the integrator (\"integrator\": \"rk4\" or \"boris\").\n"
      "A run stops at its end time, or at its step limit: then one line on standard error says\n"
      "after how many steps it was cut, and the summary holds \"complete\": false.\n"
      "With --theory the summary ends in \"theory\": {\"KEY\": {\"predicted\": P, \"measured\": M,\n"
      "\"holds\": H, \"why\": W}, ...}: the guiding-centre theory from the start state against the run,\n"
      "in SI units. A value is null where it is not predicted or cannot be measured in this run\n"
      "(no whole gyration, no reflection; the run cut at its step limit or stopped on a broken\n"
      "state). Gyrations are counted by the gyrophase, the angle through which the velocity across\n"
      "the local field turns; whatever is measured per gyration is taken over whole gyrations only.\n"
      "H is the verdict on the prediction for this start, from the lengths that matter for the\n"
      "quantity (the Larmor radius against S, the guiding centre's distance from the axis, the\n"
      "field line's radius or the scales along the trap's field line; exact laws hold whatever\n"
      "they are): \"yes\" (what the formula leaves out is at most 3 %), \"marginal\" (at most\n"
      "15 %), \"no\", or null where nothing is predicted; W says why in one line, and names the\n"
      "run's own speed error where it is comparable to the difference.\n"
      "The keys, by field structure (--config):\n";
  for (const QuantityText& q : quantityTexts()) {
    std::string head = std::string(q.structures) + ": " + q.key;
    if (*q.unitEnglish) head += " [" + std::string(q.unitEnglish) + "]";
    usage += "  " + wrapped(head + "  " + q.explanation[1], "        ");
  }
  usage +=
      "Ensembles: --ensemble N runs N particles from the start point at the set speed, each a run of\n"
      "its own (the integrator's, at most 400 cyclotron periods; in a trap until it is turned back\n"
      "at both ends or escapes), on every core, the same bits for a seed whatever the threads.\n"
      "Directions: isotropic; cone: pitch to the field at the start within alpha +- spread (10);\n"
      "uniform-cos: cos(pitch) uniform in [0, 1]. Without --summary it writes one CSV row per\n"
      "particle (index,pitch_deg,outcome,t,steps,drift_predicted,drift_measured) under a line\n"
      "naming the ensemble; with --summary the summary holds \"ensemble\": {\"particles\", \"trapped\":\n"
      "{\"predicted\" (cos of the loss cone for isotropic), \"measured\" (the fraction that did not\n"
      "escape), \"error\", \"count\" (seen turning at both ends)},\n"
      "\"escaped\": {\"up\", \"down\", \"meanTime\"}, \"undecided\", \"drift\", ...}. --ensemble-shard K/N\n"
      "writes only the K-th of N slices; --merge-ensemble FILES... prints {\"ensemble\": ...} of\n"
      "the whole, the same bits as one run of all of it.\n"
      "Section 8 of the help (spravka) explains each quantity and its verdict.\n"
      "Exit status: 0 done (a cut run included); 1 the picture could not be written; 2 bad\n"
      "options or a scenario that cannot be read or is refused (one line on standard error,\n"
      "nothing on standard output).\n";
  return usage;
}

}  // namespace larmor
