#pragma once

#include "panel/ControlPanel.h"
#include "panel/PanelAction.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace larmor {

// A lesson kept in a file (".larmor"): every control of the panel as the user left it,
// the selected field structure, the integrator of the next run, and an optional title and
// description. The file is UTF-8 JSON; its keys and units are those of the companion's
// options (--charge, --x0, --field …), so a file and a command line read alike:
//
//   {"format": "larmor-scenario", "version": 1, "title": "…", "description": "…",
//    "config": 1, "charge": 1, "mass": 1, "speed": 22000, "alpha": 83, "beta": 60,
//    "field": 0.0005, "region": 5, "x0": 1.0, "y0": 0.5, "z0": -4.0,
//    "S": "3.30", "d": "5.00", "periods": " 25", "slowdown": 3,
//    "integrator": "rk4", "picture": "structure"}
struct Scenario {
  std::string title;
  std::string description;
  int config = 1;                               // the selected structure, 1..7
  std::array<int, barCount> positions{};        // every bar, the slow-down (HScroll1) included
  std::array<std::string, textBoxCount> texts;  // as typed
  Integrator integrator = Integrator::Rk4;
  // The illustration showed the velocity picture (an angle was moved after the last
  // selection) rather than the structure's own.
  bool velocityPicture = false;
  // x0 holds the start value the list put there, not the bar's position × 0.1. The two
  // differ in the last bit for the second trap (0.3 against 3 × 0.1): choosing the
  // structure again while the bar already stands at 3 leaves the list's value.
  bool x0FromList = false;
  // With the charge or the field at 0 the frequency is 0 and the period, radius and pitch
  // keep the values of the last recompute that had a field; a run's step and end time come
  // from that period. These are the charge, mass, field, speed and alpha positions of such
  // a recompute. Absent in a file with charge and field at 0 means: as if the bar that is
  // at 0 had been moved there from its start-up position.
  struct KeptFrom {
    int charge, mass, field, speed, alpha;
    bool operator==(const KeptFrom& o) const {
      return charge == o.charge && mass == o.mass && field == o.field && speed == o.speed && alpha == o.alpha;
    }
  };
  std::optional<KeptFrom> keptFrom;

  bool operator==(const Scenario& other) const;
};

inline constexpr const char* scenarioFormat = "larmor-scenario";
inline constexpr int scenarioVersion = 1;
inline constexpr std::size_t scenarioMaxBytes = 1 << 20;  // a lesson is a few hundred bytes
inline constexpr std::size_t scenarioMaxTitle = 200;       // [characters]
inline constexpr std::size_t scenarioMaxDescription = 4000;
inline constexpr std::size_t scenarioMaxText = 32767;      // what a text box holds

// What the panel holds now, with the given title and description.
Scenario scenarioOf(const ControlPanel& panel, std::string title = {}, std::string description = {});

// The file's text: pretty-printed JSON, keys in a fixed order, a line feed at the end.
std::string scenarioJson(const Scenario& scenario);

// The first thing wrong with a file, in terms a message can name.
struct ScenarioProblem {
  enum class Kind {
    TooLarge,      // more than scenarioMaxBytes
    NotJson,       // byte: where the reader stopped; 0 for a file of nothing but blanks
    NotAnObject,   // JSON, but not an object
    NotAScenario,  // no "format": "larmor-scenario"
    NewerVersion,  // value: the version
    BadVersion,    // not a whole number from 1
    Missing,       // key
    Duplicate,     // key
    Unknown,       // key
    WrongType,     // key: a number, a text or true/false expected
    OffRange,      // key, value: outside the control's range
    OffGrid,       // key, value: between two positions of the control
    TooLong,       // key: a text longer than its limit
    BadChoice,     // key, value: not one of the names the key accepts
    X0NotFromList, // x0FromList with an x0 the list does not put there
    NotKept,       // keptFrom in a file whose frequency is not 0, or with a charge or field of 0
  };
  Kind kind = Kind::NotJson;
  std::string key;
  std::string value;  // as written in the file
  std::size_t byte = 0;
};

enum class Language { Russian, English };

// One sentence naming the problem, for the window (Russian) or the companion (English).
std::string problemText(const ScenarioProblem& problem, Language language);

struct ScenarioRead {
  Scenario scenario;
  std::optional<ScenarioProblem> problem;
  bool ok() const { return !problem; }
};

// Reads and checks a whole file; nothing of a file with a problem is taken.
ScenarioRead readScenario(std::string_view bytes);

// The user's actions that set the panel to the scenario, from whatever it showed before.
// The selection rewrites x0, z0 and S, so the bars and texts it leaves alone come first,
// then the selection, then the three it rewrote; the result depends on the file alone.
std::vector<PanelAction> scenarioActions(const Scenario& scenario);
void applyScenario(ControlPanel& panel, const Scenario& scenario);

// Whether a value lies on a control's grid (position × unit) within its range, and at
// which position. A value within a millionth of a step of a grid point counts as on it:
// decimal texts such as 0.3 are not exact multiples of 0.1 in binary.
enum class GridFit { Fits, OffRange, OffGrid };
GridFit fitToGrid(double value, double unit, int lowest, int highest, int& position);

}  // namespace larmor
