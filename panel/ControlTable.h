#pragma once

#include "panel/PanelAction.h"
#include "panel/PanelControls.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include "model/Language.h"

namespace larmor {

struct Words {
  const char* russian;
  const char* english;
  const char* in(Language language) const { return language == Language::Russian ? russian : english; }
};

// One control as scenario files, the companion's options and the documents' figure
// addresses name it, each described once. A bar's value there is its position divided by
// positionsPerUnit (x0 = 1.5 is VScroll7 at 15; the division gives the double nearest the
// decimal, so a file shows 0.3, not 0.30000000000000004), within the bar's own range; the
// list's value is the structure's number 1..7; a text box's is its text as typed.
struct ControlDescription {
  enum class Kind { List, Bar, TextBox };
  const char* key;
  const char* control;  // the window's name of it
  Kind kind;
  int index;            // the Bar or the TextBox, as its number
  double positionsPerUnit;
  Words unit;           // what a bar's or the list's value counts; for a text box, the box
};

// In the order of a scenario file.
extern const std::array<ControlDescription, 15> controlTable;

// Nullptr for a key no control has.
const ControlDescription* findControl(std::string_view key);
const ControlDescription& controlOf(Bar bar);

// The lowest and highest position of a bar or of the list (the list's are the numbers of
// the first and the last structure).
int lowestPosition(const ControlDescription& control);
int highestPosition(const ControlDescription& control);
// The value a position stands for, in the key's units.
double valueOf(const ControlDescription& control, int position);

// Whether a value lies on a control's grid (position × unit) within its range, and at
// which position. A value within a millionth of a step of a grid point counts as on it:
// decimal texts such as 0.3 are not exact multiples of 0.1 in binary.
enum class GridFit { Fits, OffRange, OffGrid };
GridFit fitToGrid(double value, double unit, int lowest, int highest, int& position);
GridFit fitToGrid(const ControlDescription& control, double value, int& position);

// What a bar or the list accepts, for a message: "a number from -5 to 5 in steps of 0.1
// (metres)"; for a text box: any text, as typed into it.
std::string acceptsText(const ControlDescription& control, Language language);

// The user's action that sets the control: a bar moved to the position, the list's entry
// of that structure selected, or the text typed into the box.
PanelAction settingAction(const ControlDescription& control, int position);
PanelAction settingAction(const ControlDescription& control, std::string text);

// A number as an option or a figure address writes it: the whole text, decimal, finite;
// a leading "+" is allowed, as a user would type it.
std::optional<double> decimalNumber(std::string_view text);

}  // namespace larmor
