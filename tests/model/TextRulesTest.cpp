#include "model/TextRules.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace larmor {
namespace {

struct FormatCase {
  const char* name;
  double x;
  const char* pattern;
  char separator;
  const char* expected;
};

TEST(FormatNumber, PatternsRoundingAndSigns) {
  const double inf = std::numeric_limits<double>::infinity();
  const FormatCase cases[] = {
      {"fixed whole", 5, "0.00", '.', "5.00"},
      {"fixed short", 0.3, "0.00", '.', "0.30"},
      {"fixed negative", -4, "0.00", '.', "-4.00"},
      {"half just below in binary", 2.675, "0.00", '.', "2.68"},
      {"half just below, small", 1.005, "0.00", '.', "1.01"},
      {"exact half away from zero", 0.125, "0.00", '.', "0.13"},
      {"negative half away from zero", -0.125, "0.00", '.', "-0.13"},
      {"below half stays", 2.674999, "0.00", '.', "2.67"},
      {"fixed carry into new digit", 9.9995, "0.000", '.', "10.000"},
      {"negative rounding to zero shows no sign", -0.004, "0.00", '.', "0.00"},
      {"negative zero", -0.0, "0.00", '.', "0.00"},
      {"negative rounding away to a digit", -0.005, "0.00", '.', "-0.01"},
      {"locale comma", 0.5, "0.00", ',', "0,50"},
      {"scientific", 5e-4, "0.000e+00", '.', "5.000e-04"},
      {"scientific zero", 0, "0.000e+00", '.', "0.000e+00"},
      {"scientific blank copied", 25, " 0.000e+00", '.', " 2.500e+01"},
      {"scientific negative before blank", -1.602176634e-19, " 0.000000000e+00", '.',
       "- 1.602176634e-19"},
      {"scientific carry into exponent", 9.99951e-5, " 0.000e+00", '.', " 1.000e-04"},
      {"scientific just below carry", 9.99949e-5, " 0.000e+00", '.', " 9.999e-05"},
      {"three-digit negative exponent", 1e-100, "0.000e+00", '.', "1.000e-100"},
      {"three-digit positive exponent", 1e100, "0.000e+00", '.', "1.000e+100"},
      {"scientific comma", 48240.3, " 0.000e+00", ',', " 4,824e+04"},
      {"infinity", -inf, " 0.00", '.', "- inf"},
      {"not a number", std::nan(""), "0.00", '.', "nan"},
  };
  for (const FormatCase& c : cases)
    EXPECT_EQ(formatNumber(c.x, c.pattern, c.separator), c.expected) << c.name;
}

TEST(FormatNumber, ValueTextAndSignedText) {
  EXPECT_EQ(valueText(-3.3, "0.00"), "-3.30");
  EXPECT_EQ(valueText(1.5e-3, "0.000e+00"), "1.500e-03");
  const std::pair<long long, const char*> signedCases[] = {
      {1, " 1"}, {-2, "-2"}, {25, " 25"}, {0, " 0"}, {-32768, "-32768"}};
  for (const auto& [n, text] : signedCases) EXPECT_EQ(signedText(n), text) << n;
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
}

TEST(ReadNumber, LongTexts) {
  // 100,000 digits scaled back to one.
  EXPECT_EQ(readNumber("1" + std::string(99'999, '0') + "e-99999"), 1.0);
  EXPECT_EQ(readNumber("0." + std::string(99'999, '0') + "1"), 0.0);
  // Exactly halfway between 1 and the next double, then a 1 far beyond the kept digits:
  // the far digit decides that the value lies above the half.
  const std::string half = "1.00000000000000011102230246251565404236316680908203125";
  EXPECT_EQ(readNumber(half), 1.0);  // a tie rounds to even
  EXPECT_EQ(readNumber(half + std::string(2000, '0') + "1"), std::nextafter(1.0, 2.0));
}

TEST(TextRules, RoundToTwoDecimalsAndTrim) {
  const std::pair<double, double> rounding[] = {
      {2.675, 2.68}, {1.005, 1.01}, {3.3, 3.3}, {-0.001, 0}, {DBL_MAX, DBL_MAX}, {-7.126, -7.13}};
  for (const auto& [x, expected] : rounding) EXPECT_EQ(roundToTwoDecimals(x), expected) << x;
  EXPECT_EQ(trimmed("  - 3.492e-01 "), "- 3.492e-01");
  EXPECT_EQ(trimmed("   "), "");
}

}  // namespace
}  // namespace larmor
