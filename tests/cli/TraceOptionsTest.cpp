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
  using A = PanelAction;
  const struct { std::vector<const char*> args; PanelAction action; } rows[] = {
      {{"--charge", "-3"}, A::moveBar(Bar::VScroll1, -3)},     {{"--charge=-5"}, A::moveBar(Bar::VScroll1, -5)},
      {{"-beta", "-180"}, A::moveBar(Bar::VScroll10, -180)},   {{"--alpha", "+90"}, A::moveBar(Bar::VScroll6, 90)},
      {{"--region", "1e1"}, A::moveBar(Bar::VScroll3, 10)},    {{"--z0", "10.0"}, A::moveBar(Bar::VScroll9, 100)},
      {{"--field", "5e-4"}, A::moveBar(Bar::VScroll5, 10000)}, {{"--field", "5e-08"}, A::moveBar(Bar::VScroll5, 1)},
      {{"--x0", "0.3"}, A::moveBar(Bar::VScroll7, 3)},         {{"--z0", "-3.3"}, A::moveBar(Bar::VScroll9, -33)},
      {{"--periods", " 2.5"}, A::typeText(TextBox::Text2, " 2.5")}, {{"--d", "1"}, A::typeText(TextBox::Text3, "1")},
  };
  for (const auto& row : rows) {
    const TraceParse p = parse(row.args);
    ASSERT_TRUE(p.ok() && p.options.actions.size() == 1u) << row.args[0] << ": " << p.error;
    EXPECT_TRUE(p.options.actions[0] == row.action) << row.args[0];
  }
  const TraceParse p = parse({"--speed", "100", "--config", "7", "--S", "1,5", "--speed=200", "--config", "4"});
  ASSERT_TRUE(p.ok() && p.options.actions.size() == 3u) << p.error;
  EXPECT_EQ(p.options.configurations, (std::vector<int>{7, 4}));
  EXPECT_EQ(p.options.actions[0].value, 100);
  EXPECT_EQ(p.options.actions[1].text, "1,5");  // as typed: the box's rule reads it later
  EXPECT_EQ(p.options.actions[2].value, 200);
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
