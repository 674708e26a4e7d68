// Scenario files: what the panel holds survives a save and an open bit for bit, whatever
// the panel showed before; every kind of bad file is refused with the first problem named.
#include "panel/ScenarioActions.h"
#include "panel/ScenarioFile.h"
#include "panel/ScenarioJson.h"

#include "model/SimParams.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace larmor {
namespace {

// A panel as the window has it after start-up: the start values and the first resize's recompute.
ControlPanel startedPanel() {
  ControlPanel panel('.');
  startUpAsTheWindow(panel);
  return panel;
}

ControlPanel panelAfter(const std::vector<PanelAction>& actions) {
  ControlPanel panel = startedPanel();
  for (const PanelAction& action : actions) perform(panel, action);
  return panel;
}

template <typename T>
bool sameBits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Everything the window shows of the panel and everything a run reads, bit for bit. The
// tooltips of Label1 and Label2 are left out: they keep the window's design texts until
// their bar is first moved, which no control position records. A panel still showing
// the start-up picture shows the structure's after an open, since only a selection sets it.
void expectSamePanel(const ControlPanel& opened, const ControlPanel& saved) {
  for (std::size_t i = 0; i < barCount; ++i)
    EXPECT_EQ(opened.position(static_cast<Bar>(i)), saved.position(static_cast<Bar>(i))) << "bar " << i;
  for (std::size_t i = 0; i < textBoxCount; ++i)
    EXPECT_EQ(opened.text(static_cast<TextBox>(i)), saved.text(static_cast<TextBox>(i))) << "Text" << i + 1;
  for (int label = 1; label < 30; ++label) {
    EXPECT_EQ(opened.caption(label), saved.caption(label)) << "Label" << label;
    if (label > 2) {
      EXPECT_EQ(opened.tooltip(label), saved.tooltip(label)) << "Label" << label;
    }
  }
  EXPECT_EQ(opened.selectedEntry(), saved.selectedEntry());
  EXPECT_EQ(std::pair(opened.showsS(), opened.showsD()), std::pair(saved.showsS(), saved.showsD()));
  EXPECT_EQ(opened.picture(), saved.picture() == "mudr.gif" ? "1.gif" : saved.picture());
  EXPECT_EQ(opened.integrator(), saved.integrator());
  const SimulationState &a = opened.state(), &b = saved.state();
  const SimParams &p = a.params, &q = b.params;
  EXPECT_TRUE(sameBits(p.q, q.q) && sameBits(p.m, q.m) && p.v == q.v && p.alpha == q.alpha &&
              sameBits(p.alphaRad, q.alphaRad) && p.beta == q.beta && sameBits(p.betaRad, q.betaRad) &&
              sameBits(p.Bo, q.Bo) && p.regionSize == q.regionSize && p.slowdown == q.slowdown);
  EXPECT_TRUE(sameBits(p.x0, q.x0)) << p.x0 << " " << q.x0;
  EXPECT_TRUE(sameBits(p.y0, q.y0) && sameBits(p.z0, q.z0)) << p.y0 << " " << q.y0 << " " << p.z0 << " " << q.z0;
  EXPECT_TRUE(sameBits(p.S, q.S) && sameBits(p.d, q.d) && sameBits(p.periods, q.periods)) << p.S << " " << q.S;
  EXPECT_EQ(a.fieldConfig, b.fieldConfig);
  const DerivedQuantities &k = a.quantities, &l = b.quantities;
  EXPECT_TRUE(sameBits(k.omega, l.omega) && sameBits(k.vPerp, l.vPerp) && sameBits(k.vPar, l.vPar) &&
              sameBits(k.vx0, l.vx0) && sameBits(k.vy0, l.vy0));
  // tEnd is left out: the run length typed last is taken at the start, whose recompute makes it anew.
  EXPECT_TRUE(sameBits(k.period, l.period) && sameBits(k.radius, l.radius) && sameBits(k.pitch, l.pitch))
      << k.period << " " << l.period;
  EXPECT_TRUE(sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z));
}

using A = PanelAction;

struct State {
  std::string name;
  std::vector<PanelAction> actions;
};

