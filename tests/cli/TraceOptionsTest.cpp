#include "cli/TraceOptions.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace larmor {
namespace {

TraceParse parse(std::initializer_list<const char*> args) {
  QStringList list{QStringLiteral("larmor-trace")};
  for (const char* a : args) list << QString::fromUtf8(a);
  return parseTraceOptions(list);
}

TEST(TraceOptions, KeepsTheOrderOfDifferentOptionsAndRepeats) {
  const TraceParse p = parse({"--speed", "100", "--charge", "-3", "--S", "1,5", "--config", "7", "--speed=200",
                              "--periods", " 2.5", "--config", "4"});
  ASSERT_TRUE(p.ok()) << p.error;
  EXPECT_EQ(p.options.configurations, (std::vector<int>{7, 4}));
  const std::vector<std::pair<TraceControl, int>> expected{
      {TraceControl::Speed, 100}, {TraceControl::Charge, -3}, {TraceControl::S, 0},
      {TraceControl::Speed, 200}, {TraceControl::Periods, 0}};
  ASSERT_EQ(p.options.actions.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(p.options.actions[i].control, expected[i].first) << i;
    EXPECT_EQ(p.options.actions[i].position, expected[i].second) << i;
  }
  EXPECT_EQ(p.options.actions[2].text, "1,5");
  EXPECT_EQ(p.options.actions[4].text, " 2.5");
}

struct ValueRow {
  const char* name;
  std::vector<const char*> args;
  TraceControl control;
  int position;
};

TEST(TraceOptions, ValuesBecomeControlPositions) {
  const std::vector<ValueRow> rows{
      {"negative after blank", {"--charge", "-3"}, TraceControl::Charge, -3},
      {"negative after equals", {"--charge=-5"}, TraceControl::Charge, -5},
      {"single dash", {"-beta", "-180"}, TraceControl::Beta, -180},
      {"plus sign", {"--alpha", "+90"}, TraceControl::Alpha, 90},
      {"exponent form of a whole number", {"--region", "1e1"}, TraceControl::Region, 10},
      {"electron mass", {"--mass", "0"}, TraceControl::Mass, 0},
      {"field start value", {"--field", "5e-4"}, TraceControl::Field, 10000},
      {"field top", {"--field", "0.0015"}, TraceControl::Field, 30000},
      {"field smallest step", {"--field", "5e-08"}, TraceControl::Field, 1},
      {"x0 in tenths", {"--x0", "0.3"}, TraceControl::X0, 3},
      {"y0 bottom", {"--y0", "-5"}, TraceControl::Y0, -50},
      {"z0 tenths", {"--z0", "-3.3"}, TraceControl::Z0, -33},
      {"z0 top", {"--z0", "10.0"}, TraceControl::Z0, 100},
  };
  for (const ValueRow& row : rows) {
    QStringList list{QStringLiteral("larmor-trace")};
    for (const char* a : row.args) list << QString::fromUtf8(a);
    const TraceParse p = parseTraceOptions(list);
    ASSERT_TRUE(p.ok()) << row.name << ": " << p.error;
    ASSERT_EQ(p.options.actions.size(), 1u) << row.name;
    EXPECT_EQ(p.options.actions[0].control, row.control) << row.name;
    EXPECT_EQ(p.options.actions[0].position, row.position) << row.name;
  }
}

struct ErrorRow {
  const char* name;
  std::vector<const char*> args;
  const char* mentions;  // the option the line must name
};

TEST(TraceOptions, BadInputGivesOneLineNamingTheOption) {
  const std::vector<ErrorRow> rows{
      {"unknown option", {"--colour", "red"}, "--colour"},
      {"missing value", {"--summary", "--speed"}, "--speed"},
      {"not a number", {"--speed", "fast"}, "--speed"},
      {"infinite", {"--speed", "inf"}, "--speed"},
      {"not a number nan", {"--alpha", "nan"}, "--alpha"},
      {"fraction for a whole number", {"--charge", "2.5"}, "--charge"},
      {"above range", {"--charge", "6"}, "--charge"},
      {"below range", {"--region", "0"}, "--region"},
      {"configuration out of range", {"--config", "8"}, "--config"},
      {"field off grid", {"--field", "3e-8"}, "--field"},
      {"field above range", {"--field", "0.00150005"}, "--field"},
      {"negative field", {"--field", "-5e-8"}, "--field"},
      {"x0 off grid", {"--x0", "0.15"}, "--x0"},
      {"x0 out of range", {"--x0", "5.1"}, "--x0"},
      {"z0 out of range", {"--z0", "-10.1"}, "--z0"},
      {"empty number", {"--mass="}, "--mass"},
      {"separator of two characters", {"--sep", ".."}, "--sep"},
      {"digit separator", {"--sep", "5"}, "--sep"},
      {"value for a flag", {"--summary=yes"}, "--summary"},
      {"width without picture", {"--width", "300"}, "--width"},
      {"width too small", {"--png", "a.png", "--width", "8"}, "--width"},
      {"positional argument", {"extra"}, "extra"},
      {"lone double dash", {"--"}, "--"},
  };
  for (const ErrorRow& row : rows) {
    QStringList list{QStringLiteral("larmor-trace")};
    for (const char* a : row.args) list << QString::fromUtf8(a);
    const TraceParse p = parseTraceOptions(list);
    ASSERT_FALSE(p.ok()) << row.name;
    EXPECT_NE(p.error.find(row.mentions), std::string::npos) << row.name << ": " << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << row.name;
  }
}

TEST(TraceOptions, HelpAndUsageListEveryOption) {
  EXPECT_TRUE(parse({"-h"}).options.help);
  EXPECT_TRUE(parse({"--help"}).options.help);
  const std::string usage = traceUsage();
  for (const char* name : {"--config", "--charge", "--mass", "--speed", "--alpha", "--beta", "--field", "--region",
                           "--x0", "--y0", "--z0", "--S", "--d", "--periods", "--sep", "--png", "--width",
                           "--summary"})
    EXPECT_NE(usage.find(name), std::string::npos) << name;
}

}  // namespace
}  // namespace larmor
