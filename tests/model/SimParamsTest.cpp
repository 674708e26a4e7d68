#include "model/SimParams.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace larmor {
namespace {

TEST(SimParams, ValueTextsAndTooltipsAtEdgePositions) {
  const struct {
    std::string text;
    const char* expected;
  } cases[] = {
      {chargeText(chargeFromPosition(1)), " 1.602176634e-19"},
      {chargeText(chargeFromPosition(0)), " 0.000000000e+00"},
      {chargeText(chargeFromPosition(-5)), "- 8.010883170e-19"},
      {chargeText(chargeFromPosition(5)), " 8.010883170e-19"},
      {massText(massFromPosition(0), 0), "9.1093837139e-31"},
      {massText(massFromPosition(1), 1), "1.66053906892e-27"},
      {massText(massFromPosition(10), 10), "1.66053906892e-26"},
      {fieldText(fieldFromPosition(0)), "0.000e+00"}, {fieldText(fieldFromPosition(10000)), "5.000e-04"},
      {fieldText(fieldFromPosition(30000)), "1.500e-03"}, {integerText(-180), "-180"},
      {twoDecimalsText(z0FromPosition(-33)), "-3.30"}, {twoDecimalsText(coordinateFromPosition(3)), "0.30"},
      {twoDecimalsText(coordinateFromPosition(-50)), "-5.00"},
      {chargeValueTooltip(1), "заряд частицы =  1|e|"}, {chargeValueTooltip(-2), "заряд частицы = -2|e|"},
      {chargeCaptionTooltip(1), "Элементарный заряд |е| точно. СИ с 2022 года"},  // Cyrillic е
      {chargeCaptionTooltip(0), "заряд частицы"}, {massValueTooltip(0), "масса электрона"},
      {massValueTooltip(1), "масса частицы =  1 аем"}, {massValueTooltip(10), "масса частицы =  10 аем"},
      {massCaptionTooltip(1), "Атомная единица массы. С 2022 года"}, {massCaptionTooltip(0), "масса частицы"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(SimParams, ValuesFromControls) {
  EXPECT_EQ(coordinateFromPosition(3), 0.30000000000000004);
  EXPECT_EQ(z0FromPosition(-33), -3.3f);
  const std::pair<const char*, double> lengths[] = {
      {"3,3", 3},    {"1e1", 10},       {"abc", 0},         {"", 0},          {"2.675", 2.68},
      {"1.005", 1.01}, {"-7.126", -7.13}, {"-0.004", 0}, {"1e999", DBL_MAX}};
  for (const auto& [text, value] : lengths) EXPECT_EQ(lengthFromText(text), value) << text;
  // A typed run length beyond the float range stays a finite number.
  const std::pair<const char*, float> periods[] = {
      {"2.5", 2.5f}, {"0.1", 0.1f}, {"1e300", FLT_MAX}, {"-1e300", -FLT_MAX}};
  for (const auto& [text, value] : periods) EXPECT_EQ(periodsFromText(text), value) << text;
  // Bar positions of coordinates: ties to even.
  const std::pair<double, int> positions[] = {
      {0.25, 2}, {0.35, 4}, {-4, -40}, {0.30000000000000004, 3}, {-0.25, -2}};
  for (const auto& [value, position] : positions)
    EXPECT_EQ(positionFromCoordinate(value), position) << value;
}

}  // namespace
}  // namespace larmor