std::vector<State> panelStates() {
  std::vector<State> states{{"start-up", {}}};
  const char* const barNames[] = {"charge", "mass", "region", "speed", "field", "alpha", "x0", "y0", "z0", "beta", "slowdown"};
  // Every bar alone at each end, in the first structure.
  for (std::size_t i = 0; i < barCount; ++i) {
    const Bar bar = static_cast<Bar>(i);
    states.push_back({std::string(barNames[i]) + " lowest", {A::moveBar(bar, barRange(bar).lowest)}});
    states.push_back({std::string(barNames[i]) + " highest", {A::moveBar(bar, barRange(bar).highest)}});
  }
  // Every structure with every bar at one end, and selected after the bars were moved.
  for (int row = 0; row < 7; ++row) {
    for (const bool highest : {false, true}) {
      std::vector<PanelAction> actions{A::selectEntry(row)};
      for (std::size_t i = 0; i < barCount; ++i) {
        const BarRange& range = barRange(static_cast<Bar>(i));
        actions.push_back(A::moveBar(static_cast<Bar>(i), highest ? range.highest : range.lowest));
      }
      states.push_back({"structure " + std::to_string(row + 1) + (highest ? ", bars highest" : ", bars lowest"), actions});
      actions.push_back(A::selectEntry(row));
      states.push_back({"structure " + std::to_string(row + 1) + (highest ? ", highest, chosen again" : ", lowest, chosen again"),
                        actions});
    }
  }
  // What the text boxes hold as typed, readable or not.
  const std::string texts[] = {"", "3,3", "1e999", "-1e999", "abc", " -7", "١٢", "12.5", "0.30000",
                               "a\"b\\c\n\t", std::string("4\0" "5", 3), std::string(scenarioMaxText, '9')};
  for (const std::string& text : texts)
    states.push_back({"texts '" + text.substr(0, 12) + "'",
                      {A::selectEntry(3), A::typeText(TextBox::Text1, text), A::typeText(TextBox::Text3, text),
                       A::typeText(TextBox::Text2, text)}});
  // The second trap's x0: the list's 0.3 or the bar's 3 × 0.1, by how the structure was reached.
  states.push_back({"trap 2 from start-up (x0 = 3 × 0.1)", {A::selectEntry(6)}});
  states.push_back({"trap 2 chosen twice (x0 = 0.3)", {A::selectEntry(6), A::selectEntry(6)}});
  states.push_back({"x0 bar at 3 before trap 2", {A::moveBar(Bar::VScroll7, 3), A::selectEntry(6)}});
  states.push_back({"trap 2, x0 moved away and back", {A::selectEntry(6), A::selectEntry(6), A::moveBar(Bar::VScroll7, 4),
                                                        A::moveBar(Bar::VScroll7, 3)}});
  // The illustration: the velocity picture after an angle, the structure's after a selection.
  states.push_back({"velocity picture", {A::selectEntry(5), A::moveBar(Bar::VScroll10, -180)}});
  states.push_back({"velocity picture, alpha at its top", {A::moveBar(Bar::VScroll6, 180)}});
  states.push_back({"angle, then a structure", {A::moveBar(Bar::VScroll6, 10), A::selectEntry(4)}});
  states.push_back({"Boris", {A::chooseIntegrator(Integrator::Boris), A::selectEntry(1)}});
  states.push_back({"a resize's recompute", {A::moveBar(Bar::VScroll1, 0), A::recompute()}});
  return states;
}

// Saved, read back, opened in a panel fresh from start-up and in one left in another
// state: the same panel each time.
TEST(Scenario, EveryStateRoundTripsBitForBitFromAnyPreviousState) {
  const std::vector<State> states = panelStates();
  for (std::size_t k = 0; k < states.size(); ++k) {
    SCOPED_TRACE(states[k].name);
    const ControlPanel saved = panelAfter(states[k].actions);
    Scenario scenario = scenarioOf(saved, "Урок", "Строка 1\nстрока 2");
    if (k % 2) scenario.titleEnglish = "Lesson", scenario.descriptionEnglish = "Line 1\nline 2";  // and without them
    const std::string json = scenarioJson(scenario);
    const ScenarioRead read = readScenario(json);
    ASSERT_TRUE(read.ok()) << problemText(*read.problem, Language::English) << "\n" << json;
    EXPECT_TRUE(read.scenario == scenario) << json;

    ControlPanel fresh = startedPanel();
    applyScenario(fresh, read.scenario);
    expectSamePanel(fresh, saved);
    ControlPanel used = panelAfter(states[(k + 7) % states.size()].actions);
    applyScenario(used, read.scenario);
    expectSamePanel(used, saved);
    Scenario again = scenarioOf(used, "Урок", "Строка 1\nстрока 2");
    again.titleEnglish = scenario.titleEnglish, again.descriptionEnglish = scenario.descriptionEnglish;
    EXPECT_TRUE(again == scenario);
  }
}

