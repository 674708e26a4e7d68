#include "panel/ControlTable.h"

#include "model/Constants.h"
#include "model/FieldConfig.h"
#include "panel/TrajectoryCsv.h"

#include <charconv>
#include <cmath>

namespace larmor {

namespace {

using Kind = ControlDescription::Kind;

constexpr int bar(Bar b) { return static_cast<int>(b); }
constexpr int box(TextBox b) { return static_cast<int>(b); }

}  // namespace

const std::array<ControlDescription, 15> controlTable = {{
    {"config", "List1", Kind::List, 0, 1, {"номер структуры поля", "the field structure"}},
    {"charge", "VScroll1", Kind::Bar, bar(Bar::VScroll1), 1, {"элементарных зарядов", "elementary charges"}},
    {"mass", "VScroll2", Kind::Bar, bar(Bar::VScroll2), 1,
     {"0 — масса электрона, иначе атомные единицы массы", "0 is the electron mass, otherwise atomic mass units"}},
    {"speed", "VScroll4", Kind::Bar, bar(Bar::VScroll4), 1, {"м/с", "m/s"}},
    {"alpha", "VScroll6", Kind::Bar, bar(Bar::VScroll6), 1, {"градусы от OZ", "degrees from OZ"}},
    {"beta", "VScroll10", Kind::Bar, bar(Bar::VScroll10), 1, {"градусы от OX", "degrees from OX"}},
    {"field", "VScroll5", Kind::Bar, bar(Bar::VScroll5), 1 / BoStep, {"Тл", "tesla"}},
    {"region", "VScroll3", Kind::Bar, bar(Bar::VScroll3), 1, {"м", "metres"}},
    {"x0", "VScroll7", Kind::Bar, bar(Bar::VScroll7), 10, {"м", "metres"}},
    {"y0", "VScroll8", Kind::Bar, bar(Bar::VScroll8), 10, {"м", "metres"}},
    {"z0", "VScroll9", Kind::Bar, bar(Bar::VScroll9), 10, {"м", "metres"}},
    {"S", "Text1", Kind::TextBox, box(TextBox::Text1), 0, {"поле S", "the S box"}},
    {"d", "Text3", Kind::TextBox, box(TextBox::Text3), 0, {"поле d", "the d box"}},
    {"periods", "Text2", Kind::TextBox, box(TextBox::Text2), 0, {"поле длины расчёта", "the run-length box"}},
    {"slowdown", "HScroll1", Kind::Bar, bar(Bar::HScroll1), 1, {"по 10 мс на шаг", "10 ms per step"}},
}};

const ControlDescription* findControl(std::string_view key) {
  for (const ControlDescription& control : controlTable)
    if (key == control.key) return &control;
  return nullptr;
}

const ControlDescription& controlOf(Bar b) {
  for (const ControlDescription& control : controlTable)
    if (control.kind == Kind::Bar && control.index == bar(b)) return control;
  return controlTable.front();  // every bar has its row
}

int lowestPosition(const ControlDescription& control) {
  return control.kind == Kind::List ? 1 : barRange(static_cast<Bar>(control.index)).lowest;
}

int highestPosition(const ControlDescription& control) {
  return control.kind == Kind::List ? fieldConfigCount : barRange(static_cast<Bar>(control.index)).highest;
}

double valueOf(const ControlDescription& control, int position) { return position / control.positionsPerUnit; }

GridFit fitToGrid(double value, double unit, int lowest, int highest, int& position) {
  const double steps = value / unit;
  const double nearest = std::nearbyint(steps);
  if (!(nearest >= lowest && nearest <= highest)) return GridFit::OffRange;
  if (std::abs(steps - nearest) > 1e-6) return GridFit::OffGrid;
  position = static_cast<int>(nearest);
  return GridFit::Fits;
}

GridFit fitToGrid(const ControlDescription& control, double value, int& position) {
  return fitToGrid(value, 1 / control.positionsPerUnit, lowestPosition(control), highestPosition(control), position);
}

std::string acceptsText(const ControlDescription& control, Language language) {
  const bool russian = language == Language::Russian;
  if (control.kind == Kind::TextBox)
    return std::string(russian ? "любой текст, как его набирают в " : "any text, read as typed into ") +
           control.unit.in(language);
  const bool whole = control.positionsPerUnit == 1;
  std::string text = whole ? (russian ? "целое число от " : "a whole number from ")
                           : (russian ? "число от " : "a number from ");
  text += numberText(valueOf(control, lowestPosition(control))) + (russian ? " до " : " to ") +
          numberText(valueOf(control, highestPosition(control)));
  if (!whole) text += (russian ? " с шагом " : " in steps of ") + numberText(valueOf(control, 1));
  return text + " (" + control.unit.in(language) + ")";
}

PanelAction settingAction(const ControlDescription& control, int position) {
  if (control.kind == Kind::List) return PanelAction::selectEntry(position - 1);
  return PanelAction::moveBar(static_cast<Bar>(control.index), position);
}

PanelAction settingAction(const ControlDescription& control, std::string text) {
  return PanelAction::typeText(static_cast<TextBox>(control.index), std::move(text));
}

std::optional<double> decimalNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+' && text.size() > 1 && text[1] != '-') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace larmor
