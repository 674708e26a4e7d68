#pragma once

#include "model/SimulationState.h"
#include "panel/PanelControls.h"

#include <array>
#include <cstdint>
#include <string>

namespace larmor {

// Told what the panel changed, so that a window, a picture or a script can follow.
// Every call comes after the panel's own state already holds the change.
class PanelObserver {
public:
  virtual ~PanelObserver() = default;
  // The panel moved a bar or wrote a text box itself (start-up, a selection): show it,
  // without reporting it back as a user's change.
  virtual void barSet(Bar, int /*position*/) {}
  virtual void textSet(TextBox, const std::string& /*text*/) {}
  // LabelN's caption or tooltip.
  virtual void captionSet(int /*label*/, const std::string& /*text*/) {}
  virtual void tooltipSet(int /*label*/, const std::string& /*text*/) {}
  // The list's selected entry, row 0 for the first structure, -1 for none.
  virtual void entrySelected(int /*row*/) {}
  // The S input (Label27, Text1) and the d input (Label28, Text3) shown or hidden.
  virtual void lengthInputsShown(bool /*showS*/, bool /*showD*/) {}
  // The illustration to show, a bare file name looked up in the working directory.
  virtual void pictureChosen(const std::string& /*bareName*/) {}
  // The charge bar's position sets the colour of the markers and the trail.
  virtual void markerColoursChanged(int /*chargePosition*/) {}
  // RecomputeQuantities has run: the views are to be redrawn from state().
  virtual void recomputed() {}
  // The integrator of the next run was chosen.
  virtual void integratorChosen(Integrator) {}
};

// The control panel as data: what every control holds and what its handler does, in the
// order the handlers run, the ones that a selection sets off included. The window binds
// its widgets to it, the companion and the documents' figures drive it directly.
class ControlPanel {
public:
  // decimalSeparator: the locale's, for the result captions.
  explicit ControlPanel(char decimalSeparator = '.');

  void setObserver(PanelObserver* observer) { m_observer = observer; }

  // Start-up: every start value, every value text, the first selection with its
  // recompute, the handlers silent until it has finished.
  void Form_Load();

  // A user's change: the control takes the value and its handler runs when it changed.
  // A position beyond the bar's ends stops at the end, as a bar does.
  void moveBar(Bar bar, int position);
  void typeText(TextBox box, const std::string& text);
  // A selection of entry row (0 for the first structure) in the list; runs List1_Click
  // every time, also for the entry already selected.
  void selectEntry(int row);

  void RecomputeQuantities();

  // The language of the captions and tooltips the panel writes (results, charge, mass):
  // they are written again in it, with a recompute, so that the views are drawn afresh.
  // Every value is kept.
  void setLanguage(Language language);
  Language language() const { return m_language; }

  // Takes effect at the next start; nothing is recomputed.
  void chooseIntegrator(Integrator integrator);
  Integrator integrator() const { return m_integrator; }

  const SimulationState& state() const { return m_state; }
  // The run advances the shared state in place.
  SimulationState& state() { return m_state; }
  char decimalSeparator() const { return m_separator; }
  bool ready() const { return m_ready != 0; }
  int recomputeCount() const { return m_recomputeCount; }

  int position(Bar bar) const { return m_positions[static_cast<std::size_t>(bar)]; }
  const std::string& text(TextBox box) const { return m_texts[static_cast<std::size_t>(box)]; }
  int selectedEntry() const { return m_selectedEntry; }
  const std::string& caption(int label) const { return m_captions.at(static_cast<std::size_t>(label)); }
  const std::string& tooltip(int label) const { return m_tooltips.at(static_cast<std::size_t>(label)); }
  bool showsS() const { return m_showS; }
  bool showsD() const { return m_showD; }
  const std::string& picture() const { return m_picture; }

  // The handlers, by the names of the controls they belong to.
  void List1_Click();
  void VScroll1_Change();
  void VScroll2_Change();
  void VScroll3_Change();
  void VScroll4_Change();
  void VScroll5_Change();
  void VScroll6_Change();
  void VScroll7_Change();
  void VScroll8_Change();
  void VScroll9_Change();
  void VScroll10_Change();
  void Text1_Change();
  void Text2_Change();
  void Text3_Change();
  void HScroll1_Change();

private:
  void InitState();
  void runHandler(Bar bar);
  void runHandler(TextBox box);
  // The panel's own moves: shown to the observer; the handler runs when the value changed.
  void setBar(Bar bar, int position);
  void setText(TextBox box, const std::string& text);
  void setCaption(int label, const std::string& text);
  void setTooltip(int label, const std::string& text);
  void showLengthInputs(bool showS, bool showD);
  void choosePicture(const std::string& bareName);
  void captionAndRecompute(int label, const std::string& text);

  SimulationState m_state;
  char m_separator;
  Language m_language = Language::Russian;
  std::int16_t m_ready = 0;  // 1 once start-up has finished
  int m_recomputeCount = 0;
  PanelObserver* m_observer = nullptr;

  std::array<int, barCount> m_positions{};
  std::array<std::string, textBoxCount> m_texts;
  int m_selectedEntry = -1;
  std::array<std::string, 30> m_captions;  // LabelN at index N
  std::array<std::string, 30> m_tooltips;
  bool m_showS = true;
  bool m_showD = true;
  std::string m_picture;
  Integrator m_integrator = Integrator::Rk4;
};

}  // namespace larmor
