#pragma once

#include "model/Language.h"
#include "panel/ControlPanel.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace larmor {

// A lesson kept in a file (".larmor"): every control of the panel as the user left it,
// the selected field structure, the integrator of the next run, and an optional title and
// description. The file (ScenarioJson.h) names the controls by the keys of the control
// table, as the companion's options do, so a file and a command line read alike.
struct Scenario {
  std::string title;
  std::string description;
  // The same in English ("titleEn", "descriptionEn"), for the English window; optional.
  std::string titleEnglish;
  std::string descriptionEnglish;
  // The title and description a window in this language shows: the English ones where the
  // lesson has them, else the lesson's own.
  const std::string& titleIn(Language language) const {
    return language == Language::English && !titleEnglish.empty() ? titleEnglish : title;
  }
  const std::string& descriptionIn(Language language) const {
    return language == Language::English && !descriptionEnglish.empty() ? descriptionEnglish : description;
  }
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
    // The bars of the positions above, in this order.
    static constexpr std::array<Bar, 5> bars = {Bar::VScroll1, Bar::VScroll2, Bar::VScroll5, Bar::VScroll4,
                                                Bar::VScroll6};
    int& operator[](std::size_t k) {
      int* const held[] = {&charge, &mass, &field, &speed, &alpha};
      return *held[k];
    }
    int operator[](std::size_t k) const {
      const int held[] = {charge, mass, field, speed, alpha};
      return held[k];
    }
    bool operator==(const KeptFrom& o) const {
      return charge == o.charge && mass == o.mass && field == o.field && speed == o.speed && alpha == o.alpha;
    }
  };
  std::optional<KeptFrom> keptFrom;

  int position(Bar bar) const { return positions[static_cast<std::size_t>(bar)]; }
  const std::string& text(TextBox box) const { return texts[static_cast<std::size_t>(box)]; }
  // The charge or the field at 0: no frequency, so the kept quantities matter.
  bool frequencyIsZero() const { return position(Bar::VScroll1) == 0 || position(Bar::VScroll5) == 0; }
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

}  // namespace larmor
