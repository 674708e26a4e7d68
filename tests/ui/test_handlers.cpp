// The parameter controls after start-up: values, captions, tooltips and recomputes.
#include "UiTestSupport.h"

#include "ui/MarkerShape.h"
#include "ui/VerticalBar.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <vector>

namespace larmor::test {
namespace {

using HandlerTest = WindowTest;

struct Shown {
  const char* control;
  bool tooltip;  // false: the caption
  const char* text;
};

TEST_F(HandlerTest, BarsAtTheirEdgesWriteTheirValuesCaptionsAndTooltips) {
  writeAllPictures();
  showWindow();
  auto key = [this](const char* bar, Qt::Key k) {
    return [this, bar, k] { QTest::keyClick(control<VerticalBar>(bar)->scrollBar(), k); };
  };
  auto to = [this](const char* bar, int value) { return [this, bar, value] { moveBar(bar, value); }; };
  const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);
  const struct {
    const char* step;
    std::function<void()> act;
    std::vector<Shown> shown;
    std::function<bool(const SimParams&)> value;
    QColor marker;
    int picture;  // 0: the picture stays
  } rows[] = {
      {"charge 1 → 0 (Down)", key("VScroll1", Qt::Key_Down),
       {{"Label4", false, " 0.000000000e+00"}, {"Label4", true, "заряд частицы =  0|e|"},
        {"Label1", true, "заряд частицы"}, {"Label13", false, "w=0.000e+00 рад/с"},
        {"Label14", false, "T - бесконечен"}, {"Label17", false, "R - бесконечен"},
        {"Label18", false, "H - бесконечен"}},
       [](const SimParams& p) { return p.q == 0; }, black, 0},
      {"charge → -5 (End)", key("VScroll1", Qt::Key_End),
       {{"Label4", false, "- 8.010883170e-19"}, {"Label4", true, "заряд частицы = -5|e|"},
        {"Label1", true, "заряд частицы"}},
       [](const SimParams& p) { return p.q == -5 * elementaryCharge; }, blue, 0},
      {"charge → 1", to("VScroll1", 1),
       {{"Label4", false, " 1.602176634e-19"}, {"Label1", true, "Элементарный заряд |е| точно. СИ с 2022 года"},
        {"Label13", false, "w=4.824e+04 рад/с"}},
       [](const SimParams& p) { return p.q == elementaryCharge; }, red, 0},
      {"mass 1 → 0, the electron", key("VScroll2", Qt::Key_Down),
       {{"Label5", false, "9.1093837139e-31"}, {"Label5", true, "масса электрона"},
        {"Label2", true, "масса частицы"}},
       [](const SimParams& p) { return p.m == electronMass; }, red, 0},
      {"mass back to 1", key("VScroll2", Qt::Key_Up),
       {{"Label5", false, "1.66053906892e-27"}, {"Label5", true, "масса частицы =  1 аем"},
        {"Label2", true, "Атомная единица массы. С 2022 года"}},
       [](const SimParams& p) { return p.m == atomicMassUnit; }, red, 0},
      {"speed at the top (Home)", key("VScroll4", Qt::Key_Home), {{"Label10", false, "30000"}},
       [](const SimParams& p) { return p.v == 30000; }, red, 0},
      {"field 0 (End)", key("VScroll5", Qt::Key_End), {{"Label12", false, "0.000e+00"}},
       [](const SimParams& p) { return p.Bo == 0; }, red, 0},
      {"field 30000 (Home)", key("VScroll5", Qt::Key_Home), {{"Label12", false, "1.500e-03"}},
       [](const SimParams& p) { return p.Bo == 30000 * BoStep; }, red, 0},
      {"z0 -33", to("VScroll9", -33), {{"Label23", false, "-3.30"}},
       [](const SimParams& p) { return p.z0 == -3.3f; }, red, 0},
      {"y0 -50", to("VScroll8", -50), {{"Label21", false, "-5.00"}},
       [](const SimParams& p) { return p.y0 == -50 * 0.1; }, red, 0},
      {"x0 3", to("VScroll7", 3), {{"Label19", false, "0.30"}},
       [](const SimParams& p) { return p.x0 == 3 * 0.1; }, red, 0},
      {"region 10 (Home)", key("VScroll3", Qt::Key_Home), {{"Label6", false, "10.00"}},
       [](const SimParams& p) { return p.regionSize == 10; }, red, 0},
      {"alpha 0 (End)", key("VScroll6", Qt::Key_End),
       {{"Label16", false, "0"}, {"Label17", false, "R=0.000e+00 м"}},
       [](const SimParams& p) { return p.alpha == 0 && p.alphaRad == 0; }, red, 8},
      {"beta -180 (End)", key("VScroll10", Qt::Key_End), {{"Label25", false, "-180"}},
       [](const SimParams& p) { return p.beta == -180 && p.betaRad == betaRadFromDegrees(-180); },
       red, 8},
  };
  auto* marker = control<MarkerShape>("Shape1");
  auto* marker2 = control<MarkerShape>("Shape2");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.step);
    select(QStringLiteral("Плоский дрейф"));  // puts the structure's picture back
    const int before = window().recomputeCount();
    row.act();
    EXPECT_EQ(window().recomputeCount() - before, 1);
    for (const Shown& s : row.shown) {
      EXPECT_EQ(s.tooltip ? tooltip(s.control) : caption(s.control), QString::fromUtf8(s.text))
          << s.control << (s.tooltip ? " tooltip" : " caption");
    }
    EXPECT_TRUE(row.value(window().state().params));
    EXPECT_EQ(marker->colour(), row.marker);
    EXPECT_EQ(marker2->colour(), row.marker);
    EXPECT_EQ(image1Colour(), pictureColour(row.picture ? row.picture : 2));
  }
}