// Each kind of bad file gives its problem, naming the key and the value as written.
TEST(Scenario, BadFilesNameTheirFirstProblem) {
  const std::string good = scenarioJson(scenarioOf(startedPanel()));
  auto with = [&good](const std::string& from, const std::string& to) {
    std::string json = good;
    const std::size_t at = json.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? json : json.replace(at, from.size(), to);
  };
  // With the charge at 0 the file may say which recompute left the kept quantities.
  auto kept = [&with, &good](const std::string& more) {
    return with("\"picture\": \"structure\"", "\"picture\": \"structure\", \"keptFrom\": {\"charge\": 1, \"mass\": 1, "
                "\"field\": 0.0005, \"speed\": 22000, \"alpha\": 83" + more + "}").replace(good.find("\"charge\": 1"), 11, "\"charge\": 0");
  };
  ASSERT_TRUE(readScenario(kept("")).ok()) << problemText(*readScenario(kept("")).problem, Language::English);
  using K = ScenarioProblem::Kind;
  const struct {
    std::string file;
    K kind;
    const char* russian;  // the message says this
    const char* english;
  } cases[] = {
      {std::string(scenarioMaxBytes + 1, ' '), K::TooLarge, "больше 1 МБ", "larger than 1 MiB"},
      {" \n\t ", K::NotJson, "файл пуст", "the file is empty"},
      {good.substr(0, 40), K::NotJson, "не JSON: ошибка разбора на байте 41", "not JSON: a syntax error at byte 41"},
      {"\xEF\xBB\xBF" "[1, 2]", K::NotAnObject, "нет объекта JSON", "no JSON object"},
      {std::string(100000, '[') + std::string(100000, ']'), K::NotAnObject, "нет объекта", "no JSON object"},
      {with("larmor-scenario", "larmor"), K::NotAScenario, "не сценарий Larmor", "not a Larmor scenario"},
      {with("\"version\": 1", "\"version\": 2"), K::NewerVersion, "версия формата 2 новее", "version 2 is newer"},
      {with("\"version\": 1", "\"version\": 1.5"), K::BadVersion, "\"version\" = 1.5", "\"version\" = 1.5"},
      {with("\"version\": 1", "\"version\": \"1\""), K::BadVersion, "\"version\" = \"1\"", "whole number from 1"},
      {with("\"speed\": 22000,", ""), K::Missing, "нет значения \"speed\"", "\"speed\" is missing"},
      {with("\"beta\": 60", "\"beta\": 60, \"beta\": 61"), K::Duplicate, "\"beta\" задан дважды", "\"beta\" is given twice"},
      {with("\"picture\"", "\"pictur\""), K::Unknown, "неизвестный ключ \"pictur\"", "unknown key \"pictur\""},
      {with("\"charge\": 1", "\"charge\": \"1\""), K::WrongType, "\"charge\" = \"1\": нужно целое число от -5 до 5",
       "it must be a whole number from -5 to 5"},
      {with("\"charge\": 1", "\"charge\": true"), K::WrongType, "= true", "= true"},
      {with("\"periods\": \" 25\"", "\"periods\": 25"), K::WrongType, "нужно текст в кавычках", "a text in quotes"},
      {with("\"x0\": 1.0", "\"x0\": 0.35"), K::OffGrid, "\"x0\" = 0.35: между делениями", "lies between two steps"},
      {with("\"slowdown\": 3", "\"slowdown\": 1e308"), K::OffRange, "вне диапазона", "out of range"},
      // Beyond the double range the parser itself stops: still the key and the number as written.
      {with("\"speed\": 22000", "\"speed\": -1e400"), K::OffRange, "\"speed\" = -1e400: вне диапазона",
       "\"speed\" = -1e400 is out of range"},
      {with("\"picture\": \"structure\"", "\"picture\": \"structure\", \"keptFrom\": {\"field\": 2e999}"), K::OffRange,
       "\"keptFrom.field\" = 2e999: вне диапазона", "\"keptFrom.field\" = 2e999 is out of range"},
      {with("\"speed\": 22000", "\"speed\": 22000, \"spead\": [1e400]"), K::Unknown, "неизвестный ключ \"spead\"",
       "unknown key \"spead\""},
      {"[" + std::string(50, '9') + "e999]", K::NotAnObject, "нет объекта", "no JSON object"},
      // A text is strict UTF-8, as the window reads it.
      {with("\"S\": \"3.30\"", "\"S\": \"3\xFF\""), K::NotJson, "это не JSON", "not JSON"},
      {with("\"integrator\": \"rk4\"", "\"integrator\": \"euler\""), K::BadChoice,
       "\"integrator\" = \"euler\": допускается \"rk4\" или \"boris\"", "it accepts \"rk4\" or \"boris\""},
      {with("\"picture\": \"structure\"", "\"picture\": \"mudr\""), K::BadChoice, "\"structure\" или \"velocity\"",
       "\"structure\" or \"velocity\""},
      {with("\"x0\": 1.0", "\"x0\": 0.5, \"x0FromList\": true"), K::X0NotFromList, "x0FromList", "x0FromList"},
      {with("\"format\"", "\"title\": \"" + std::string(scenarioMaxTitle + 1, 'T') + "\", \"format\""), K::TooLong,
       "\"title\" длиннее 200 знаков", "\"title\" is longer than 200 characters"},
      {with("\"S\": \"3.30\"", "\"S\": \"" + std::string(scenarioMaxText + 1, '3') + "\""), K::TooLong, "длиннее 32767",
       "longer than 32767"},
      {with("\"speed\": 22000", "\"speed\": 22000, \"a\\nb\": 1"), K::Unknown, "неизвестный ключ \"a\\nb\"", "\"a\\nb\""},
      // Inside keptFrom too, a key is known and given once.
      {kept(", \"spin\": 2"), K::Unknown, "неизвестный ключ \"keptFrom.spin\"", "unknown key \"keptFrom.spin\""},
      {kept(", \"mass\": 2"), K::Duplicate, "ключ \"keptFrom.mass\" задан дважды", "\"keptFrom.mass\" is given twice"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.english);
    const ScenarioRead read = readScenario(c.file);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.problem->kind, c.kind);
    for (const auto& [language, expected] : {std::pair{Language::Russian, c.russian}, {Language::English, c.english}}) {
      const std::string text = problemText(*read.problem, language);
      EXPECT_NE(text.find(expected), std::string::npos) << text;
      EXPECT_EQ(text.find('\n'), std::string::npos) << text;
    }
  }
}

