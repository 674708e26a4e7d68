#include "cli/PanelScript.h"


namespace larmor {

void startUpAsTheWindow(ControlPanel& panel) {
  panel.Form_Load();
  panel.RecomputeQuantities();  // the first resize of the shown window
}

void selectConfiguration(ControlPanel& panel, int config) { panel.selectEntry(config - 1); }

void applyTraceAction(ControlPanel& panel, const TraceAction& action) {
  switch (action.control) {
    case TraceControl::Charge: return panel.moveBar(Bar::VScroll1, action.position);
    case TraceControl::Mass: return panel.moveBar(Bar::VScroll2, action.position);
    case TraceControl::Speed: return panel.moveBar(Bar::VScroll4, action.position);
    case TraceControl::Alpha: return panel.moveBar(Bar::VScroll6, action.position);
    case TraceControl::Beta: return panel.moveBar(Bar::VScroll10, action.position);
    case TraceControl::Field: return panel.moveBar(Bar::VScroll5, action.position);
    case TraceControl::Region: return panel.moveBar(Bar::VScroll3, action.position);
    case TraceControl::X0: return panel.moveBar(Bar::VScroll7, action.position);
    case TraceControl::Y0: return panel.moveBar(Bar::VScroll8, action.position);
    case TraceControl::Z0: return panel.moveBar(Bar::VScroll9, action.position);
    case TraceControl::S: return panel.typeText(TextBox::Text1, action.text);
    case TraceControl::D: return panel.typeText(TextBox::Text3, action.text);
    case TraceControl::Periods: return panel.typeText(TextBox::Text2, action.text);
  }
}

void applyTraceOptions(ControlPanel& panel, const TraceOptions& options) {
  startUpAsTheWindow(panel);
  for (const int config : options.configurations) selectConfiguration(panel, config);
  for (const TraceAction& action : options.actions) applyTraceAction(panel, action);
}

ResultCaptions resultCaptions(const ControlPanel& panel) {
  return {panel.caption(13), panel.caption(14), panel.caption(17), panel.caption(18)};
}

}  // namespace larmor
