// A scenario file's bytes. The reader either refuses them with one line naming the problem,
// in either language, or accepts a scenario that its own writer writes back to a file read
// as the same scenario; opened in a panel fresh from start-up, it sets every control the
// file names to what the file says.
#include "panel/ScenarioActions.h"
#include "panel/ScenarioJson.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Whether the text is well-formed UTF-8 (the window shows the message through QString).
bool validUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const larmor::ScenarioRead read = larmor::readScenario(bytes);
  if (!read.ok()) {
    for (const larmor::Language language : {larmor::Language::Russian, larmor::Language::English}) {
      const std::string text = larmor::problemText(*read.problem, language);
      if (text.empty() || text.find('\n') != std::string::npos || !validUtf8(text)) __builtin_trap();
    }
    return 0;
  }

  const larmor::Scenario& scenario = read.scenario;
  const std::string written = larmor::scenarioJson(scenario);
  if (!validUtf8(written) || written.size() > larmor::scenarioMaxBytes) __builtin_trap();
  const larmor::ScenarioRead again = larmor::readScenario(written);
  if (!again.ok() || !(again.scenario == scenario)) __builtin_trap();

  larmor::ControlPanel panel('.');
  panel.Form_Load();
  panel.RecomputeQuantities();
  larmor::applyScenario(panel, scenario);
  for (std::size_t i = 0; i < larmor::barCount; ++i)
    if (panel.position(static_cast<larmor::Bar>(i)) != scenario.positions[i]) __builtin_trap();
  for (std::size_t i = 0; i < larmor::textBoxCount; ++i)
    if (panel.text(static_cast<larmor::TextBox>(i)) != scenario.texts[i]) __builtin_trap();
  if (panel.selectedEntry() != scenario.config - 1 || panel.integrator() != scenario.integrator) __builtin_trap();
  if ((panel.picture() == "velocity.gif") != scenario.velocityPicture) __builtin_trap();
  return 0;
}
