// The controls after start-up: choosing a field structure, the bars at their edges, the text
// boxes keystroke by keystroke, the slow-down, and the locale's decimal separator, each
// against the texts and values the program is required to show.
#include "WindowTestSupport.h"

#include "ui/MarkerShape.h"

#include <QLocale>
#include <QScrollBar>

#include <functional>

namespace larmor::test {
namespace {

class HandlerTest : public WindowTest {
protected:
  int at(const char* bar) { return control<VerticalBar>(bar)->value(); }
  // "name" for a caption, "name?" for a tooltip; each must show its text.
  void expectShown(std::initializer_list<std::pair<const char*, const char*>> expected) {
    for (const auto& [name, text] : expected) {
      const QByteArray n(name);
      EXPECT_EQ(n.endsWith('?') ? tooltip(n.chopped(1)) : caption(name), QString::fromUtf8(text)) << name;
    }
  }
};

TEST_F(HandlerTest, BarsAtTheirEdgesStoreAndShowTheirValues) {
  writeAllPictures();
  showWindow();
  const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);
  // key: none moves the bar to position; picture: 2 is the structure's own, 8 "velocity.gif";
  // shown: captions and tooltips ("?") that must read so afterwards.
  const struct { const char* bar; Qt::Key key; int position; QColor marker; int picture;
                 std::initializer_list<std::pair<const char*, const char*>> shown; } rows[] = {
      {"VScroll6", {}, 97, red, 8, {{"Label16", "97"}, {"Label18", "H=- 3.492e-01 м"}}},  // backwards along B
      {"VScroll1", Qt::Key_Down, 0, black, 2, {{"Label4", " 0.000000000e+00"}, {"Label4?", "заряд частицы =  0|e|"},
       {"Label1?", "заряд частицы"}, {"Label13", "w=0.000e+00 рад/с"}, {"Label14", "T - бесконечен"},
       {"Label17", "R - бесконечен"}, {"Label18", "H - бесконечен"}}},
      {"VScroll1", Qt::Key_End, -5, blue, 2, {{"Label4", "- 8.010883170e-19"}, {"Label4?", "заряд частицы = -5|e|"}}},
      {"VScroll1", {}, 1, red, 2, {{"Label4", " 1.602176634e-19"}, {"Label4?", "заряд частицы =  1|e|"},
       {"Label1?", "Элементарный заряд |е| точно. СИ с 2022 года"}, {"Label13", "w=4.824e+04 рад/с"},
       {"Label14", "T=1.302e-04 с"}, {"Label17", "R=4.526e-01 м"}}},
      {"VScroll2", Qt::Key_Down, 0, red, 2, {{"Label5", "9.1093837139e-31"}, {"Label5?", "масса электрона"},
       {"Label2?", "масса частицы"}}},
      {"VScroll2", Qt::Key_Up, 1, red, 2, {{"Label5", "1.66053906892e-27"}, {"Label5?", "масса частицы =  1 аем"},
       {"Label2?", "Атомная единица массы. С 2022 года"}}},
      {"VScroll2", Qt::Key_Home, 10, red, 2, {{"Label5", "1.66053906892e-26"}, {"Label5?", "масса частицы =  10 аем"}}},
      {"VScroll4", Qt::Key_Home, 30000, red, 2, {{"Label10", "30000"}}},
      {"VScroll5", Qt::Key_End, 0, red, 2, {{"Label12", "0.000e+00"}, {"Label14", "T - бесконечен"}}},
      {"VScroll5", Qt::Key_Home, 30000, red, 2, {{"Label12", "1.500e-03"}}},
      {"VScroll9", {}, -33, red, 2, {{"Label23", "-3.30"}}}, {"VScroll8", {}, -50, red, 2, {{"Label21", "-5.00"}}},
      {"VScroll7", {}, 3, red, 2, {{"Label19", "0.30"}}},   {"VScroll3", Qt::Key_Home, 10, red, 2, {{"Label6", "10.00"}}},
      {"VScroll6", Qt::Key_End, 0, red, 8, {{"Label16", "0"}, {"Label17", "R=0.000e+00 м"}}},
      {"VScroll10", Qt::Key_End, -180, red, 8, {{"Label25", "-180"}}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.bar << " to " << r.position);
    select("Плоский дрейф");  // chosen again: puts the structure's picture back
    const int before = window().recomputeCount();
    if (r.key) QTest::keyClick(control<VerticalBar>(r.bar)->scrollBar(), r.key);
    else moveBar(r.bar, r.position);
    EXPECT_EQ(at(r.bar), r.position);
    EXPECT_EQ(window().recomputeCount() - before, 1);
    expectShown(r.shown);
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
    const struct { const char* entry; int config; bool showS, showD; const char* S; int x, z, recomputes; const char *x0, *z0; } rows[] = {
        {"Плоский дрейф", 2, true, false, "3.30", 10, -40, 1, "1.00", "-4.00"},
        {"Осевой дрейф", 3, true, false, "3.30", 10, -40, 1, "1.00", "-4.00"},
        {"Магнитная ловушка", 4, true, true, "0.30", 10, -40, 2, "1.00", "-4.00"},
        {"Центробежный дрейф", 5, false, false, "0.30", 10, -40, 1, "1.00", "-4.00"},
        {"Магнитный монополь", 6, true, false, "5.00", 10, -20, 3, "1.00", "-2.00"},
        {"Ловушка-2", 7, true, true, "5.00", 3, -40, 3, "0.30", "-4.00"},
        {"Однородное поле", 1, false, false, "5.00", 10, -40, 2, "1.00", "-4.00"},
    };
    for (const auto& r : rows) {
      SCOPED_TRACE(r.entry);
      const int before = window().recomputeCount();
      select(r.entry);
      EXPECT_EQ(window().state().fieldConfig, r.config);
      EXPECT_EQ(window().recomputeCount() - before, r.recomputes);
      for (const char* n : {"Label27", "Text1"}) EXPECT_EQ(!control(n)->isHidden(), r.showS) << n;
      for (const char* n : {"Label28", "Text3"}) EXPECT_EQ(!control(n)->isHidden(), r.showD) << n;
      EXPECT_EQ(window().state().params.S, QString(r.S).toDouble());
      EXPECT_EQ(control<QLineEdit>("Text1")->text(), r.S);
      EXPECT_EQ(std::pair(at("VScroll7"), at("VScroll9")), std::pair(r.x, r.z));
      expectShown({{"Label19", r.x0}, {"Label23", r.z0}, {"Label13", "w=4.824e+04 рад/с"}});
      EXPECT_EQ(image1Colour(), withPictures ? pictureColour(r.config) : startColour);
    }
  }
}

// The selection runs on every choice of an entry, once: a click on a new entry, a click on
// the entry already chosen (which brings its picture back after a velocity change), a
// double click (its first click chooses), and a key that moves the choice.
TEST_F(HandlerTest, EveryChoiceOfAnEntryRunsTheSelectionOnce) {
  writeAllPictures();
  showWindow();
  auto* list = control<QListWidget>("List1");
  std::vector<int> configs;  // fieldConfig at every recompute
  QObject::connect(&window(), &Form1::recomputed, [&] { configs.push_back(window().state().fieldConfig); });
  auto centre = [list](int row) { list->scrollToItem(list->item(row)); return list->visualItemRect(list->item(row)).center(); };
  const struct { const char* gesture; std::function<void()> act; std::vector<int> runs; int picture; } rows[] = {
      {"click on the chosen entry", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre(0)); }, {1}, 1},
      {"velocity angle", [&] { QTest::keyClick(control<VerticalBar>("VScroll6")->scrollBar(), Qt::Key_Up); }, {1}, 8},
      {"click on the chosen entry", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre(0)); }, {1}, 1},
      {"click on a new entry", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre(1)); }, {2}, 2},
      {"double click", [&] {  // press, release, then the second press as a double click, release
         QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre(1));
         QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre(1));
         QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre(1)); }, {2}, 2},
      {"key down", [&] { QTest::keyClick(list, Qt::Key_Down); }, {3}, 3},
      {"key up", [&] { QTest::keyClick(list, Qt::Key_Up); }, {2}, 2},
      {"right button on the chosen entry", [&] { QTest::mouseClick(list->viewport(), Qt::RightButton, {}, centre(1)); }, {}, 2},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.gesture);
    configs.clear();
    r.act();
    EXPECT_EQ(configs, r.runs);
    EXPECT_EQ(image1Colour(), pictureColour(r.picture));
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
  QStringList startCaptions;
  for (const char* label : {"Label13", "Label14", "Label17", "Label18", "Label12", "Label5"}) startCaptions << caption(label);
  const int before = window().recomputeCount();
  for (const auto& [key, expected] : {std::pair{Qt::Key_End, 10}, {Qt::Key_Home, 0}, {Qt::Key_Right, 1}}) {
    QTest::keyClick(control<QScrollBar>("HScroll1"), key);
    EXPECT_EQ(window().state().params.slowdown, expected);
    EXPECT_EQ(caption("Label29"), QString::number(expected));
  }
  EXPECT_EQ(window().recomputeCount(), before);
  moveBar("VScroll5", 10020);
  EXPECT_EQ(caption("Label12"), "5.010e-04");
  QLocale::setDefault(QLocale::c());
  // The result captions take the comma; the value captions keep their point.
  EXPECT_EQ(startCaptions, (QStringList{"w=4,824e+04 рад/с", "T=1,302e-04 с", "R=4,526e-01 м", "H=3,492e-01 м",
                                        "5.000e-04", "1.66053906892e-27"}));
}

}  // namespace
}  // namespace larmor::test
