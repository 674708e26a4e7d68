// The controls after start-up: choosing a field structure, the bars at their edges, the text
// boxes keystroke by keystroke, the slow-down, and the locale's decimal separator. The texts
// themselves are checked in the model; here the window must show the model's text of what it
// stored, and store the model's value of each bar's position.
#include "UiTestSupport.h"

#include "ui/MarkerShape.h"

#include <QLocale>
#include <QScrollBar>

namespace larmor::test {
namespace {

class HandlerTest : public WindowTest {
protected:
  int at(const char* bar) { return control<VerticalBar>(bar)->value(); }
  void expectShowsTheModel(bool tooltips = true) {
    const SimulationState& s = window().state();
    const SimParams& p = s.params;
    const int charge = at("VScroll1"), mass = at("VScroll2");
    EXPECT_EQ(std::tuple(p.q, p.m, p.v, p.Bo, p.alpha, p.alphaRad, p.beta, p.betaRad),
              std::tuple(chargeFromPosition(charge), massFromPosition(mass), at("VScroll4"),
                         fieldFromPosition(at("VScroll5")), at("VScroll6"), angleRadFromDegrees(at("VScroll6")),
                         at("VScroll10"), betaRadFromDegrees(at("VScroll10"))));
    EXPECT_EQ(std::tuple(p.regionSize, p.x0, p.y0, p.z0),
              std::tuple(at("VScroll3"), coordinateFromPosition(at("VScroll7")),
                         coordinateFromPosition(at("VScroll8")), z0FromPosition(at("VScroll9"))));
    EXPECT_EQ(std::pair(s.x, s.z), std::pair(p.x0, double(p.z0)));  // the recompute put the particle at its start
    SimulationState copy = s;
    const ResultCaptions r = copy.computeQuantities();
    const std::pair<const char*, std::string> shown[] = {
        {"Label4", chargeText(p.q)},        {"Label5", massText(p.m, mass)},     {"Label10", integerText(p.v)},
        {"Label12", fieldText(p.Bo)},       {"Label16", integerText(p.alpha)},   {"Label25", integerText(p.beta)},
        {"Label6", twoDecimalsText(p.regionSize)}, {"Label19", twoDecimalsText(p.x0)},
        {"Label21", twoDecimalsText(p.y0)}, {"Label23", twoDecimalsText(p.z0)},  {"Label13", r.frequency},
        {"Label14", r.period},              {"Label17", r.radius},               {"Label18", r.pitch},
        {"Label4.tip", chargeValueTooltip(charge)}, {"Label1.tip", chargeCaptionTooltip(charge)},
        {"Label5.tip", massValueTooltip(mass)},     {"Label2.tip", massCaptionTooltip(mass)}};
    for (const auto& [name, text] : shown) {
      const QString n = QString::fromLatin1(name);
      if (n.endsWith(".tip") && !tooltips) continue;
      EXPECT_EQ(n.endsWith(".tip") ? tooltip(n.chopped(4).toLatin1()) : caption(name), QString::fromStdString(text)) << name;
    }
  }
};

TEST_F(HandlerTest, BarsAtTheirEdgesStoreAndShowTheirValues) {
  writeAllPictures();
  showWindow();
  const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);
  // key: none moves the bar to position; picture: 2 is the structure's own, 8 "velocity.gif".
  const struct { const char* bar; Qt::Key key; int position; QColor marker; int picture; } rows[] = {
      {"VScroll1", Qt::Key_Down, 0, black, 2},  {"VScroll1", Qt::Key_End, -5, blue, 2}, {"VScroll1", {}, 1, red, 2},
      {"VScroll2", Qt::Key_Down, 0, red, 2},    {"VScroll2", Qt::Key_Up, 1, red, 2},  // the electron and back
      {"VScroll4", Qt::Key_Home, 30000, red, 2}, {"VScroll5", Qt::Key_End, 0, red, 2},
      {"VScroll5", Qt::Key_Home, 30000, red, 2}, {"VScroll9", {}, -33, red, 2},      {"VScroll8", {}, -50, red, 2},
      {"VScroll7", {}, 3, red, 2},              {"VScroll3", Qt::Key_Home, 10, red, 2},
      {"VScroll6", Qt::Key_End, 0, red, 8},     {"VScroll10", Qt::Key_End, -180, red, 8},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.bar << " to " << r.position);
    select("Плоский дрейф");  // puts the structure's picture back
    const int before = window().recomputeCount();
    if (r.key) QTest::keyClick(control<VerticalBar>(r.bar)->scrollBar(), r.key);
    else moveBar(r.bar, r.position);
    EXPECT_EQ(at(r.bar), r.position);
    EXPECT_EQ(window().recomputeCount() - before, 1);
    expectShowsTheModel();
    EXPECT_EQ(control<MarkerShape>("Shape1")->colour(), r.marker);
    EXPECT_EQ(control<MarkerShape>("Shape2")->colour(), r.marker);
    EXPECT_EQ(image1Colour(), pictureColour(r.picture));
  }
}

