#include "panel/ScenarioActions.h"

#include "model/FieldChoice.h"
#include "model/SimParams.h"

namespace larmor {

std::vector<PanelAction> scenarioActions(const Scenario& s) {
  std::vector<PanelAction> actions;
  auto move = [&actions](Bar bar, int to) { actions.push_back(PanelAction::moveBar(bar, to)); };
  // A position next to p on the bar, for a move away and back.
  auto beside = [](Bar bar, int p) { return p < barRange(bar).highest ? p + 1 : p - 1; };

  actions.push_back(PanelAction::chooseIntegrator(s.integrator));
  // With no frequency the period, radius and pitch of the last recompute with a field stay:
  // make that recompute first, then zero the charge or the field, before anything else.
  if (s.frequencyIsZero()) {
    const Scenario::KeptFrom kept = s.keptFrom.value_or(Scenario::KeptFrom{
        s.position(Bar::VScroll1) != 0 ? s.position(Bar::VScroll1) : startPosition::charge, s.position(Bar::VScroll2),
        s.position(Bar::VScroll5) != 0 ? s.position(Bar::VScroll5) : startPosition::field, s.position(Bar::VScroll4),
        s.position(Bar::VScroll6)});
    move(Bar::VScroll1, kept.charge);
    move(Bar::VScroll2, kept.mass);
    move(Bar::VScroll5, kept.field);
    move(Bar::VScroll4, kept.speed);
    move(Bar::VScroll6, kept.alpha);
    if (s.position(Bar::VScroll1) == 0) move(Bar::VScroll1, 0);
    if (s.position(Bar::VScroll5) == 0) move(Bar::VScroll5, 0);
  }
  for (const Bar bar : {Bar::VScroll1, Bar::VScroll2, Bar::VScroll4, Bar::VScroll6, Bar::VScroll10, Bar::VScroll5,
                        Bar::VScroll3, Bar::VScroll8, Bar::HScroll1})
    move(bar, s.position(bar));
  actions.push_back(PanelAction::typeText(TextBox::Text3, s.text(TextBox::Text3)));
  actions.push_back(PanelAction::typeText(TextBox::Text2, s.text(TextBox::Text2)));

  // The selection puts the list's x0 and moves the bar to it; the bar's handler then runs,
  // and gives position × 0.1, only when the bar really moved. So the bar stands beside
  // the list's position first, unless the file keeps the list's own value.
  const int x0 = s.position(Bar::VScroll7);
  const int listed = positionFromCoordinate(fieldChoice(static_cast<FieldConfig>(s.config)).x0);
  move(Bar::VScroll7, s.x0FromList ? listed : x0 != listed ? x0 : beside(Bar::VScroll7, listed));
  actions.push_back(PanelAction::selectEntry(s.config - 1));
  move(Bar::VScroll7, x0);
  move(Bar::VScroll9, s.position(Bar::VScroll9));
  actions.push_back(PanelAction::typeText(TextBox::Text1, s.text(TextBox::Text1)));

  if (s.velocityPicture) {  // an angle touched after the selection, as the user did
    const int alpha = s.position(Bar::VScroll6);
    move(Bar::VScroll6, beside(Bar::VScroll6, alpha));
    move(Bar::VScroll6, alpha);
  }
  return actions;
}

void applyScenario(ControlPanel& panel, const Scenario& scenario) {
  for (const PanelAction& action : scenarioActions(scenario)) perform(panel, action);
}

}  // namespace larmor
