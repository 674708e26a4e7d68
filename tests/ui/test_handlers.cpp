// The controls after start-up: choosing a field structure, the bars at their edges, the text
// boxes keystroke by keystroke, the slow-down, and the locale's decimal separator.
#include "UiTestSupport.h"

#include "ui/MarkerShape.h"

#include <QLocale>
#include <QScrollBar>

#include <functional>

namespace larmor::test {
namespace {

TEST_F(WindowTest, BarsAtTheirEdgesWriteTheirValuesCaptionsAndTooltips) {
  writeAllPictures();
  showWindow();
  const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);
  // key: none moves the bar to position; shown: "<name>.tip" is its tooltip; stored: the
  // parameter the bar sets; picture: 2 is the structure's own, 8 "velocity.gif".
  const struct {
    const char* bar; Qt::Key key; int position; std::vector<std::pair<const char*, const char*>> shown;
    std::function<double(const SimParams&)> stored; double value; QColor marker; int picture;
  } rows[] = {
      {"VScroll1", Qt::Key_Down, 0,
       {{"Label4", " 0.000000000e+00"}, {"Label4.tip", "заряд частицы =  0|e|"}, {"Label1.tip", "заряд частицы"},
        {"Label13", "w=0.000e+00 рад/с"}, {"Label14", "T - бесконечен"}, {"Label17", "R - бесконечен"},
        {"Label18", "H - бесконечен"}},
       [](const SimParams& p) { return p.q; }, 0, black, 2},
      {"VScroll1", Qt::Key_End, -5,
       {{"Label4", "- 8.010883170e-19"}, {"Label4.tip", "заряд частицы = -5|e|"}, {"Label1.tip", "заряд частицы"}},
       [](const SimParams& p) { return p.q; }, -5 * elementaryCharge, blue, 2},
      {"VScroll1", {}, 1,
       {{"Label4", " 1.602176634e-19"}, {"Label1.tip", "Элементарный заряд |е| точно. СИ с 2022 года"},
        {"Label13", "w=4.824e+04 рад/с"}},
       [](const SimParams& p) { return p.q; }, elementaryCharge, red, 2},
      {"VScroll2", Qt::Key_Down, 0,  // the electron
       {{"Label5", "9.1093837139e-31"}, {"Label5.tip", "масса электрона"}, {"Label2.tip", "масса частицы"}},
       [](const SimParams& p) { return p.m; }, electronMass, red, 2},
      {"VScroll2", Qt::Key_Up, 1,
       {{"Label5", "1.66053906892e-27"}, {"Label5.tip", "масса частицы =  1 аем"},
        {"Label2.tip", "Атомная единица массы. С 2022 года"}},
       [](const SimParams& p) { return p.m; }, atomicMassUnit, red, 2},
      {"VScroll4", Qt::Key_Home, 30000, {{"Label10", "30000"}}, [](const SimParams& p) { return p.v; }, 30000, red, 2},
      {"VScroll5", Qt::Key_End, 0, {{"Label12", "0.000e+00"}}, [](const SimParams& p) { return p.Bo; }, 0, red, 2},
      {"VScroll5", Qt::Key_Home, 30000, {{"Label12", "1.500e-03"}},
       [](const SimParams& p) { return p.Bo; }, 30000 * BoStep, red, 2},
      {"VScroll9", {}, -33, {{"Label23", "-3.30"}}, [](const SimParams& p) { return double(p.z0); }, double(-3.3f), red, 2},
      {"VScroll8", {}, -50, {{"Label21", "-5.00"}}, [](const SimParams& p) { return p.y0; }, -50 * 0.1, red, 2},
      {"VScroll7", {}, 3, {{"Label19", "0.30"}}, [](const SimParams& p) { return p.x0; }, 3 * 0.1, red, 2},
      {"VScroll3", Qt::Key_Home, 10, {{"Label6", "10.00"}}, [](const SimParams& p) { return p.regionSize; }, 10, red, 2},
      {"VScroll6", Qt::Key_End, 0, {{"Label16", "0"}, {"Label17", "R=0.000e+00 м"}},
       [](const SimParams& p) { return p.alpha; }, 0, red, 8},
      {"VScroll10", Qt::Key_End, -180, {{"Label25", "-180"}}, [](const SimParams& p) { return p.beta; }, -180, red, 8},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.bar << " to " << r.position);
    select("Плоский дрейф");  // puts the structure's picture back
    const int before = window().recomputeCount();
    if (r.key) QTest::keyClick(control<VerticalBar>(r.bar)->scrollBar(), r.key);
    else moveBar(r.bar, r.position);
    EXPECT_EQ(control<VerticalBar>(r.bar)->value(), r.position);
    EXPECT_EQ(window().recomputeCount() - before, 1);
    for (const auto& [name, text] : r.shown) {
      const QString n = QString::fromLatin1(name);
      const QString seen = n.endsWith(".tip") ? tooltip(n.chopped(4).toLatin1()) : caption(name);
      EXPECT_EQ(seen, QString::fromUtf8(text)) << name;
    }
    EXPECT_EQ(r.stored(window().state().params), r.value);
    EXPECT_EQ(control<MarkerShape>("Shape1")->colour(), r.marker);
    EXPECT_EQ(control<MarkerShape>("Shape2")->colour(), r.marker);
    EXPECT_EQ(image1Colour(), pictureColour(r.picture));
  }
}

