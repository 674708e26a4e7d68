#include "cli/TraceOptions.h"

#include <cstdlib>

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
      {{"-beta", "-180"}, A::moveBar(Bar::VScroll10, -180)},   {{"--region", "1e1"}, A::moveBar(Bar::VScroll3, 10)},
      {{"--field", "5e-4"}, A::moveBar(Bar::VScroll5, 10000)}, {{"--x0", "0.3"}, A::moveBar(Bar::VScroll7, 3)},
      {{"--z0", "-3.3"}, A::moveBar(Bar::VScroll9, -33)},
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
      {{"--speed", "fast"}, "--speed"},  {{"--charge", "2.5"}, "--charge"},        {{"--field", "3e-8"}, "--field"},
      {{"--x0", "0.15"}, "--x0"},        {{"--mass="}, "--mass"},
      {{"--summary=yes"}, "--summary"},  {{"--width", "300"}, "--width"},          {{"extra"}, "extra"},
      {{"--"}, "--"},
      {{"--charge", "1\n2"}, "'1\\n2'"}, {{"--co\nlour"}, "--co\\nlour"},  // kept on one line
      {{"--diagnostics", "--summary"}, "--diagnostics adds columns to the CSV"},  // not dropped unsaid
      // a value lost to the next option: both named
      {{"--periods", "--summary"}, "--periods needs a value but is followed by the option --summary"},
      {{"--S", "-h"}, "--S needs a value but is followed by the option -h"},
      {{"--png", "-config=4"}, "--png needs a value but is followed by the option -config"},
      {{"--azimuth", "10"}, "--azimuth and --elevation are only accepted together with --png3d"},
      {{"--png", "a.png", "--png3d-width", "640"}, "--png3d-width, --azimuth and --elevation are only accepted together with --png3d"},
      {{"--png3d", "a.png", "--elevation", "90.5"}, "--elevation"}, {{"--png3d", "a.png", "--azimuth", "-361"}, "--azimuth"},
  };
  for (const auto& [args, mentions] : rows) {
    const TraceParse p = parse(args);
    ASSERT_FALSE(p.ok()) << args[0];
    EXPECT_NE(p.error.find(mentions), std::string::npos) << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
  }
}

// The companion's own ranges and a control's, at both ends and one step beyond; a refusal
// names the option, the value and what it accepts. (Every control's ends are the control
// table's test; options reach the table through one rule.)
TEST(TraceOptions, EveryRangeEndIsTakenAndOneStepBeyondIsRefused) {
  const struct { std::string option; const char *lowest, *highest, *below, *above, *accepts; } rows[] = {
      {"--width", "16", "2048", "15", "2049", "from 16 to 2048"}, {"--max-steps", "1", "12000000", "0", "12000001", ""},
      {"--png3d-width", "200", "4096", "199", "4097", "from 200 to 4096"},
      {"--beta", "-180", "180", "-181", "181", "from -180 to 180"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.option);
    auto parsed = [&r](const char* value) {
      return parse({r.option.c_str(), value, r.option == "--png3d-width" ? "--png3d" : "--png", "a.png"});
    };
    for (const char* value : {r.lowest, r.highest}) {
      const TraceParse p = parsed(value);
      ASSERT_TRUE(p.ok()) << p.error;
      const TraceOptions& o = p.options;
      EXPECT_EQ(r.option == "--width"          ? o.width
                : r.option == "--png3d-width" ? o.png3dWidth
                : r.option == "--max-steps"   ? o.maxSteps
                                              : o.actions.at(0).value,
                std::atoll(value));
    }
    for (const char* value : {r.below, r.above}) {
      const std::string error = parsed(value).error;
      EXPECT_EQ(error.rfind("larmor-trace: " + r.option + " '" + value + "' is not accepted; it accepts ", 0), 0u) << error;
      EXPECT_NE(error.find(r.accepts), std::string::npos) << error;
    }
  }
}

// Any printable ASCII character but a digit or a blank: the captions stay readable.
TEST(TraceOptions, TheSeparatorIsOnePrintableCharacterOtherThanADigitOrABlank) {
  for (const char* sep : {",", ";", "~", "!", "'"}) EXPECT_EQ(parse({"--sep", sep}).options.separator, sep[0]) << sep;
  for (const char* sep : {" ", "\t", "\x7f", "\x01", "0", "9", "..", "é", ""}) {
    const TraceParse p = parse({"--sep", sep});
    EXPECT_EQ(p.error.rfind("larmor-trace: --sep '", 0), 0u) << p.error;
  }
}

}  // namespace
}  // namespace larmor
