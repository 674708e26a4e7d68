#include "cli/TraceWriters.h"

#include "model/Quantities.h"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>

namespace larmor {
namespace {

TEST(TraceWriters, NumbersAreShortestAndReadBackExactly) {
  for (const double value : {0.1, 1.0 / 3, -4.733222060693322, 1e-300, 5e-324, std::numeric_limits<double>::max(),
                             static_cast<double>(static_cast<float>(0.1))}) {
    const std::string text = numberText(value);
    double back = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size() && back == value) << text;
  }
  EXPECT_EQ(numberText(0.1), "0.1");
  EXPECT_EQ(numberText(22000), "22000");
  EXPECT_EQ(numberText(-0.0), "-0");
}

TEST(TraceWriters, JsonEscapesStringsAndWritesNullForBrokenCoordinates) {
  const std::pair<std::string, std::string> strings[] = {
      {"w=4\"8\\", R"("w=4\"8\\")"}, {"a\nb\t\x01", R"("a\nb\t\u0001")"}, {"бесконечен", "\"бесконечен\""}};
  for (const auto& [text, expected] : strings) EXPECT_EQ(jsonString(text), expected);
  const ResultCaptions captions{"w=1", "T=2", "R=3", "H=4"};
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(summaryJson(captions, 7, nan, inf, -4, "dV"),
            R"({"captions": ["w=1", "T=2", "R=3", "H=4"], "steps": 7, "x": null, "y": null, "z": -4, "dV": "dV"})"
            "\n");
}

}  // namespace
}  // namespace larmor
