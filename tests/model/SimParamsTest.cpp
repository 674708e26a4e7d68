#include "model/SimParams.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace larmor {
namespace {

TEST(SimParams, StartValuesAreTheStartPositions) {
  const SimParams p;
  EXPECT_EQ(p.q, chargeFromPosition(startPosition::charge));
  EXPECT_EQ(p.m, massFromPosition(startPosition::mass));
  EXPECT_EQ(p.Bo, fieldFromPosition(startPosition::field));
  EXPECT_EQ(p.alphaRad, angleRadFromDegrees(startPosition::alpha));
  EXPECT_EQ(p.betaRad, betaRadFromDegrees(startPosition::beta));
  EXPECT_EQ(p.z0, z0FromPosition(startPosition::z0));
  EXPECT_EQ(positionFromCoordinate(p.x0), startPosition::x0);
  EXPECT_EQ(positionFromCoordinate(p.y0), startPosition::y0);
  EXPECT_EQ(p.v, startPosition::speed);
}

TEST(SimParams, ValueTextsAtEdgePositions) {
  const struct {
    const char* name;
    std::string text;
    const char* expected;
  } cases[] = {
      {"charge start", chargeText(chargeFromPosition(1)), " 1.602176634e-19"},
      {"charge zero", chargeText(chargeFromPosition(0)), " 0.000000000e+00"},
      {"charge -5", chargeText(chargeFromPosition(-5)), "- 8.010883170e-19"},
      {"charge 5", chargeText(chargeFromPosition(5)), " 8.010883170e-19"},
      {"electron", massText(massFromPosition(0), 0), "9.1093837139e-31"},
      {"mass start", massText(massFromPosition(1), 1), "1.66053906892e-27"},
      {"mass 10", massText(massFromPosition(10), 10), "1.66053906892e-26"},
      {"field zero", fieldText(fieldFromPosition(0)), "0.000e+00"},
      {"field start", fieldText(fieldFromPosition(10000)), "5.000e-04"},
      {"field top", fieldText(fieldFromPosition(30000)), "1.500e-03"},
      {"z0 -33", twoDecimalsText(z0FromPosition(-33)), "-3.30"},
      {"x0 3", twoDecimalsText(coordinateFromPosition(3)), "0.30"},
      {"x0 -50", twoDecimalsText(coordinateFromPosition(-50)), "-5.00"},
      {"beta -180", integerText(-180), "-180"},
      {"charge value tooltip 1", chargeValueTooltip(1), "заряд частицы =  1|e|"},
      {"charge value tooltip -2", chargeValueTooltip(-2), "заряд частицы = -2|e|"},
      {"charge caption tooltip 1", chargeCaptionTooltip(1),
       "Элементарный заряд |е| точно. СИ с 2022 года"},
      {"charge caption tooltip 0", chargeCaptionTooltip(0), "заряд частицы"},
      {"mass value tooltip 0", massValueTooltip(0), "масса электрона"},
      {"mass value tooltip 1", massValueTooltip(1), "масса частицы =  1 аем"},
      {"mass value tooltip 10", massValueTooltip(10), "масса частицы =  10 аем"},
      {"mass caption tooltip 1", massCaptionTooltip(1), "Атомная единица массы. С 2022 года"},
      {"mass caption tooltip 0", massCaptionTooltip(0), "масса частицы"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected) << c.name;
  // The charge caption tooltip holds a Cyrillic е (two UTF-8 bytes), not a Latin e.
  EXPECT_NE(chargeCaptionTooltip(1).find("|\xD0\xB5|"), std::string::npos);
}

TEST(SimParams, ValuesFromControls) {
  EXPECT_EQ(coordinateFromPosition(3), 0.30000000000000004);
  EXPECT_EQ(z0FromPosition(-33), -3.3f);
  EXPECT_EQ(lengthFromText("3,3"), 3);
  EXPECT_EQ(lengthFromText("1e1"), 10);
  EXPECT_EQ(lengthFromText("abc"), 0);
  EXPECT_EQ(lengthFromText(""), 0);
  EXPECT_EQ(lengthFromText("2.675"), 2.68);
  EXPECT_EQ(lengthFromText("-0.004"), 0);
  EXPECT_EQ(periodsFromText("2.5"), 2.5f);
  EXPECT_EQ(periodsFromText("0.1"), 0.1f);
  // A typed run length beyond the float range stays a finite number.
  EXPECT_EQ(periodsFromText("1e300"), FLT_MAX);
  EXPECT_EQ(periodsFromText("-1e300"), -FLT_MAX);
  // Bar positions of coordinates: ties to even.
  const std::pair<double, int> positions[] = {
      {0.25, 2}, {0.35, 4}, {-4, -40}, {0.30000000000000004, 3}, {-0.25, -2}};
  for (const auto& [value, position] : positions)
    EXPECT_EQ(positionFromCoordinate(value), position) << value;
}

}  // namespace
}  // namespace larmor
