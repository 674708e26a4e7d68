#include "cli/TraceOptions.h"

#include <gtest/gtest.h>

namespace larmor {
namespace {

TraceParse parse(const std::vector<const char*>& args) {
  QStringList list{QStringLiteral("larmor-trace")};
  for (const char* a : args) list << QString::fromUtf8(a);
  return parseTraceOptions(list);
}

TEST(TraceOptions, ValuesBecomeControlPositionsInTheOrderGiven) {
  using C = TraceControl;
  const struct { std::vector<const char*> args; C control; int position; } rows[] = {
      {{"--charge", "-3"}, C::Charge, -3},   {{"--charge=-5"}, C::Charge, -5},     {{"-beta", "-180"}, C::Beta, -180},
      {{"--alpha", "+90"}, C::Alpha, 90},     {{"--region", "1e1"}, C::Region, 10}, {{"--z0", "10.0"}, C::Z0, 100},
      {{"--field", "5e-4"}, C::Field, 10000}, {{"--field", "0.0015"}, C::Field, 30000},
      {{"--field", "5e-08"}, C::Field, 1},    {{"--x0", "0.3"}, C::X0, 3},          {{"--y0", "-5"}, C::Y0, -50},
      {{"--z0", "-3.3"}, C::Z0, -33},         {{"--periods", " 2.5"}, C::Periods, 0}, {{"--d", "1"}, C::D, 0},
  };
  for (const auto& row : rows) {
    const TraceParse p = parse(row.args);
    ASSERT_TRUE(p.ok() && p.options.actions.size() == 1u) << row.args[0] << ": " << p.error;
    EXPECT_EQ(std::pair(p.options.actions[0].control, p.options.actions[0].position), std::pair(row.control, row.position))
        << row.args[0];
  }
  const TraceParse p = parse({"--speed", "100", "--config", "7", "--S", "1,5", "--speed=200", "--config", "4"});
  ASSERT_TRUE(p.ok() && p.options.actions.size() == 3u) << p.error;
  EXPECT_EQ(p.options.configurations, (std::vector<int>{7, 4}));
  EXPECT_EQ(p.options.actions[0].position, 100);
  EXPECT_EQ(p.options.actions[1].text, "1,5");  // as typed: the box's rule reads it later
  EXPECT_EQ(p.options.actions[2].position, 200);
  // A value may start with a minus sign; an option's name is taken as a value only after "=".
  const std::pair<std::vector<const char*>, const char*> texts[] = {
      {{"--periods", "-5"}, "-5"}, {{"--S", "-summary5"}, "-summary5"}, {{"--periods=--summary"}, "--summary"}};
  for (const auto& [args, text] : texts) {
    const TraceParse t = parse(args);
    ASSERT_TRUE(t.ok() && t.options.actions.size() == 1u) << args[0] << ": " << t.error;
    EXPECT_EQ(t.options.actions[0].text, text);
  }
  EXPECT_EQ(parse({"--max-steps", "2500"}).options.maxSteps, 2500);
}

TEST(TraceOptions, BadInputGivesOneLineNamingTheOption) {
  const std::pair<std::vector<const char*>, const char*> rows[] = {
      {{"--colour", "red"}, "--colour"}, {{"--summary", "--speed"}, "--speed"},  // missing value
      {{"--speed", "fast"}, "--speed"},  {{"--speed", "inf"}, "--speed"},          {{"--charge", "2.5"}, "--charge"},
      {{"--charge", "6"}, "--charge"},   {{"--region", "0"}, "--region"},          {{"--config", "8"}, "--config"},
      {{"--field", "3e-8"}, "--field"},  {{"--field", "0.00150005"}, "--field"},   {{"--field", "-5e-8"}, "--field"},
      {{"--x0", "0.15"}, "--x0"},        {{"--x0", "5.1"}, "--x0"},                {{"--z0", "-10.1"}, "--z0"},
      {{"--mass="}, "--mass"},           {{"--sep", ".."}, "--sep"},               {{"--sep", "5"}, "--sep"},
      {{"--summary=yes"}, "--summary"},  {{"--width", "300"}, "--width"},  {{"--png", "a.png", "--width", "8"}, "--width"},
      {{"extra"}, "extra"},              {{"--"}, "--"},
      {{"--charge", "1\n2"}, "'1\\n2'"}, {{"--co\nlour"}, "--co\\nlour"},  // kept on one line
      {{"--max-steps", "0"}, "--max-steps"}, {{"--max-steps", "1e9"}, "--max-steps"},
      {{"--diagnostics", "--summary"}, "--diagnostics adds columns to the CSV"},  // not dropped unsaid
      // a value lost to the next option: both named
      {{"--periods", "--summary"}, "--periods needs a value but is followed by the option --summary"},
      {{"--S", "-h"}, "--S needs a value but is followed by the option -h"},
      {{"--png", "-config=4"}, "--png needs a value but is followed by the option -config"},
  };
  for (const auto& [args, mentions] : rows) {
    const TraceParse p = parse(args);
    ASSERT_FALSE(p.ok()) << args[0];
    EXPECT_NE(p.error.find(mentions), std::string::npos) << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
  }
}

}  // namespace
}  // namespace larmor
