// The window as the user first sees it.
#include "UiTestSupport.h"

#include "ui/VerticalBar.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>

namespace larmor::test {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, EveryControlShowsTheStartState) {
  const struct {
    const char* name;
    const char* text;
  } captions[] = {
      {"Label4", " 1.602176634e-19"}, {"Label5", "1.66053906892e-27"}, {"Label10", "22000"},
      {"Label16", "83"},              {"Label25", "60"},               {"Label12", "5.000e-04"},
      {"Label6", "5.00"},             {"Label19", "1.00"},             {"Label21", "0.50"},
      {"Label23", "-4.00"},           {"Label29", "3"},
      {"Label13", "w=4.824e+04 рад/с"}, {"Label14", "T=1.302e-04 с"},
      {"Label17", "R=4.526e-01 м"},     {"Label18", "H=3.492e-01 м"},
      {"Label26", "Точность вычислений"},
  };
  for (const auto& row : captions) EXPECT_EQ(caption(row.name), QString::fromUtf8(row.text)) << row.name;

  EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("3.30"));
  EXPECT_EQ(control<QLineEdit>("Text3")->text(), QStringLiteral("5.00"));
  EXPECT_EQ(control<QLineEdit>("Text2")->text(), QStringLiteral(" 25"));
  for (const char* hidden : {"Label27", "Text1", "Label28", "Text3"}) {
    EXPECT_TRUE(control<QWidget>(hidden)->isHidden()) << hidden;
  }

  const struct {
    const char* name;
    int position;
  } bars[] = {{"VScroll1", 1}, {"VScroll2", 1}, {"VScroll3", 5},     {"VScroll4", 22000},
              {"VScroll5", 10000}, {"VScroll6", 83}, {"VScroll7", 10}, {"VScroll8", 5},
              {"VScroll9", -40}, {"VScroll10", 60}};
  for (const auto& row : bars) EXPECT_EQ(control<VerticalBar>(row.name)->value(), row.position) << row.name;
  EXPECT_EQ(control<QScrollBar>("HScroll1")->value(), 3);

  auto* list = control<QListWidget>("List1");
  ASSERT_EQ(list->count(), 7);
  EXPECT_EQ(list->item(6)->text(), QStringLiteral("Ловушка-2"));
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(window().state().fieldConfig, 1);
  EXPECT_TRUE(window().ready());
}

TEST_F(StartupTest, NoParameterHandlerRunsDuringStartUp) {
  // The first selection recomputes once; every bar and box start-up moves stays silent:
  // the captions' design tooltips survive and the parameter set holds its start values.
  EXPECT_EQ(window().recomputeCount(), 1);
  EXPECT_EQ(tooltip("Label1"), QStringLiteral("Элементарный заряд |е| точно. СИ с 2022 года "));
  EXPECT_EQ(tooltip("Label2"), QStringLiteral("Атомная единица массы. С 2022 года"));
  const SimParams& p = window().state().params;
  const SimParams start;
  EXPECT_EQ(p.q, start.q);
  EXPECT_EQ(p.S, start.S);
  EXPECT_EQ(p.d, start.d);
  EXPECT_EQ(p.periods, start.periods);
  EXPECT_EQ(p.slowdown, start.slowdown);
  EXPECT_EQ(p.x0, 1.0);
  EXPECT_EQ(p.z0, -4.0f);

  // Showing the window is its first resize: the layout and a second recompute.
  showWindow();
  EXPECT_EQ(window().recomputeCount(), 2);
  EXPECT_EQ(window().centralWidget()->size(), QSize(720, 480));
  EXPECT_EQ(control<QWidget>("Picture2")->geometry(), QRect(216, 268, 416, 208));
}

TEST_F(StartupTest, SitsTwoPercentFromTheTopLeftOfTheFreeScreen) {
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize outer = window().frameGeometry().size();
  EXPECT_NEAR(window().frameGeometry().left(), free.left() + (free.width() - outer.width()) * 0.02, 1);
  EXPECT_NEAR(window().frameGeometry().top(), free.top() + (free.height() - outer.height()) * 0.02, 1);
}

TEST_F(StartupTest, PictureAtStartComesFromTheFilesWhenTheyAreThere) {
  const struct {
    const char* situation;
    QStringList files;
    int expected;  // 0: the built-in picture
  } rows[] = {
      {"all files", {"1.gif", "mudr.gif"}, 9},
      {"no mudr.gif", {"1.gif"}, 1},
      {"no files", {}, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.situation);
    TearDown();
    SetUp();
    for (const QString& file : row.files) {
      writePicture(file, pictureColour(file == QLatin1String("mudr.gif") ? 9 : 1));
    }
    auto* image = control<QLabel>("Image1");
    ASSERT_FALSE(image->pixmap().isNull());
    if (row.expected == 0) {
      EXPECT_EQ(image->pixmap().size(), QSize(300, 250));
      EXPECT_TRUE(image->property("pictureFile").toString().isEmpty());
    } else {
      EXPECT_EQ(image1Colour(), pictureColour(row.expected));
    }
  }
}

}  // namespace
}  // namespace larmor::test
