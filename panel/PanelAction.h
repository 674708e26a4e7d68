#pragma once

#include "panel/ControlPanel.h"

#include <string>

namespace larmor {

// One thing a user does to the panel: a bar moved, a text typed, an entry selected, an
// integrator chosen, or a bare recompute (a resize of the window). Kept so that a list of
// them can be applied later exactly as the user made them: a scenario opened, a run replayed.
struct PanelAction {
  enum class Kind { MoveBar, TypeText, SelectEntry, ChooseIntegrator, Recompute };
  Kind kind = Kind::Recompute;
  int control = 0;  // the Bar or TextBox, as its number
  int value = 0;    // a bar's position, an entry's row, an integrator
  std::string text;

  static PanelAction moveBar(Bar bar, int position) { return {Kind::MoveBar, static_cast<int>(bar), position, {}}; }
  static PanelAction typeText(TextBox box, std::string text) {
    return {Kind::TypeText, static_cast<int>(box), 0, std::move(text)};
  }
  static PanelAction selectEntry(int row) { return {Kind::SelectEntry, 0, row, {}}; }
  static PanelAction chooseIntegrator(Integrator integrator) {
    return {Kind::ChooseIntegrator, 0, static_cast<int>(integrator), {}};
  }
  static PanelAction recompute() { return {}; }

  bool operator==(const PanelAction& other) const {
    return kind == other.kind && control == other.control && value == other.value && text == other.text;
  }
};

// Applies the action through the panel's user entry points, so its handlers run as the
// window's widgets would run them.
void perform(ControlPanel& panel, const PanelAction& action);

// What the window does before its user can act: start-up, then the recompute of the first
// resize of the shown window. The companion and the documents' figures start from here.
void startUpAsTheWindow(ControlPanel& panel);

}  // namespace larmor
