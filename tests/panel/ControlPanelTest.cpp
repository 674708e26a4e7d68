// The handler rules of the panel: what each control's handler writes, in which order, how
// often it recomputes, and what a selection sets off, checked against the texts and values
// a user is meant to see. The pure text and value rules are the model tests'. And the
// control table against the design's ends (ControlEnds.h), the tolerance of its grid, what
// a message says a control accepts, and the panel's own rule at the ends: a bar moved
// beyond one stops there.
#include "panel/ControlPanel.h"
#include "panel/ControlTable.h"

#include "ControlEnds.h"

#include "model/SimParams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace larmor {
namespace {

const char* barName(Bar bar) {
  static const char* const names[] = {"VScroll1", "VScroll2", "VScroll3", "VScroll4", "VScroll5", "VScroll6",
                                      "VScroll7", "VScroll8", "VScroll9", "VScroll10", "HScroll1"};
  return names[static_cast<int>(bar)];
}

// Writes down what the panel reports, in order: "Label4=…" a caption, "Label4?=…" a tooltip;
// the four result captions that every recompute writes apart from the rest.
struct Log : PanelObserver {
  std::vector<std::string> events, results;
  void barSet(Bar bar, int p) override { events.push_back(std::string(barName(bar)) + "=" + std::to_string(p)); }
  void textSet(TextBox box, const std::string& t) override { events.push_back("Text" + std::to_string(int(box) + 1) + "=" + t); }
  void captionSet(int n, const std::string& t) override {
    (n == 13 || n == 14 || n == 17 || n == 18 ? results : events).push_back("Label" + std::to_string(n) + "=" + t);
  }
  void tooltipSet(int n, const std::string& t) override { events.push_back("Label" + std::to_string(n) + "?=" + t); }
  void lengthInputsShown(bool s, bool d) override { events.push_back(std::string("S,d ") + "01"[s] + "01"[d]); }
  void pictureChosen(const std::string& name) override { events.push_back(name); }
  void markerColoursChanged(int charge) override { events.push_back("markers " + std::to_string(charge)); }
  void recomputed() override { events.push_back("recompute"); }
};

struct Started {
  ControlPanel panel{'.'};
  Log log;
  Started() {
    panel.Form_Load();
    panel.setObserver(&log);
  }
};

TEST(ControlPanel, StartUpShowsTheStartValuesWithTheHandlersSilentUntilItEnds) {
  ControlPanel panel('.');
  Log log;
  panel.setObserver(&log);
  // Before start-up every handler returns at once, touching nothing.
  for (std::size_t i = 0; i < barCount; ++i) panel.moveBar(Bar(i), barRanges[i].highest);
  for (const TextBox box : {TextBox::Text1, TextBox::Text2, TextBox::Text3}) panel.typeText(box, "7");
  EXPECT_EQ(std::tuple(log.events.size(), panel.recomputeCount(), panel.state().params.v, panel.state().params.S),
            std::tuple(0u, 0, std::int16_t(22000), 3.3));

  panel.Form_Load();
  const std::vector<std::pair<int, std::string>> captions = {
      {4, " 1.602176634e-19"}, {5, "1.66053906892e-27"}, {10, "22000"}, {16, "83"}, {25, "60"},
      {12, "5.000e-04"}, {6, "5.00"}, {19, "1.00"}, {21, "0.50"}, {23, "-4.00"}, {29, "3"}, {13, "w=4.824e+04 рад/с"}};
  for (const auto& [label, text] : captions) EXPECT_EQ(panel.caption(label), text) << "Label" << label;
  EXPECT_EQ(panel.tooltip(4), "заряд частицы =  1|e|");
  EXPECT_EQ(panel.tooltip(5), "масса частицы =  1 аем");
  EXPECT_EQ(panel.tooltip(1) + panel.tooltip(2), "");  // the design's until the charge or mass bar moves
  EXPECT_EQ(std::tuple(panel.text(TextBox::Text1), panel.text(TextBox::Text2), panel.text(TextBox::Text3)),
            std::tuple("3.30", " 25", "5.00"));
  EXPECT_EQ(std::tuple(panel.selectedEntry(), panel.state().fieldConfig, panel.showsS(), panel.showsD(), panel.picture()),
            std::tuple(0, FieldConfig(1), false, false, "mudr.gif"));
  const int starts[] = {1, 1, 5, 22000, 10000, 83, 10, 5, -40, 60, 3};
  for (std::size_t i = 0; i < barCount; ++i) EXPECT_EQ(panel.position(Bar(i)), starts[i]) << barName(Bar(i));
  // The bars and boxes reached their start values without a handler: the selection's
  // recompute is the only one.
  EXPECT_EQ(std::pair(panel.recomputeCount(), panel.ready()), std::pair(1, true));
}

// One after the other from the start state. events: what the handler reports, in order;
// results: the result captions of its recompute, where a row states them. A bar moved to
// where it stands runs no handler.
TEST(ControlPanel, EachBarWritesItsFieldCaptionsAndTooltipsInOrderThenRecomputes) {
  constexpr double degree = 3.1415926535 / 180;
  const struct { Bar bar; int position; double value; std::vector<std::string> events, results; } rows[] = {
      {Bar::VScroll1, 0, 0, {"Label1?=заряд частицы", "Label4= 0.000000000e+00", "Label4?=заряд частицы =  0|e|", "markers 0",
       "recompute"}, {"Label13=w=0.000e+00 рад/с", "Label14=T - бесконечен", "Label17=R - бесконечен", "Label18=H - бесконечен"}},
      {Bar::VScroll1, 1, 1.602176634e-19, {"Label1?=Элементарный заряд |е| точно. СИ с 2022 года",
       "Label4= 1.602176634e-19", "Label4?=заряд частицы =  1|e|", "markers 1", "recompute"},
       {"Label13=w=4.824e+04 рад/с", "Label14=T=1.302e-04 с", "Label17=R=4.526e-01 м", "Label18=H=3.492e-01 м"}},
      {Bar::VScroll2, 0, 9.1093837139e-31,
       {"Label5?=масса электрона", "Label5=9.1093837139e-31", "Label2?=масса частицы", "recompute"}, {}},
      {Bar::VScroll2, 1, 1.66053906892e-27, {"Label5?=масса частицы =  1 аем", "Label5=1.66053906892e-27",
       "Label2?=Атомная единица массы. С 2022 года", "recompute"}, {}},
      {Bar::VScroll3, 10, 10, {"Label6=10.00", "recompute"}, {}},
      {Bar::VScroll3, 10, 10, {}, {}},
      {Bar::VScroll4, 40000, 30000, {"Label10=30000", "recompute"}, {}},  // stops at the end
      {Bar::VScroll5, 30000, 30000 * 5e-08, {"Label12=1.500e-03", "recompute"}, {}},
      {Bar::VScroll6, 97, 97 * degree, {"Label16=97", "recompute", "velocity.gif"}, {}},
      {Bar::VScroll7, 3, 0.30000000000000004, {"Label19=0.30", "recompute"}, {}},  // 3 × 0.1
      {Bar::VScroll8, -50, -5, {"Label21=-5.00", "recompute"}, {}},
      {Bar::VScroll9, -33, -3.3f, {"Label23=-3.30", "recompute"}, {}},
      {Bar::VScroll10, -180, float(-180 * degree), {"Label25=-180", "recompute", "velocity.gif"}, {}},
      {Bar::HScroll1, 0, 0, {"Label29=0"}, {}},  // read by the run at its next step
  };
  Started s;
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << barName(row.bar) << " to " << row.position);
    s.log.events.clear(), s.log.results.clear();
    const int before = s.panel.recomputeCount();
    s.panel.moveBar(row.bar, row.position);
    EXPECT_EQ(s.log.events, row.events);
    if (!row.results.empty()) {
      EXPECT_EQ(s.log.results, row.results);
    }
    EXPECT_EQ(s.panel.recomputeCount() - before, std::count(row.events.begin(), row.events.end(), "recompute"));
    const SimParams& p = s.panel.state().params;  // the field each bar's handler writes, in the order of Bar
    const double fields[] = {p.q, p.m, double(p.regionSize), double(p.v), p.Bo, p.alphaRad, p.x0, p.y0, p.z0, p.betaRad, double(p.slowdown)};
    EXPECT_EQ(fields[static_cast<int>(row.bar)], row.value);
  }
  EXPECT_EQ(std::pair(s.panel.state().params.alpha, s.panel.state().params.beta), (std::pair<std::int16_t, std::int16_t>(97, -180)));  // with their radians
}

