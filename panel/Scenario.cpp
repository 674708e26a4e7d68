#include "panel/Scenario.h"

#include "model/FieldChoice.h"
#include "model/SimParams.h"
#include "panel/KeptFromSearch.h"

namespace larmor {

bool Scenario::operator==(const Scenario& other) const {
  return title == other.title && description == other.description && titleEnglish == other.titleEnglish &&
         descriptionEnglish == other.descriptionEnglish && config == other.config &&
         positions == other.positions && texts == other.texts && integrator == other.integrator &&
         velocityPicture == other.velocityPicture && x0FromList == other.x0FromList && keptFrom == other.keptFrom;
}

Scenario scenarioOf(const ControlPanel& panel, std::string title, std::string description) {
  Scenario s;
  s.title = std::move(title);
  s.description = std::move(description);
  s.config = panel.selectedEntry() >= 0 ? panel.selectedEntry() + 1 : panel.state().fieldConfig;
  for (std::size_t i = 0; i < barCount; ++i) s.positions[i] = panel.position(static_cast<Bar>(i));
  for (std::size_t i = 0; i < textBoxCount; ++i) s.texts[i] = panel.text(static_cast<TextBox>(i));
  s.integrator = panel.integrator();
  s.velocityPicture = panel.picture() == velocityPictureName;
  s.x0FromList = panel.state().params.x0 != coordinateFromPosition(panel.position(Bar::VScroll7));
  if (s.frequencyIsZero()) s.keptFrom = findKeptFrom(panel.state().quantities);
  return s;
}

}  // namespace larmor
