#pragma once

#include "cli/TraceOptions.h"

#include "model/Quantities.h"
#include "model/SimulationState.h"

#include <string>

namespace larmor {

class Views;

// Acts as a user of the window after start-up: it keeps the positions and texts of the
// controls the options stand for, and applies each value as that control's handler would
// (the value rule, the captions' recompute), including the handlers that the list
// selection sets off when it moves a bar or rewrites the S box.
class ScriptedUser {
public:
  // views: the pictures to redraw at every recompute, or nullptr when nothing is drawn.
  explicit ScriptedUser(char decimalSeparator, Views* views = nullptr);

  // The state the window shows after start-up: the start values, the first selection
  // and the recompute of the first resize.
  void startUp();
  // The configuration list's selection of configuration 1..7.
  void selectConfiguration(int config);
  void apply(const TraceAction& action);
  // RecomputeQuantities: quantities and captions, the particle at its start, the redraw.
  void recompute();

  SimulationState& state() { return m_state; }
  const SimulationState& state() const { return m_state; }
  const ResultCaptions& captions() const { return m_captions; }
  int recomputeCount() const { return m_recomputes; }
  // VScroll1's position: it colours the markers and the trail.
  int chargePosition() const { return m_chargePosition; }
  char decimalSeparator() const { return m_separator; }

private:
  void Text1_Change();
  void VScroll7_Change();
  void VScroll9_Change();

  SimulationState m_state;
  ResultCaptions m_captions;
  char m_separator;
  Views* m_views;
  int m_recomputes = 0;

  // Controls whose position or text a selection reads back.
  int m_chargePosition;  // VScroll1
  int m_x0Position;      // VScroll7
  int m_z0Position;      // VScroll9
  std::string m_text1;   // Text1
};

}  // namespace larmor