// Each from the start state; the boxes are read, never written back, and a box keeps what
// was typed.
TEST(ControlPanel, TextBoxesReadWhatIsTypedAndKeepIt) {
  const struct { TextBox box; const char* typed; double value; int recomputes; } rows[] = {
      {TextBox::Text1, "3,3", 3, 1},      {TextBox::Text1, "", 0, 1},
      {TextBox::Text1, "3.3", 3.3, 1},    // the same S: a changed text recomputes all the same
      {TextBox::Text1, "3.30", 3.3, 0},   // the text it holds: no change
      {TextBox::Text3, "2.675", 2.68, 1},  // two decimals, halves away from zero
      {TextBox::Text2, "2.5", 2.5, 0},    // the run length: stored for the next start, no caption
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    Started s;
    const int before = s.panel.recomputeCount();
    s.panel.typeText(row.box, row.typed);
    const SimParams& p = s.panel.state().params;
    EXPECT_EQ(row.box == TextBox::Text1 ? p.S : row.box == TextBox::Text3 ? p.d : p.periods, row.value);
    EXPECT_EQ(s.panel.text(row.box), row.typed);
    EXPECT_EQ(s.panel.recomputeCount() - before, row.recomputes);
    EXPECT_EQ(s.log.events, std::vector<std::string>(row.recomputes, "recompute"));
  }
}

