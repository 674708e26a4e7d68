#include "cli/TraceWriters.h"

#include "model/Quantities.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>

namespace larmor {
namespace {

double readBack(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(error, std::errc()) << text;
  EXPECT_EQ(end, text.data() + text.size()) << text;
  return value;
}

TEST(TraceWriters, NumbersAreShortestAndReadBackExactly) {
  const double values[] = {0.1, 1.0 / 3, -4.733222060693322, 1e-300, 5e-324,
                           std::numeric_limits<double>::max(), 22000, static_cast<float>(0.1)};
  for (const double value : values) EXPECT_EQ(readBack(numberText(value)), value) << numberText(value);
  EXPECT_EQ(numberText(0.1), "0.1");
  EXPECT_EQ(numberText(22000), "22000");
  EXPECT_EQ(numberText(-0.0), "-0");
}

std::string contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char block[4096];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) text.append(block, n);
  return text;
}

TEST(TraceWriters, CsvRowsSurviveBufferFlushes) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  constexpr int rows = 5000;  // several times the buffer
  {
    CsvWriter csv(file);
    csv.header();
    for (int i = 1; i <= rows; ++i)
      csv.row(i, i * 1.3024125378098114e-06, 1.0 / i, -0.5 * i, 4.733222060693322, 12083.86567267834, -1e-17,
              2681.12548828125, static_cast<float>(7.948472813268381e-08) * i);
  }
  std::istringstream lines(contents(file));
  std::fclose(file);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "step,t,x,y,z,vx,vy,vz,dV");
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    std::istringstream fields(line);
    std::string field;
    std::vector<std::string> parts;
    while (std::getline(fields, field, ',')) parts.push_back(field);
    ASSERT_EQ(parts.size(), 9u) << line;
    EXPECT_EQ(parts[0], std::to_string(count));
    EXPECT_EQ(readBack(parts[2]), 1.0 / count);
    EXPECT_EQ(readBack(parts[3]), -0.5 * count);
    EXPECT_EQ(readBack(parts[8]), static_cast<double>(static_cast<float>(7.948472813268381e-08) * count));
  }
  EXPECT_EQ(count, rows);
}

TEST(TraceWriters, JsonStringsAreEscaped) {
  const std::vector<std::pair<std::string, std::string>> rows{
      {"dV=0.0001%", "\"dV=0.0001%\""},
      {"w=4\"824", "\"w=4\\\"824\""},
      {"a\\b", "\"a\\\\b\""},
      {"line\nfeed\ttab", "\"line\\nfeed\\ttab\""},
      {std::string("\x01", 1), "\"\\u0001\""},
      {"T - бесконечен", "\"T - бесконечен\""},  // UTF-8 passes through
  };
  for (const auto& [text, expected] : rows) EXPECT_EQ(jsonString(text), expected);
}

TEST(TraceWriters, SummaryHasTheFieldsInOrderAndNullForBrokenCoordinates) {
  const ResultCaptions captions{"w=1", "T=2", "R=3", "H=4"};
  EXPECT_EQ(summaryJson(captions, 2501, 1.01497919034887, 0.5, -4, "dV=0.0001%"),
            "{\"captions\": [\"w=1\", \"T=2\", \"R=3\", \"H=4\"], \"steps\": 2501, \"x\": 1.01497919034887, "
            "\"y\": 0.5, \"z\": -4, \"dV\": \"dV=0.0001%\"}\n");
  const std::string broken =
      summaryJson(captions, 7, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 0, "x");
  EXPECT_NE(broken.find("\"x\": null, \"y\": null, \"z\": 0,"), std::string::npos) << broken;
}

}  // namespace
}  // namespace larmor