// In this order from the start state: each row's S and bars follow the rows before it. At
// "Ловушка-2" the moved x bar sets x0 again: 3 × 0.1, not the literal 0.3.
TEST_F(HandlerTest, EachStructureSetsItsInputsStartPointAndPicture) {
  for (const bool withPictures : {false, true}) {
    SCOPED_TRACE(withPictures ? "pictures present" : "pictures absent");
    closeWindow();
    if (withPictures) writeAllPictures();
    showWindow();
    const QColor startColour = image1Colour();
    // recomputes: the nested handlers' and the selection's own
    const struct { const char* entry; int config; bool showS, showD; double S; int x, z, recomputes; } rows[] = {
        {"Плоский дрейф", 2, true, false, 3.3, 10, -40, 1},     {"Осевой дрейф", 3, true, false, 3.3, 10, -40, 1},
        {"Магнитная ловушка", 4, true, true, 0.3, 10, -40, 2},  {"Центробежный дрейф", 5, false, false, 0.3, 10, -40, 1},
        {"Магнитный монополь", 6, true, false, 5, 10, -20, 3},  {"Ловушка-2", 7, true, true, 5, 3, -40, 3},
        {"Однородное поле", 1, false, false, 5, 10, -40, 2},
    };
    for (const auto& r : rows) {
      SCOPED_TRACE(r.entry);
      const int before = window().recomputeCount();
      select(r.entry);
      EXPECT_EQ(window().state().fieldConfig, r.config);
      EXPECT_EQ(window().recomputeCount() - before, r.recomputes);
      for (const char* n : {"Label27", "Text1"}) EXPECT_EQ(!control(n)->isHidden(), r.showS) << n;
      for (const char* n : {"Label28", "Text3"}) EXPECT_EQ(!control(n)->isHidden(), r.showD) << n;
      EXPECT_EQ(window().state().params.S, r.S);
      EXPECT_EQ(control<QLineEdit>("Text1")->text(), QString::fromStdString(twoDecimalsText(r.S)));
      EXPECT_EQ(std::pair(at("VScroll7"), at("VScroll9")), std::pair(r.x, r.z));
      expectShowsTheModel(false);  // the charge tooltips keep their design texts until the charge moves
      EXPECT_EQ(image1Colour(), withPictures ? pictureColour(r.config) : startColour);
    }
  }
}

TEST_F(WindowTest, TextBoxesReadEveryKeystrokeAndKeepWhatWasTyped) {
  showWindow();
  select("Ловушка-2");
  std::vector<double> seen;
  QObject::connect(&window(), &Form1::recomputed, [&] { seen.push_back(window().state().params.S); });
  typeInto("Text1", QStringLiteral("12.5"));
  typeInto("Text3", QString());  // emptied: d = 0
  EXPECT_EQ(seen, (std::vector<double>{1, 12, 12, 12.5, 12.5}));
  EXPECT_EQ(control<QLineEdit>("Text1")->text() + '|' + control<QLineEdit>("Text3")->text(), "12.5|");
  EXPECT_EQ(window().state().params.d, 0);

  // The run length changes no caption and does not recompute.
  auto captions = [this] {
    QStringList all;
    for (int n = 1; n <= 29; ++n) all << caption(QByteArray("Label") + QByteArray::number(n));
    return all;
  };
  const QStringList before = captions();
  seen.clear();
  typeInto("Text2", QStringLiteral("2.5"));
  EXPECT_TRUE(seen.empty() && captions() == before);
  EXPECT_EQ(window().state().params.periods, 2.5f);

  // Typed lengths survive the selections that do not set them; "2,25" reads as 2.
  typeInto("Text3", QStringLiteral("7.5"));
  typeInto("Text1", QStringLiteral("2,25"));
  select("Центробежный дрейф");
  select("Однородное поле");
  EXPECT_TRUE(control<QLineEdit>("Text1")->text() == "2,25" && window().state().params.S == 2);
  select("Магнитная ловушка");
  EXPECT_EQ(control<QLineEdit>("Text1")->text() + control<QLineEdit>("Text3")->text(), QStringLiteral("0.307.5"));
  EXPECT_EQ(window().state().params.d, 7.5);
}

TEST_F(WindowTest, SlowDownStoresItsValueOnlyAndResultsUseTheLocaleSeparator) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  showWindow();
  const int before = window().recomputeCount();
  for (const auto& [key, expected] : {std::pair{Qt::Key_End, 10}, {Qt::Key_Home, 0}, {Qt::Key_Right, 1}}) {
    QTest::keyClick(control<QScrollBar>("HScroll1"), key);
    EXPECT_EQ(window().state().params.slowdown, expected);
    EXPECT_EQ(caption("Label29"), QString::number(expected));
  }
  EXPECT_EQ(window().recomputeCount(), before);
  moveBar("VScroll5", 10020);
  const QStringList shown{caption("Label13"), caption("Label14"), caption("Label12")};
  QLocale::setDefault(QLocale::c());
  SimulationState copy = window().state();
  const ResultCaptions r = copy.computeQuantities(',');
  // The result captions take the comma; the value captions keep their point.
  EXPECT_EQ(shown, (QStringList{QString::fromStdString(r.frequency), QString::fromStdString(r.period), "5.010e-04"}));
  EXPECT_TRUE(shown[0].contains(','));
}

}  // namespace
}  // namespace larmor::test