// One after the other from the start state. x0, z0 and S exact: a bar the selection moves
// runs its handler, which sets the value again from the bar (3 × 0.1, not the literal 0.3);
// recomputes: the nested handlers' and the selection's own.
TEST(ControlPanel, EachSelectionSetsItsInputsStartPointAndPicture) {
  const struct { int entry; bool showS, showD; const char* text1; double S, x0; float z0; int x, z, recomputes;
                 const char *x0Caption, *z0Caption, *picture; } rows[] = {
      {1, true, false, "3.30", 3.3, 1, -4, 10, -40, 1, "1.00", "-4.00", "2.gif"},  // S and its text as they were
      {2, true, false, "3.30", 3.3, 1, -4, 10, -40, 1, "1.00", "-4.00", "3.gif"},
      {3, true, true, "0.30", 0.3, 1, -4, 10, -40, 2, "1.00", "-4.00", "4.gif"},    // the S box's handler
      {4, false, false, "0.30", 0.3, 1, -4, 10, -40, 1, "1.00", "-4.00", "5.gif"},  // S kept
      {5, true, false, "5.00", 5, 1, -2, 10, -20, 3, "1.00", "-2.00", "6.gif"},     // S box and z bar
      {6, true, true, "5.00", 5, 0.30000000000000004, -4, 3, -40, 3, "0.30", "-4.00", "7.gif"},  // x and z bars
      {6, true, true, "5.00", 5, 0.3, -4, 3, -40, 1, "0.30", "-4.00", "7.gif"},     // the x bar stands at 3: the literal
      {0, false, false, "5.00", 5, 1, -4, 10, -40, 2, "1.00", "-4.00", "1.gif"},    // the x bar back
  };
  Started s;
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << "entry " << r.entry << ", then " << r.picture);
    const int before = s.panel.recomputeCount();
    s.panel.selectEntry(r.entry);
    const SimulationState& st = s.panel.state();
    EXPECT_EQ(std::tuple(st.fieldConfig, s.panel.showsS(), s.panel.showsD(), s.panel.text(TextBox::Text1)),
              std::tuple(FieldConfig(r.entry + 1), r.showS, r.showD, r.text1));
    EXPECT_EQ(std::tuple(st.params.S, st.params.x0, st.params.z0), std::tuple(r.S, r.x0, r.z0));
    EXPECT_EQ(std::tuple(s.panel.position(Bar::VScroll7), s.panel.position(Bar::VScroll9), s.panel.caption(19),
                         s.panel.caption(23), s.panel.picture()),
              std::tuple(r.x, r.z, r.x0Caption, r.z0Caption, r.picture));
    EXPECT_EQ(s.panel.recomputeCount() - before, r.recomputes);
    EXPECT_EQ(std::pair(st.x, st.z), std::pair(st.params.x0, double(st.params.z0)));  // the particle at its start
  }

  // What was typed survives the selections that do not set it: d every one, S those of the
  // first structure and the centrifugal drift ("2,25" reads as 2).
  s.panel.typeText(TextBox::Text3, "7.5");
  s.panel.typeText(TextBox::Text1, "2,25");
  for (const int entry : {4, 0}) s.panel.selectEntry(entry);
  EXPECT_EQ(std::pair(s.panel.text(TextBox::Text1), s.panel.state().params.S), std::pair(std::string("2,25"), 2.0));
  s.panel.selectEntry(3);
  EXPECT_EQ(std::tuple(s.panel.text(TextBox::Text1), s.panel.text(TextBox::Text3), s.panel.state().params.d),
            std::tuple("0.30", "7.5", 7.5));

  // The entry already chosen, chosen again, brings its picture back after a velocity change;
  // no entry at all only recomputes.
  s.panel.moveBar(Bar::VScroll6, 45);
  const int before = s.panel.recomputeCount();
  s.panel.selectEntry(3);
  EXPECT_EQ(std::pair(s.panel.picture(), s.panel.recomputeCount() - before), std::pair(std::string("4.gif"), 1));
  s.panel.selectEntry(-1);
  EXPECT_EQ(std::pair(s.panel.state().fieldConfig, s.panel.recomputeCount() - before), std::pair(FieldConfig(4), 2));
}

