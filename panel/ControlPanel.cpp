#include "panel/ControlPanel.h"

#include "model/FieldChoice.h"
#include "model/SimParams.h"
#include "model/TextRules.h"

namespace larmor {

ControlPanel::ControlPanel(char decimalSeparator)
    : m_separator(decimalSeparator), m_texts{"Text1", "Text2", "Text3"} {
  for (std::size_t i = 0; i < barCount; ++i) m_positions[i] = barRanges[i].designPosition;
}

void ControlPanel::Form_Load() {
  m_ready = 0;
  InitState();
  m_ready = 1;
}

void ControlPanel::InitState() {
  SimParams& p = m_state.params;
  p = SimParams{};

  setBar(Bar::VScroll1, startPosition::charge);
  setCaption(4, chargeText(p.q));
  setTooltip(4, chargeValueTooltip(startPosition::charge, m_language));
  if (m_observer) m_observer->markerColoursChanged(startPosition::charge);

  setBar(Bar::VScroll2, startPosition::mass);
  setTooltip(5, massValueTooltip(startPosition::mass, m_language));
  setCaption(5, massText(p.m, startPosition::mass));

  setBar(Bar::VScroll4, startPosition::speed);
  setCaption(10, integerText(p.v));
  setBar(Bar::VScroll6, startPosition::alpha);
  setCaption(16, integerText(p.alpha));
  setBar(Bar::VScroll10, startPosition::beta);
  setCaption(25, integerText(p.beta));
  setBar(Bar::VScroll5, startPosition::field);
  setCaption(12, fieldText(p.Bo));

  selectEntry(0);  // the first recompute

  setText(TextBox::Text1, valueText(p.S, "0.00"));
  setText(TextBox::Text3, valueText(p.d, "0.00"));
  setText(TextBox::Text2, signedText(static_cast<long long>(p.periods)));
  showLengthInputs(false, false);

  setBar(Bar::VScroll3, startPosition::region);
  setCaption(6, twoDecimalsText(p.regionSize));
  setBar(Bar::VScroll7, positionFromCoordinate(p.x0));
  setCaption(19, twoDecimalsText(p.x0));
  setBar(Bar::VScroll8, positionFromCoordinate(p.y0));
  setCaption(21, twoDecimalsText(p.y0));
  setBar(Bar::VScroll9, positionFromCoordinate(p.z0));
  setCaption(23, twoDecimalsText(p.z0));

  setBar(Bar::HScroll1, startPosition::slowdown);
  setCaption(29, integerText(p.slowdown));

  m_state.fieldConfig = 1;
  choosePicture(startUpPictureName);
}

void ControlPanel::moveBar(Bar bar, int position) {
  position = clampToBar(bar, position);
  int& held = m_positions[static_cast<std::size_t>(bar)];
  if (held == position) return;
  held = position;
  runHandler(bar);
}

void ControlPanel::typeText(TextBox box, const std::string& text) {
  std::string& held = m_texts[static_cast<std::size_t>(box)];
  if (held == text) return;
  held = text;
  runHandler(box);
}

void ControlPanel::selectEntry(int row) {
  m_selectedEntry = row >= 0 && row < fieldConfigCount ? row : -1;
  if (m_observer) m_observer->entrySelected(m_selectedEntry);
  List1_Click();
}

void ControlPanel::setBar(Bar bar, int position) {
  position = clampToBar(bar, position);
  int& held = m_positions[static_cast<std::size_t>(bar)];
  if (held == position) return;
  held = position;
  if (m_observer) m_observer->barSet(bar, position);
  runHandler(bar);
}

void ControlPanel::setText(TextBox box, const std::string& text) {
  std::string& held = m_texts[static_cast<std::size_t>(box)];
  if (held == text) return;
  held = text;
  if (m_observer) m_observer->textSet(box, text);
  runHandler(box);
}

void ControlPanel::runHandler(Bar bar) {
  switch (bar) {
    case Bar::VScroll1: return VScroll1_Change();
    case Bar::VScroll2: return VScroll2_Change();
    case Bar::VScroll3: return VScroll3_Change();
    case Bar::VScroll4: return VScroll4_Change();
    case Bar::VScroll5: return VScroll5_Change();
    case Bar::VScroll6: return VScroll6_Change();
    case Bar::VScroll7: return VScroll7_Change();
    case Bar::VScroll8: return VScroll8_Change();
    case Bar::VScroll9: return VScroll9_Change();
    case Bar::VScroll10: return VScroll10_Change();
    case Bar::HScroll1: return HScroll1_Change();
  }
}

void ControlPanel::runHandler(TextBox box) {
  switch (box) {
    case TextBox::Text1: return Text1_Change();
    case TextBox::Text2: return Text2_Change();
    case TextBox::Text3: return Text3_Change();
  }
}

void ControlPanel::setCaption(int label, const std::string& text) {
  m_captions.at(static_cast<std::size_t>(label)) = text;
  if (m_observer) m_observer->captionSet(label, text);
}

void ControlPanel::setTooltip(int label, const std::string& text) {
  m_tooltips.at(static_cast<std::size_t>(label)) = text;
  if (m_observer) m_observer->tooltipSet(label, text);
}

void ControlPanel::showLengthInputs(bool showS, bool showD) {
  m_showS = showS;
  m_showD = showD;
  if (m_observer) m_observer->lengthInputsShown(showS, showD);
}

void ControlPanel::choosePicture(const std::string& bareName) {
  m_picture = bareName;
  if (m_observer) m_observer->pictureChosen(bareName);
}

// The list is read by its text, as the entries are named; the recompute always runs,
// also while start-up is still under way.
void ControlPanel::List1_Click() {
  const FieldConfig config =
      m_selectedEntry >= 0 ? fieldConfigFromText(fieldConfigTexts[static_cast<std::size_t>(m_selectedEntry)]) : 0;
  if (config >= 1 && config <= fieldConfigCount) {
    const FieldChoice& choice = fieldChoice(config);
    SimParams& p = m_state.params;
    m_state.fieldConfig = config;
    showLengthInputs(choice.showS, choice.showD);
    if (choice.S) {
      p.S = *choice.S;
      setText(TextBox::Text1, valueText(p.S, "0.00"));  // may run Text1_Change at once
    }
    p.x0 = choice.x0;
    setBar(Bar::VScroll7, positionFromCoordinate(p.x0));  // may run VScroll7_Change
    setCaption(19, twoDecimalsText(p.x0));
    p.z0 = choice.z0;
    setBar(Bar::VScroll9, positionFromCoordinate(p.z0));  // may run VScroll9_Change
    setCaption(23, twoDecimalsText(p.z0));
    choosePicture(choice.picture);
  }
  RecomputeQuantities();
}

void ControlPanel::chooseIntegrator(Integrator integrator) {
  if (m_integrator == integrator) return;
  m_integrator = integrator;
  if (m_observer) m_observer->integratorChosen(integrator);
}

void ControlPanel::RecomputeQuantities() {
  const ResultCaptions captions = m_state.computeQuantities(m_separator, m_language);
  setCaption(13, captions.frequency);
  setCaption(14, captions.period);
  setCaption(17, captions.radius);
  setCaption(18, captions.pitch);
  ++m_recomputeCount;
  if (m_observer) m_observer->recomputed();
}

void ControlPanel::setLanguage(Language language) {
  m_language = language;
  if (!m_ready) return;  // start-up writes them in it
  // The caption tooltips keep the window's design text until a handler first writes them.
  if (!m_tooltips[1].empty()) setTooltip(1, chargeCaptionTooltip(position(Bar::VScroll1), m_language));
  if (!m_tooltips[2].empty()) setTooltip(2, massCaptionTooltip(position(Bar::VScroll2), m_language));
  setTooltip(4, chargeValueTooltip(position(Bar::VScroll1), m_language));
  setTooltip(5, massValueTooltip(position(Bar::VScroll2), m_language));
  RecomputeQuantities();
}

void ControlPanel::captionAndRecompute(int label, const std::string& text) {
  setCaption(label, text);
  RecomputeQuantities();
}

void ControlPanel::VScroll1_Change() {
  if (!m_ready) return;
  const int p = position(Bar::VScroll1);
  m_state.params.q = chargeFromPosition(p);
  setTooltip(1, chargeCaptionTooltip(p, m_language));
  setCaption(4, chargeText(m_state.params.q));
  setTooltip(4, chargeValueTooltip(p, m_language));
  if (m_observer) m_observer->markerColoursChanged(p);
  RecomputeQuantities();
}

void ControlPanel::VScroll2_Change() {
  if (!m_ready) return;
  const int p = position(Bar::VScroll2);
  m_state.params.m = massFromPosition(p);
  setTooltip(5, massValueTooltip(p, m_language));
  setCaption(5, massText(m_state.params.m, p));
  setTooltip(2, massCaptionTooltip(p, m_language));
  RecomputeQuantities();
}

void ControlPanel::VScroll4_Change() {
  if (!m_ready) return;
  const int p = position(Bar::VScroll4);
  m_state.params.v = static_cast<std::int16_t>(p);
  captionAndRecompute(10, integerText(p));
}

void ControlPanel::VScroll6_Change() {
  if (!m_ready) return;
  const int p = position(Bar::VScroll6);
  m_state.params.alpha = static_cast<std::int16_t>(p);
  m_state.params.alphaRad = angleRadFromDegrees(p);
  captionAndRecompute(16, integerText(p));
  choosePicture(velocityPictureName);
}

void ControlPanel::VScroll10_Change() {
  if (!m_ready) return;
  const int p = position(Bar::VScroll10);
  m_state.params.beta = static_cast<std::int16_t>(p);
  m_state.params.betaRad = betaRadFromDegrees(p);
  captionAndRecompute(25, integerText(p));
  choosePicture(velocityPictureName);
}

void ControlPanel::VScroll5_Change() {
  if (!m_ready) return;
  m_state.params.Bo = fieldFromPosition(position(Bar::VScroll5));
  captionAndRecompute(12, fieldText(m_state.params.Bo));
}

void ControlPanel::VScroll3_Change() {
  if (!m_ready) return;
  const int p = position(Bar::VScroll3);
  m_state.params.regionSize = static_cast<std::int16_t>(p);
  captionAndRecompute(6, twoDecimalsText(p));
}

void ControlPanel::VScroll7_Change() {
  if (!m_ready) return;
  m_state.params.x0 = coordinateFromPosition(position(Bar::VScroll7));
  captionAndRecompute(19, twoDecimalsText(m_state.params.x0));
}

void ControlPanel::VScroll8_Change() {
  if (!m_ready) return;
  m_state.params.y0 = coordinateFromPosition(position(Bar::VScroll8));
  captionAndRecompute(21, twoDecimalsText(m_state.params.y0));
}

void ControlPanel::VScroll9_Change() {
  if (!m_ready) return;
  m_state.params.z0 = z0FromPosition(position(Bar::VScroll9));
  captionAndRecompute(23, twoDecimalsText(m_state.params.z0));
}

// The text boxes are read, never rewritten: a box keeps exactly what was typed.
void ControlPanel::Text1_Change() {
  if (!m_ready) return;
  m_state.params.S = lengthFromText(text(TextBox::Text1));
  RecomputeQuantities();
}

void ControlPanel::Text3_Change() {
  if (!m_ready) return;
  m_state.params.d = lengthFromText(text(TextBox::Text3));
  RecomputeQuantities();
}

// The run length takes effect at the next start, which recomputes first.
void ControlPanel::Text2_Change() {
  if (!m_ready) return;
  m_state.params.periods = periodsFromText(text(TextBox::Text2));
}

// Read by the run at its next step.
void ControlPanel::HScroll1_Change() {
  if (!m_ready) return;
  const int p = position(Bar::HScroll1);
  m_state.params.slowdown = static_cast<std::int16_t>(p);
  setCaption(29, integerText(p));
}

}  // namespace larmor
