#include "cli/ScriptedUser.h"

#include "model/FieldChoice.h"
#include "model/SimParams.h"
#include "model/TextRules.h"
#include "views/Views.h"

namespace larmor {

namespace {

// Sets a bar's position; true when it moved, which is when its handler runs.
bool moveBar(int& position, int target) {
  if (position == target) return false;
  position = target;
  return true;
}

}  // namespace

ScriptedUser::ScriptedUser(char decimalSeparator, Views* views)
    : m_separator(decimalSeparator),
      m_views(views),
      m_chargePosition(startPosition::charge),
      m_x0Position(startPosition::x0),
      m_z0Position(startPosition::z0),
      m_text1(twoDecimalsText(SimParams{}.S)) {}

void ScriptedUser::startUp() {
  m_state = SimulationState{};
  if (m_views) m_views->SetMarkerColours(m_chargePosition);
  // The start-up selection of the first entry: the handlers are still silent then, so
  // x0 and z0 keep their literal values.
  m_state.fieldConfig = 1;
  m_state.params.x0 = fieldChoice(1).x0;
  m_state.params.z0 = fieldChoice(1).z0;
  recompute();
  recompute();  // the first resize of the shown window
}

void ScriptedUser::selectConfiguration(int config) {
  if (config < 1 || config > fieldConfigCount) {
    recompute();
    return;
  }
  const FieldChoice& choice = fieldChoice(static_cast<FieldConfig>(config));
  m_state.fieldConfig = static_cast<FieldConfig>(config);
  if (choice.S) {
    m_state.params.S = *choice.S;
    const std::string text = twoDecimalsText(m_state.params.S);
    if (text != m_text1) {
      m_text1 = text;
      Text1_Change();
    }
  }
  m_state.params.x0 = choice.x0;
  if (moveBar(m_x0Position, positionFromCoordinate(m_state.params.x0))) VScroll7_Change();
  m_state.params.z0 = choice.z0;
  if (moveBar(m_z0Position, positionFromCoordinate(m_state.params.z0))) VScroll9_Change();
  recompute();
}

void ScriptedUser::Text1_Change() {
  m_state.params.S = lengthFromText(m_text1);
  recompute();
}

void ScriptedUser::VScroll7_Change() {
  m_state.params.x0 = coordinateFromPosition(m_x0Position);
  recompute();
}

void ScriptedUser::VScroll9_Change() {
  m_state.params.z0 = z0FromPosition(m_z0Position);
  recompute();
}

void ScriptedUser::apply(const TraceAction& action) {
  SimParams& p = m_state.params;
  const int position = action.position;
  switch (action.control) {
    case TraceControl::Charge:
      m_chargePosition = position;
      p.q = chargeFromPosition(position);
      if (m_views) m_views->SetMarkerColours(position);
      break;
    case TraceControl::Mass:
      p.m = massFromPosition(position);
      break;
    case TraceControl::Speed:
      p.v = static_cast<std::int16_t>(position);
      break;
    case TraceControl::Alpha:
      p.alpha = static_cast<std::int16_t>(position);
      p.alphaRad = angleRadFromDegrees(position);
      break;
    case TraceControl::Beta:
      p.beta = static_cast<std::int16_t>(position);
      p.betaRad = betaRadFromDegrees(position);
      break;
    case TraceControl::Field:
      p.Bo = fieldFromPosition(position);
      break;
    case TraceControl::Region:
      p.regionSize = static_cast<std::int16_t>(position);
      break;
    case TraceControl::X0:
      m_x0Position = position;
      VScroll7_Change();
      return;
    case TraceControl::Y0:
      p.y0 = coordinateFromPosition(position);
      break;
    case TraceControl::Z0:
      m_z0Position = position;
      VScroll9_Change();
      return;
    case TraceControl::S:
      m_text1 = action.text;
      Text1_Change();
      return;
    case TraceControl::D:
      p.d = lengthFromText(action.text);
      break;
    case TraceControl::Periods:
      // The run-length box only stores its value: the start button recomputes anyway.
      p.periods = periodsFromText(action.text);
      return;
  }
  recompute();
}

void ScriptedUser::recompute() {
  m_captions = m_state.computeQuantities(m_separator);
  ++m_recomputes;
  if (m_views) m_views->Redraw(m_state);
}

}  // namespace larmor
