#include "model/TextRules.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace larmor {
namespace {

TEST(FormatNumber, PatternsRoundingAndSigns) {
  const struct {
    const char* name;
    double x;
    const char* pattern;
    char separator;
    const char* expected;
  } cases[] = {
      {"fixed", 0.3, "0.00", '.', "0.30"},            {"negative", -4, "0.00", '.', "-4.00"},
      {"half below in binary", 2.675, "0.00", '.', "2.68"}, {"small half", 1.005, "0.00", '.', "1.01"},
      {"exact half", -0.125, "0.00", '.', "-0.13"},   {"below half", 2.674999, "0.00", '.', "2.67"},
      {"carry", 9.9995, "0.000", '.', "10.000"},      {"negative to zero", -0.004, "0.00", '.', "0.00"},
      {"minus zero", -0.0, "0.00", '.', "0.00"},      {"negative away", -0.005, "0.00", '.', "-0.01"},
      {"comma", 0.5, "0.00", ',', "0,50"},            {"scientific", 5e-4, "0.000e+00", '.', "5.000e-04"},
      {"zero", 0, "0.000e+00", '.', "0.000e+00"},     {"blank copied", 25, " 0.000e+00", '.', " 2.500e+01"},
      {"minus before blank", -1.602176634e-19, " 0.000000000e+00", '.', "- 1.602176634e-19"},
      {"carry into exponent", 9.99951e-5, " 0.000e+00", '.', " 1.000e-04"},
      {"just below carry", 9.99949e-5, " 0.000e+00", '.', " 9.999e-05"},
      {"exponent -100", 1e-100, "0.000e+00", '.', "1.000e-100"},
      {"exponent 100", 1e100, "0.000e+00", '.', "1.000e+100"},
      {"scientific comma", 48240.3, " 0.000e+00", ',', " 4,824e+04"},
      {"infinity", -INFINITY, " 0.00", '.', "- inf"}, {"not a number", NAN, "0.00", '.', "nan"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(formatNumber(c.x, c.pattern, c.separator), c.expected) << c.name;
  for (const auto& [n, text] : {std::pair{1LL, " 1"}, {-2LL, "-2"}, {0LL, " 0"}, {-32768LL, "-32768"}})
    EXPECT_EQ(signedText(n), text) << n;
}

TEST(ReadNumber, EveryForm) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"3.3", 3.3},          {" 25", 25},          {"3,5", 3},
      {"1e1", 10},           {"abc", 0},           {"", 0},
      {"-2.5", -2.5},        {"+.5", 0.5},         {"5.", 5},
      {"1 2\t3\n4", 1234},   {"- 1 . 5 e - 2", -0.015}, {"2d3", 2000},
      {"2D-1", 0.2},         {"1E+2", 100},        {"1e", 1},
      {"1e+", 1},            {"1e-x", 1},          {"1.2.3", 1.2},
      {".", 0},              {"-", 0},             {"12abc", 12},
      {"x1", 0},             {"0.1", 0.1},         {"007", 7},
      {"1e999", DBL_MAX},    {"-1e999", -DBL_MAX}, {"1e99999999999999999999", DBL_MAX},
      {"1e-999", 0},         {"4.9e-324", 4.9e-324},
  };
  for (const auto& c : cases) EXPECT_EQ(readNumber(c.text), c.expected) << '"' << c.text << '"';
  // Long texts: 100,000 digits scaled back to one; a digit far beyond the kept ones
  // decides that an exact tie between 1 and the next double lies above the half.
  EXPECT_EQ(readNumber("1" + std::string(99'999, '0') + "e-99999"), 1.0);
  EXPECT_EQ(readNumber("0." + std::string(99'999, '0') + "1"), 0.0);
  const std::string half = "1.00000000000000011102230246251565404236316680908203125";
  EXPECT_EQ(readNumber(half), 1.0);
  EXPECT_EQ(readNumber(half + std::string(2000, '0') + "1"), std::nextafter(1.0, 2.0));
}

}  // namespace
}  // namespace larmor