TEST_F(HandlerTest, TextBoxesReadEveryKeystrokeAndKeepWhatWasTyped) {
  showWindow();
  select(QStringLiteral("Магнитная ловушка"));
  std::vector<double> seen;
  QObject::connect(&window(), &Form1::recomputed, [&] { seen.push_back(window().state().params.S); });
  auto* text1 = control<QLineEdit>("Text1");
  text1->selectAll();
  QTest::keyClicks(text1, QStringLiteral("12.5"));
  EXPECT_EQ(seen, (std::vector<double>{1, 12, 12, 12.5}));
  EXPECT_EQ(text1->text(), QStringLiteral("12.5"));

  seen.clear();
  auto* text3 = control<QLineEdit>("Text3");
  text3->selectAll();
  QTest::keyClick(text3, Qt::Key_Delete);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(window().state().params.d, 0);
  EXPECT_EQ(text3->text(), QString());

  // The run length changes no caption and does not recompute.
  QStringList captionsBefore;
  for (int n = 1; n <= 29; ++n) captionsBefore << caption(QStringLiteral("Label%1").arg(n).toLatin1().constData());
  seen.clear();
  auto* text2 = control<QLineEdit>("Text2");
  text2->selectAll();
  QTest::keyClicks(text2, QStringLiteral("2.5"));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(window().state().params.periods, 2.5f);
  QStringList captionsAfter;
  for (int n = 1; n <= 29; ++n) captionsAfter << caption(QStringLiteral("Label%1").arg(n).toLatin1().constData());
  EXPECT_EQ(captionsAfter, captionsBefore);
}

TEST_F(HandlerTest, SlowDownStoresItsValueOnly) {
  showWindow();
  const int before = window().recomputeCount();
  auto* slowdown = control<QScrollBar>("HScroll1");
  for (const auto& [key, expected] : {std::pair{Qt::Key_End, 10}, std::pair{Qt::Key_Home, 0},
                                      std::pair{Qt::Key_Right, 1}}) {
    QTest::keyClick(slowdown, key);
    EXPECT_EQ(window().state().params.slowdown, expected);
    EXPECT_EQ(caption("Label29"), QString::number(expected));
  }
  EXPECT_EQ(window().recomputeCount(), before);
}

TEST_F(HandlerTest, ResultCaptionsUseTheLocaleDecimalSeparator) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  showWindow();
  moveBar("VScroll4", 22001);  // any change recomputes
  const QString frequency = caption("Label13");
  const QString period = caption("Label14");
  // The value captions keep their point whatever the locale.
  moveBar("VScroll5", 10020);
  const QString field = caption("Label12");
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(frequency, QStringLiteral("w=4,824e+04 рад/с"));
  EXPECT_EQ(period, QStringLiteral("T=1,302e-04 с"));
  EXPECT_EQ(field, QStringLiteral("5.010e-04"));
}

}  // namespace
}  // namespace larmor::test