TEST(ControlPanel, ASelectionRunsTheHandlersOfTheBoxAndBarsItMovesAsItGoes) {
  // The second trap from the start state: the S box and its handler's recompute, then the
  // x bar and its handler, the z bar standing already; the selection's own recompute last.
  Started s;
  s.panel.selectEntry(6);
  EXPECT_EQ(s.log.events, (std::vector<std::string>{"S,d 11", "Text1=5.00", "recompute", "VScroll7=3", "Label19=0.30",
                                                   "recompute", "Label19=0.30", "Label23=-4.00", "7.gif", "recompute"}));
}

TEST(ControlTable, EveryBarAndTheListHasTheDesignsEndsItsGridAndABarStopsThere) {
  std::size_t rows = 0;
  for (const test::ControlEnd& end : test::controlEnds) {
    SCOPED_TRACE(end.key);
    const ControlDescription* control = findControl(end.key);
    ASSERT_NE(control, nullptr);
    ++rows;
    EXPECT_EQ(std::pair(lowestPosition(*control), highestPosition(*control)),
              std::pair(end.lowestPosition, end.highestPosition));
    EXPECT_EQ(std::pair(valueOf(*control, end.lowestPosition), valueOf(*control, end.highestPosition)),
              std::pair(std::strtod(end.lowest, nullptr), std::strtod(end.highest, nullptr)));
    // Within a millionth of a step a value is on the grid (0.3 is no exact multiple of 0.1 in
    // binary); beyond that it lies between two positions. Checked at the top of the range;
    // one step beyond either end, what every reader of files and options refuses, is off it.
    const double top = std::strtod(end.highest, nullptr);
    const double step = (top - std::strtod(end.lowest, nullptr)) / (end.highestPosition - end.lowestPosition);
    int position = 0;
    EXPECT_EQ(fitToGrid(*control, top - 0.5e-6 * step, position), GridFit::Fits);
    EXPECT_EQ(position, end.highestPosition);
    EXPECT_EQ(fitToGrid(*control, top - 1.5e-6 * step, position), GridFit::OffGrid);
    EXPECT_EQ(fitToGrid(*control, top - 0.4 * step, position), GridFit::OffGrid);
    for (const char* beyond : {end.below, end.above}) EXPECT_EQ(fitToGrid(*control, std::strtod(beyond, nullptr), position), GridFit::OffRange) << beyond;
    if (control->kind != ControlDescription::Kind::Bar) continue;
    ControlPanel panel;
    startUpAsTheWindow(panel);
    const Bar bar = static_cast<Bar>(control->index);
    panel.moveBar(bar, end.highestPosition + 1);
    EXPECT_EQ(panel.position(bar), end.highestPosition);
    panel.moveBar(bar, end.lowestPosition - 1);
    EXPECT_EQ(panel.position(bar), end.lowestPosition);
  }
  std::size_t withEnds = 0;
  for (const ControlDescription& control : controlTable) withEnds += control.kind != ControlDescription::Kind::TextBox;
  EXPECT_EQ(rows, withEnds) << "a bar of the table has no row of hand-written ends";
}

TEST(ControlTable, SaysWhatAControlAcceptsInEitherLanguage) {
  const struct { const char* key; Language language; const char* text; } rows[] = {
      {"charge", Language::English, "a whole number from -5 to 5 (elementary charges)"},
      {"config", Language::Russian, "целое число от 1 до 7 (номер структуры поля)"},
      {"field", Language::Russian, "число от 0 до 0.0015 с шагом 5e-08 (Тл)"},
      {"z0", Language::English, "a number from -10 to 10 in steps of 0.1 (metres)"},
      {"periods", Language::English, "any text, read as typed into the run-length box"},
  };
  for (const auto& row : rows) EXPECT_EQ(acceptsText(*findControl(row.key), row.language), row.text);
}

TEST(ControlTable, ReadsADecimalNumberAsAUserWritesIt) {
  const std::pair<const char*, std::optional<double>> rows[] = {
      {"+90", 90.0}, {"1e1", 10.0}, {"-0.3", -0.3}, {"5e-08", 5e-08}, {"", std::nullopt}, {"+", std::nullopt},
      {"+-1", std::nullopt}, {" 1", std::nullopt}, {"1 ", std::nullopt}, {"1,5", std::nullopt},
      {"0x10", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}, {"1e400", std::nullopt}};
  for (const auto& [text, value] : rows) EXPECT_EQ(decimalNumber(text), value) << text;
}

}  // namespace
}  // namespace larmor
