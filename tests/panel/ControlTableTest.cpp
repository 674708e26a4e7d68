// The control table against the design's ends (ControlEnds.h), the tolerance of its grid,
// what a message says a control accepts, and the panel's own rule at the ends: a bar
// moved beyond one stops there.
#include "panel/ControlTable.h"

#include "ControlEnds.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace larmor {
namespace {

TEST(ControlTable, EveryBarAndTheListHasTheDesignsEndsItsGridAndABarStopsThere) {
  std::size_t rows = 0;
  for (const test::ControlEnd& end : test::controlEnds) {
    SCOPED_TRACE(end.key);
    const ControlDescription* control = findControl(end.key);
    ASSERT_NE(control, nullptr);
    ++rows;
    EXPECT_EQ(std::pair(lowestPosition(*control), highestPosition(*control)),
              std::pair(end.lowestPosition, end.highestPosition));
    EXPECT_EQ(std::pair(valueOf(*control, end.lowestPosition), valueOf(*control, end.highestPosition)),
              std::pair(std::strtod(end.lowest, nullptr), std::strtod(end.highest, nullptr)));
    // Within a millionth of a step a value is on the grid (0.3 is no exact multiple of 0.1 in
    // binary); beyond that it lies between two positions. Checked at the top of the range;
    // one step beyond either end, what every reader of files and options refuses, is off it.
    const double top = std::strtod(end.highest, nullptr);
    const double step = (top - std::strtod(end.lowest, nullptr)) / (end.highestPosition - end.lowestPosition);
    int position = 0;
    EXPECT_EQ(fitToGrid(*control, top - 0.5e-6 * step, position), GridFit::Fits);
    EXPECT_EQ(position, end.highestPosition);
    EXPECT_EQ(fitToGrid(*control, top - 1.5e-6 * step, position), GridFit::OffGrid);
    EXPECT_EQ(fitToGrid(*control, top - 0.4 * step, position), GridFit::OffGrid);
    for (const char* beyond : {end.below, end.above}) EXPECT_EQ(fitToGrid(*control, std::strtod(beyond, nullptr), position), GridFit::OffRange) << beyond;
    if (control->kind != ControlDescription::Kind::Bar) continue;
    ControlPanel panel;
    startUpAsTheWindow(panel);
    const Bar bar = static_cast<Bar>(control->index);
    panel.moveBar(bar, end.highestPosition + 1);
    EXPECT_EQ(panel.position(bar), end.highestPosition);
    panel.moveBar(bar, end.lowestPosition - 1);
    EXPECT_EQ(panel.position(bar), end.lowestPosition);
  }
  std::size_t withEnds = 0;
  for (const ControlDescription& control : controlTable) withEnds += control.kind != ControlDescription::Kind::TextBox;
  EXPECT_EQ(rows, withEnds) << "a bar of the table has no row of hand-written ends";
}

TEST(ControlTable, SaysWhatAControlAcceptsInEitherLanguage) {
  const struct { const char* key; Language language; const char* text; } rows[] = {
      {"charge", Language::English, "a whole number from -5 to 5 (elementary charges)"},
      {"config", Language::Russian, "целое число от 1 до 7 (номер структуры поля)"},
      {"field", Language::Russian, "число от 0 до 0.0015 с шагом 5e-08 (Тл)"},
      {"z0", Language::English, "a number from -10 to 10 in steps of 0.1 (metres)"},
      {"periods", Language::English, "any text, read as typed into the run-length box"},
  };
  for (const auto& row : rows) EXPECT_EQ(acceptsText(*findControl(row.key), row.language), row.text);
}

TEST(ControlTable, ReadsADecimalNumberAsAUserWritesIt) {
  const std::pair<const char*, std::optional<double>> rows[] = {
      {"+90", 90.0}, {"1e1", 10.0}, {"-0.3", -0.3}, {"5e-08", 5e-08}, {"", std::nullopt}, {"+", std::nullopt},
      {"+-1", std::nullopt}, {" 1", std::nullopt}, {"1 ", std::nullopt}, {"1,5", std::nullopt},
      {"0x10", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}, {"1e400", std::nullopt}};
  for (const auto& [text, value] : rows) EXPECT_EQ(decimalNumber(text), value) << text;
}

}  // namespace
}  // namespace larmor
