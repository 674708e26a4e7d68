#include "panel/PanelAction.h"

namespace larmor {

void perform(ControlPanel& panel, const PanelAction& action) {
  switch (action.kind) {
    case PanelAction::Kind::MoveBar: return panel.moveBar(static_cast<Bar>(action.control), action.value);
    case PanelAction::Kind::TypeText: return panel.typeText(static_cast<TextBox>(action.control), action.text);
    case PanelAction::Kind::SelectEntry: return panel.selectEntry(action.value);
    case PanelAction::Kind::ChooseIntegrator: return panel.chooseIntegrator(static_cast<Integrator>(action.value));
    case PanelAction::Kind::Recompute: return panel.RecomputeQuantities();
  }
}

void startUpAsTheWindow(ControlPanel& panel) {
  panel.Form_Load();
  panel.RecomputeQuantities();
}

}  // namespace larmor
