#include "model/SimParams.h"
#include "model/TextRules.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace larmor {
namespace {

TEST(FormatNumber, PatternsRoundingAndSigns) {
  const struct { const char* name; double x; const char* pattern; char separator; const char* expected; } cases[] = {
      {"fixed", 0.3, "0.00", '.', "0.30"},            {"negative", -4, "0.00", '.', "-4.00"},
      {"half below in binary", 2.675, "0.00", '.', "2.68"}, {"small half", 1.005, "0.00", '.', "1.01"},
      {"exact half", -0.125, "0.00", '.', "-0.13"},   {"below half", 2.674999, "0.00", '.', "2.67"},
      {"carry", 9.9995, "0.000", '.', "10.000"},      {"negative away", -0.005, "0.00", '.', "-0.01"},
      // A negative value keeps its sign when its digits round to zero; a zero has none.
      {"negative to zero", -0.004, "0.00", '.', "-0.00"}, {"to zero, blank", -2e-5, " 0.0000", '.', "- 0.0000"},
      {"to zero, comma", -4e-5, "0.0000", ',', "-0,0000"}, {"minus zero", -0.0, "0.00", '.', "0.00"},
      {"minus zero, blank", -0.0, " 0.0000", '.', " 0.0000"}, {"minus zero, scientific", -0.0, " 0.000e+00", '.', " 0.000e+00"},
      {"minus zero, no blank", -0.0, "0.000e+00", '.', "0.000e+00"}, {"tiny negative", -4.9e-324, " 0.000e+00", '.', "- 4.941e-324"},
      {"comma", 0.5, "0.00", ',', "0,50"},            {"scientific", 5e-4, "0.000e+00", '.', "5.000e-04"},
      {"zero", 0, "0.000e+00", '.', "0.000e+00"},     {"blank copied", 25, " 0.000e+00", '.', " 2.500e+01"},
      {"minus before blank", -1.602176634e-19, " 0.000000000e+00", '.', "- 1.602176634e-19"},
      {"carry into exponent", 9.99951e-5, " 0.000e+00", '.', " 1.000e-04"},
      {"just below carry", 9.99949e-5, " 0.000e+00", '.', " 9.999e-05"},
      {"exponent -100", 1e-100, "0.000e+00", '.', "1.000e-100"}, {"exponent 100", 1e100, "0.000e+00", '.', "1.000e+100"},
      {"scientific comma", 48240.3, " 0.000e+00", ',', " 4,824e+04"},
      {"infinity", -INFINITY, " 0.00", '.', "- inf"}, {"not a number", NAN, "0.00", '.', "nan"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(formatNumber(c.x, c.pattern, c.separator), c.expected) << c.name;
  for (const auto& [n, text] : {std::pair{1LL, " 1"}, {-2LL, "-2"}, {0LL, " 0"}, {-32768LL, "-32768"}})
    EXPECT_EQ(signedText(n), text) << n;
}

TEST(ReadNumber, EveryForm) {
  const std::pair<const char*, double> cases[] = {
      {"3.3", 3.3},    {" 25", 25},     {"3,5", 3},    {"1e1", 10},   {"abc", 0},     {"", 0},
      {"-2.5", -2.5},  {"+.5", 0.5},    {"5.", 5},     {"1 2\t3\n4", 1234}, {"- 1 . 5 e - 2", -0.015},
      {"2d3", 2000},   {"2D-1", 0.2},   {"1E+2", 100}, {"1e", 1},     {"1e+", 1},     {"1e-x", 1},
      {"1.2.3", 1.2},  {".", 0},        {"-", 0},      {"12abc", 12}, {"x1", 0},      {"0.1", 0.1},
      {"007", 7},      {"1e999", DBL_MAX}, {"-1e999", -DBL_MAX}, {"1e99999999999999999999", DBL_MAX},
      {"1e-999", 0},   {"4.9e-324", 4.9e-324},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(readNumber(text), value) << '"' << text << '"';
  // Long texts: 100,000 digits scaled back to one; a digit far beyond the kept ones
  // decides that an exact tie between 1 and the next double lies above the half.
  EXPECT_EQ(readNumber("1" + std::string(99'999, '0') + "e-99999"), 1.0);
  EXPECT_EQ(readNumber("0." + std::string(99'999, '0') + "1"), 0.0);
  const std::string half = "1.00000000000000011102230246251565404236316680908203125";
  EXPECT_EQ(readNumber(half), 1.0);
  EXPECT_EQ(readNumber(half + std::string(2000, '0') + "1"), std::nextafter(1.0, 2.0));
}

// The value texts and tooltips of the controls are the formatting rules above applied to a
// pattern each; the panel's tests read every one of them as the handlers write it.
TEST(SimParams, ValuesFromControls) {
  EXPECT_EQ(coordinateFromPosition(3), 0.30000000000000004);
  EXPECT_EQ(z0FromPosition(-33), -3.3f);
  // Typed lengths: read as typed, rounded to two decimals, halves away from zero.
  const std::pair<const char*, double> lengths[] = {{"3,3", 3},        {"abc", 0},    {"2.675", 2.68}, {"1.005", 1.01},
                                                    {"-7.126", -7.13}, {"-0.004", 0}, {"1e999", DBL_MAX}};
  for (const auto& [text, value] : lengths) EXPECT_EQ(lengthFromText(text), value) << text;
  EXPECT_FALSE(std::signbit(lengthFromText("-0.004")));  // its text is "0.00", not "-0.00"
  // A typed run length beyond the float range stays a finite number.
  const std::pair<const char*, float> periods[] = {{"2.5", 2.5f}, {"0.1", 0.1f}, {"1e300", FLT_MAX}, {"-1e300", -FLT_MAX}};
  for (const auto& [text, value] : periods) EXPECT_EQ(periodsFromText(text), value) << text;
  // Bar positions of coordinates: ties to even.
  const std::pair<double, int> positions[] = {{0.25, 2}, {0.35, 4}, {-4, -40}, {0.30000000000000004, 3}, {-0.25, -2}};
  for (const auto& [value, position] : positions)
    EXPECT_EQ(positionFromCoordinate(value), position) << value;
}

}  // namespace
}  // namespace larmor