// In this order from the start state: each row's S and bars follow the rows before it.
TEST_F(WindowTest, EachStructureSetsItsInputsStartPointAndPicture) {
  for (const bool withPictures : {false, true}) {
    SCOPED_TRACE(withPictures ? "pictures present" : "pictures absent");
    closeWindow();
    if (withPictures) writeAllPictures();
    showWindow();
    const QColor startColour = image1Colour();
    const struct {  // recomputes: the nested handlers' and the selection's own
      const char* entry; int config; bool showS, showD; double S; const char* text1; double x0; int position7;
      const char* label19; float z0; int position9; const char* label23; int recomputes;
    } rows[] = {
        {"Плоский дрейф", 2, true, false, 3.3, "3.30", 1, 10, "1.00", -4.0f, -40, "-4.00", 1},
        {"Осевой дрейф", 3, true, false, 3.3, "3.30", 1, 10, "1.00", -4.0f, -40, "-4.00", 1},
        {"Магнитная ловушка", 4, true, true, 0.3, "0.30", 1, 10, "1.00", -4.0f, -40, "-4.00", 2},
        {"Центробежный дрейф", 5, false, false, 0.3, "0.30", 1, 10, "1.00", -4.0f, -40, "-4.00", 1},
        {"Магнитный монополь", 6, true, false, 5, "5.00", 1, 10, "1.00", -2.0f, -20, "-2.00", 3},
        // The moved bar sets x0 again: 3 × 0.1, not the literal 0.3.
        {"Ловушка-2", 7, true, true, 5, "5.00", 3 * 0.1, 3, "0.30", -4.0f, -40, "-4.00", 3},
        {"Однородное поле", 1, false, false, 5, "5.00", 1, 10, "1.00", -4.0f, -40, "-4.00", 2},
    };
    for (const auto& r : rows) {
      SCOPED_TRACE(r.entry);
      const int before = window().recomputeCount();
      select(r.entry);
      const SimulationState& state = window().state();
      EXPECT_EQ(state.fieldConfig, r.config);
      EXPECT_EQ(window().recomputeCount() - before, r.recomputes);
      for (const char* n : {"Label27", "Text1"}) EXPECT_EQ(!control(n)->isHidden(), r.showS) << n;
      for (const char* n : {"Label28", "Text3"}) EXPECT_EQ(!control(n)->isHidden(), r.showD) << n;
      EXPECT_EQ(state.params.S, r.S);
      EXPECT_EQ(control<QLineEdit>("Text1")->text(), QLatin1String(r.text1));
      EXPECT_EQ(state.params.x0, r.x0);
      EXPECT_EQ(control<VerticalBar>("VScroll7")->value(), r.position7);
      EXPECT_EQ(caption("Label19"), QLatin1String(r.label19));
      EXPECT_EQ(state.params.z0, r.z0);
      EXPECT_EQ(control<VerticalBar>("VScroll9")->value(), r.position9);
      EXPECT_EQ(caption("Label23"), QLatin1String(r.label23));
      EXPECT_EQ(state.x, state.params.x0);  // the recompute put the particle at the new start
      EXPECT_EQ(state.z, double(state.params.z0));
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
  EXPECT_EQ(seen, (std::vector<double>{1, 12, 12, 12.5}));
  EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("12.5"));
  seen.clear();
  control<QLineEdit>("Text3")->selectAll();
  QTest::keyClick(control<QLineEdit>("Text3"), Qt::Key_Delete);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(window().state().params.d, 0);
  EXPECT_EQ(control<QLineEdit>("Text3")->text(), QString());

  // The run length changes no caption and does not recompute.
  auto captions = [this] {
    QStringList all;
    for (int n = 1; n <= 29; ++n) all << caption(QByteArray("Label") + QByteArray::number(n));
    return all;
  };
  const QStringList before = captions();
  seen.clear();
  typeInto("Text2", QStringLiteral("2.5"));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(window().state().params.periods, 2.5f);
  EXPECT_EQ(captions(), before);

  // Typed lengths survive the selections that do not set them; "2,25" reads as 2.
  typeInto("Text3", QStringLiteral("7.5"));
  typeInto("Text1", QStringLiteral("2,25"));
  select("Центробежный дрейф");
  select("Однородное поле");
  EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("2,25"));
  EXPECT_EQ(window().state().params.S, 2);
  select("Магнитная ловушка");
  EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("0.30"));
  EXPECT_EQ(control<QLineEdit>("Text3")->text(), QStringLiteral("7.5"));
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
  moveBar("VScroll4", 22001);  // recomputes with the start values' results
  QStringList shown{caption("Label13"), caption("Label14")};
  moveBar("VScroll5", 10020);
  shown << caption("Label12");
  QLocale::setDefault(QLocale::c());
  // The result captions take the comma; the value captions keep their point.
  EXPECT_EQ(shown, (QStringList{"w=4,824e+04 рад/с", "T=1,302e-04 с", "5.010e-04"}));
}

}  // namespace
}  // namespace larmor::test
