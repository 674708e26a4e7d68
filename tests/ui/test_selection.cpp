// Choosing a field structure in the list, after start-up, with and without the pictures.
#include "UiTestSupport.h"

#include "ui/VerticalBar.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace larmor::test {
namespace {

struct Selection {
  const char* text;
  int config;
  bool showS, showD;
  double S;
  const char* text1;
  double x0;
  int position7;
  const char* label19;
  float z0;
  int position9;
  const char* label23;
  int recomputes;  // the nested handlers' and the selection's own
};

// In this order from the start state: each row's S and bars follow the rows before it.
const Selection selections[] = {
    {"Плоский дрейф", 2, true, false, 3.3, "3.30", 1, 10, "1.00", -4.0f, -40, "-4.00", 1},
    {"Осевой дрейф", 3, true, false, 3.3, "3.30", 1, 10, "1.00", -4.0f, -40, "-4.00", 1},
    {"Магнитная ловушка", 4, true, true, 0.3, "0.30", 1, 10, "1.00", -4.0f, -40, "-4.00", 2},
    {"Центробежный дрейф", 5, false, false, 0.3, "0.30", 1, 10, "1.00", -4.0f, -40, "-4.00", 1},
    {"Магнитный монополь", 6, true, false, 5, "5.00", 1, 10, "1.00", -2.0f, -20, "-2.00", 3},
    // The moved bar sets x0 again: 3 × 0.1, not the literal 0.3.
    {"Ловушка-2", 7, true, true, 5, "5.00", 3 * 0.1, 3, "0.30", -4.0f, -40, "-4.00", 3},
    {"Однородное поле", 1, false, false, 5, "5.00", 1, 10, "1.00", -4.0f, -40, "-4.00", 2},
};

class SelectionTest : public WindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SelectionTest, EachStructureSetsItsInputsStartPointAndPicture) {
  const bool withPictures = GetParam();
  if (withPictures) writeAllPictures();
  showWindow();
  const QColor startColour = image1Colour();
  for (const Selection& row : selections) {
    SCOPED_TRACE(row.text);
    const int before = window().recomputeCount();
    select(QString::fromUtf8(row.text));
    const SimulationState& state = window().state();
    EXPECT_EQ(state.fieldConfig, row.config);
    EXPECT_EQ(window().recomputeCount() - before, row.recomputes);
    for (const char* name : {"Label27", "Text1"}) EXPECT_EQ(!control<QWidget>(name)->isHidden(), row.showS) << name;
    for (const char* name : {"Label28", "Text3"}) EXPECT_EQ(!control<QWidget>(name)->isHidden(), row.showD) << name;
    EXPECT_EQ(state.params.S, row.S);
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QLatin1String(row.text1));
    EXPECT_EQ(state.params.x0, row.x0);
    EXPECT_EQ(control<VerticalBar>("VScroll7")->value(), row.position7);
    EXPECT_EQ(caption("Label19"), QLatin1String(row.label19));
    EXPECT_EQ(state.params.z0, row.z0);
    EXPECT_EQ(control<VerticalBar>("VScroll9")->value(), row.position9);
    EXPECT_EQ(caption("Label23"), QLatin1String(row.label23));
    // The recompute put the particle back at the new start point.
    EXPECT_EQ(state.x, state.params.x0);
    EXPECT_EQ(state.z, static_cast<double>(state.params.z0));
    EXPECT_EQ(image1Colour(), withPictures ? pictureColour(row.config) : startColour);
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, SelectionTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "present" : "absent"; });

TEST_F(WindowTest, TypedLengthsSurviveTheSelectionsThatDoNotSetThem) {
  showWindow();
  select(QStringLiteral("Ловушка-2"));
  auto* text1 = control<QLineEdit>("Text1");
  auto* text3 = control<QLineEdit>("Text3");
  text3->selectAll();
  QTest::keyClicks(text3, QStringLiteral("7.5"));
  text1->selectAll();
  QTest::keyClicks(text1, QStringLiteral("2,25"));
  EXPECT_EQ(window().state().params.S, 2);

  select(QStringLiteral("Центробежный дрейф"));
  select(QStringLiteral("Однородное поле"));
  EXPECT_EQ(text1->text(), QStringLiteral("2,25"));
  EXPECT_EQ(window().state().params.S, 2);
  select(QStringLiteral("Магнитная ловушка"));
  EXPECT_EQ(text1->text(), QStringLiteral("0.30"));
  EXPECT_EQ(text3->text(), QStringLiteral("7.5"));
  EXPECT_EQ(window().state().params.d, 7.5);
}

}  // namespace
}  // namespace larmor::test
