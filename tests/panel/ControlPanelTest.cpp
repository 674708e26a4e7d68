// The handler rules of the panel, checked against the texts and values a user sees.
#include "panel/ControlPanel.h"

#include "model/Constants.h"
#include "model/SimParams.h"

#include <gtest/gtest.h>

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

// Writes down what the panel reports, in order.
struct Log : PanelObserver {
  std::vector<std::string> events;
  void barSet(Bar bar, int p) override { events.push_back(std::string(barName(bar)) + "=" + std::to_string(p)); }
  void textSet(TextBox box, const std::string& t) override {
    events.push_back("Text" + std::to_string(int(box) == 0 ? 1 : int(box) == 1 ? 2 : 3) + "=" + t);
  }
  void captionSet(int label, const std::string& t) override {
    events.push_back("Label" + std::to_string(label) + "=" + t);
  }
  void lengthInputsShown(bool s, bool d) override { events.push_back(std::string("S,d ") + "01"[s] + "01"[d]); }
  void pictureChosen(const std::string& name) override { events.push_back(name); }
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

TEST(ControlPanel, StartUpShowsTheStartValuesAndTheFirstStructure) {
  ControlPanel panel('.');
  Log log;
  panel.setObserver(&log);
  panel.moveBar(Bar::VScroll4, 1000);  // before start-up the handlers are silent
  EXPECT_EQ(panel.state().params.v, 22000);
  EXPECT_EQ(panel.recomputeCount(), 0);
  panel.Form_Load();

  const std::vector<std::pair<int, std::string>> captions = {
      {4, " 1.602176634e-19"}, {5, "1.66053906892e-27"}, {10, "22000"}, {16, "83"}, {25, "60"},
      {12, "5.000e-04"}, {6, "5.00"}, {19, "1.00"}, {21, "0.50"}, {23, "-4.00"}, {29, "3"},
      {13, "w=4.824e+04 рад/с"}, {14, "T=1.302e-04 с"}, {17, "R=4.526e-01 м"}, {18, "H=3.492e-01 м"}};
  for (const auto& [label, text] : captions) EXPECT_EQ(panel.caption(label), text) << "Label" << label;
  EXPECT_EQ(panel.tooltip(4), "заряд частицы =  1|e|");
  EXPECT_EQ(panel.tooltip(5), "масса частицы =  1 аем");
  EXPECT_EQ(std::tuple(panel.text(TextBox::Text1), panel.text(TextBox::Text2), panel.text(TextBox::Text3)),
            std::tuple("3.30", " 25", "5.00"));
  EXPECT_EQ(std::tuple(panel.selectedEntry(), panel.showsS(), panel.showsD(), panel.picture()),
            std::tuple(0, false, false, "mudr.gif"));
  const int starts[] = {1, 1, 5, 22000, 10000, 83, 10, 5, -40, 60, 3};
  for (std::size_t i = 0; i < barCount; ++i) EXPECT_EQ(panel.position(Bar(i)), starts[i]) << barName(Bar(i));
  EXPECT_EQ(panel.recomputeCount(), 1);  // the selection's, while the others are silent
  EXPECT_TRUE(panel.ready());
  // The bars reached their start positions without any handler's recompute.
  int recomputes = 0;
  for (const std::string& e : log.events) recomputes += e == "recompute";
  EXPECT_EQ(recomputes, 1);
}

TEST(ControlPanel, BarsSetTheirValuesCaptionsAndTooltips) {
  const struct {
    Bar bar;
    int position;
    int label;
    const char* caption;
  } rows[] = {
      {Bar::VScroll1, -5, 4, "- 8.010883170e-19"}, {Bar::VScroll1, 0, 4, " 0.000000000e+00"},
      {Bar::VScroll2, 0, 5, "9.1093837139e-31"},   {Bar::VScroll2, 10, 5, "1.66053906892e-26"},
      {Bar::VScroll5, 0, 12, "0.000e+00"},         {Bar::VScroll5, 30000, 12, "1.500e-03"},
      {Bar::VScroll9, -33, 23, "-3.30"},           {Bar::VScroll10, -180, 25, "-180"},
      {Bar::VScroll3, 1, 6, "1.00"},               {Bar::VScroll4, 40000, 10, "30000"},  // stops at the end
      {Bar::HScroll1, 0, 29, "0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(barName(row.bar));
    Started s;
    const int before = s.panel.recomputeCount();
    s.panel.moveBar(row.bar, row.position);
    EXPECT_EQ(s.panel.caption(row.label), row.caption);
    EXPECT_EQ(s.panel.recomputeCount() - before, row.bar == Bar::HScroll1 ? 0 : 1);
  }

  Started s;
  s.panel.moveBar(Bar::VScroll1, -2);
  EXPECT_EQ(std::pair(s.panel.tooltip(4), s.panel.tooltip(1)), std::pair(std::string("заряд частицы = -2|e|"),
                                                                          std::string("заряд частицы")));
  s.panel.moveBar(Bar::VScroll1, 1);
  EXPECT_EQ(s.panel.tooltip(1), "Элементарный заряд |е| точно. СИ с 2022 года");
  s.panel.moveBar(Bar::VScroll2, 0);
  EXPECT_EQ(std::pair(s.panel.tooltip(5), s.panel.tooltip(2)), std::pair(std::string("масса электрона"),
                                                                          std::string("масса частицы")));
  s.panel.moveBar(Bar::VScroll9, -33);
  s.panel.moveBar(Bar::VScroll5, 30000);
  s.panel.moveBar(Bar::VScroll10, -180);
  s.panel.moveBar(Bar::HScroll1, 7);
  const SimParams& p = s.panel.state().params;
  EXPECT_EQ(std::tuple(p.m, p.z0, p.Bo, p.betaRad, p.slowdown),
            std::tuple(electronMass, float(-33 * 0.1), 30000 * 5e-08, float(-180 * degToRad), std::int16_t(7)));
}

TEST(ControlPanel, ResultCaptionsFollowChargeAndAngle) {
  Started s;
  s.panel.moveBar(Bar::VScroll1, -1);  // the same texts as for the positive charge
  EXPECT_EQ(std::pair(s.panel.caption(13), s.panel.caption(14)),
            std::pair(std::string("w=4.824e+04 рад/с"), std::string("T=1.302e-04 с")));
  s.panel.moveBar(Bar::VScroll6, 97);  // the pitch turns negative: the sign before the blank
  EXPECT_EQ(s.panel.caption(18), "H=- 3.492e-01 м");
  s.panel.moveBar(Bar::VScroll6, 0);
  EXPECT_EQ(s.panel.caption(17), "R=0.000e+00 м");
  const double period = s.panel.state().quantities.period;
  s.panel.moveBar(Bar::VScroll1, 0);
  EXPECT_EQ(std::tuple(s.panel.caption(13), s.panel.caption(14), s.panel.caption(17), s.panel.caption(18)),
            std::tuple("w=0.000e+00 рад/с", "T - бесконечен", "R - бесконечен", "H - бесконечен"));
  EXPECT_EQ(s.panel.state().quantities.period, period);  // kept for the run's step
}

TEST(ControlPanel, TextBoxesReadWhatIsTypedAndKeepIt) {
  const struct {
    TextBox box;
    const char* typed;
    double value;
    int recomputes;
  } rows[] = {
      {TextBox::Text1, "3,3", 3, 1}, {TextBox::Text1, "1e1", 10, 1}, {TextBox::Text1, "abc", 0, 1},
      {TextBox::Text1, "", 0, 1},    {TextBox::Text3, "2.675", 2.68, 1},  // halves away from zero
      {TextBox::Text2, "2.5", 2.5, 0},                                     // stored for the next start only
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
    EXPECT_TRUE(s.log.events.empty() || s.log.events.back() == "recompute");  // never written back
  }
}

TEST(ControlPanel, SelectionSetsStartPointAndLengthThroughTheNestedHandlers) {
  // recomputes: by the last selection, its nested handlers included; values exact.
  const struct { std::vector<int> rows; double x0, S; float z0; int recomputes; } rows[] = {
      {{0}, 1.0, 3.3, -4.0f, 1}, {{1}, 1.0, 3.3, -4.0f, 1},
      {{3}, 1.0, 0.3, -4.0f, 2},                   // the S box rewritten: its handler runs
      {{5}, 1.0, 5.0, z0FromPosition(-20), 3},     // S box and z bar
      {{6}, 0.30000000000000004, 5.0, -4.0f, 3},   // the x bar's handler: 3 × 0.1
      {{6, 6}, 0.3, 5.0, -4.0f, 1},                // the bar stands at 3 already: the literal stays
      {{6, 0}, 1.0, 5.0, -4.0f, 2},                // the first structure keeps the S it finds
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.rows.back());
    Started s;
    int before = 0;
    for (const int entry : row.rows) before = s.panel.recomputeCount(), s.panel.selectEntry(entry);
    const SimulationState& st = s.panel.state();
    EXPECT_EQ(st.fieldConfig, row.rows.back() + 1);
    EXPECT_EQ(std::tuple(st.params.x0, st.params.z0, st.params.S), std::tuple(row.x0, row.z0, row.S));
    EXPECT_EQ(s.panel.recomputeCount() - before, row.recomputes);
    EXPECT_EQ(std::pair(st.x, st.z), std::pair(st.params.x0, double(st.params.z0)));  // the particle at its start
  }

  // The order a user sees for the second trap: the S box and its recompute, then the x bar.
  Started s;
  s.panel.selectEntry(6);
  const std::vector<std::string> expected = {
      "S,d 11", "Text1=5.00", "Label13=w=4.824e+04 рад/с", "Label14=T=1.302e-04 с", "Label17=R=4.526e-01 м",
      "Label18=H=3.492e-01 м", "recompute", "VScroll7=3", "Label19=0.30"};
  ASSERT_GE(s.log.events.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(s.log.events.begin(), s.log.events.begin() + expected.size()), expected);
  EXPECT_EQ(s.panel.picture(), "7.gif");
}

TEST(ControlPanel, ChoosingTheSelectedEntryAgainBringsItsPictureBack) {
  Started s;
  s.panel.moveBar(Bar::VScroll6, 45);
  EXPECT_EQ(s.panel.picture(), "velocity.gif");
  const int before = s.panel.recomputeCount();
  s.panel.selectEntry(0);
  EXPECT_EQ(std::pair(s.panel.picture(), s.panel.recomputeCount() - before), std::pair(std::string("1.gif"), 1));
  s.panel.selectEntry(-1);  // no entry: only the recompute
  EXPECT_EQ(std::pair(s.panel.state().fieldConfig, s.panel.recomputeCount() - before), std::pair(FieldConfig(1), 2));
}

}  // namespace
}  // namespace larmor