// A file is read up to one byte past the largest scenario, so a larger one is refused as
// too large; a file that cannot be read says why, as the system puts it.
TEST(ScenarioFile, ReadsAtMostTheLargestScenarioAndSaysWhyAFileCannotBeRead) {
  const std::string folder = ::testing::TempDir();
  const std::string lesson = LARMOR_EXAMPLES_DIR "/01-cyclotron-circle.larmor";
  EXPECT_TRUE(readScenarioFile(lesson).ok());
  for (const auto& [size, kind] : {std::pair{scenarioMaxBytes, ScenarioProblem::Kind::NotJson},
                                   {scenarioMaxBytes + 1, ScenarioProblem::Kind::TooLarge}}) {
    const std::string path = folder + "/blank.larmor";
    std::ofstream(path, std::ios::binary) << std::string(size, ' ');
    const ScenarioFileRead file = readScenarioFile(path);
    ASSERT_TRUE(file.unreadable.empty() && !file.read.ok()) << size;
    EXPECT_EQ(file.read.problem->kind, kind) << size;
    std::remove(path.c_str());
  }
  const std::pair<std::string, const char*> unreadable[] = {{folder + "/missing.larmor", std::strerror(ENOENT)},
                                                            {folder, std::strerror(EISDIR)}};
  for (const auto& [path, reason] : unreadable) EXPECT_EQ(readScenarioFile(path).unreadable, reason) << path;
}

}  // namespace
}  // namespace larmor
