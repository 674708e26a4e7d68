// The window as the user first sees it: every control's caption, tooltip, colours, font and
// range, the menu tree, the start-up state, the placement and the layout at every size.
#include "UiTestSupport.h"

#include "ui/PictureBox.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace larmor::test {
namespace {

const QColor yellow(255, 255, 192), cyan(192, 255, 255);

TEST_F(WindowTest, StartsWithEveryControlAsDesigned) {
  // kind: 'c' caption (centred, 12 pt), 'y' yellow value centred, 'Y' yellow value left,
  // 'b' cyan result, left. The charge and mass captions keep their design tooltips (with the
  // trailing blank) as long as no handler has run.
  SimulationState fresh;
  const ResultCaptions results = fresh.computeQuantities();
  const struct { const char* name; char kind; const char *text, *tooltip; } labels[] = {
      {"Label1", 'c', "q, Кл", "Элементарный заряд |е| точно. СИ с 2022 года "},
      {"Label2", 'c', "m, кг", "Атомная единица массы. С 2022 года"}, {"Label9", 'c', "v, м/с", "скорость частицы"},
      {"Label15", 'c', "α", "угол между скоростью и осью OZ"},
      {"Label24", 'c', "β", "угол между поперечной скоростью и осью OX"},
      {"Label11", 'c', "Bo, Тл", "Индукция магнитного поля"}, {"Label3", 'c', "размер, м", "размер изучаемой области"},
      {"Label7", 'c', "Хо, м", "начальная координата х"},  // Cyrillic Х
      {"Label20", 'c', "Yо, м", "начальная координата y"},  // Latin Y, Cyrillic о
      {"Label22", 'c', "Zo, м", "начальная координата z"}, {"Label27", 'c', "S, м", "характерная длина"},
      {"Label28", 'c', "d, м", "полуширина ловушки"},      {"Label8", 'c', "Время", "Время расчета в периодах"},
      {"Label4", 'y', " 1.602176634e-19", "заряд частицы =  1|e|"},
      {"Label5", 'y', "1.66053906892e-27", "масса частицы =  1 аем"}, {"Label10", 'Y', "22000", "скорость частицы"},
      {"Label16", 'y', "83", "градусы"},  {"Label25", 'y', "60", "градусы"},  {"Label12", 'Y', "5.000e-04", "магнитное поле"},
      {"Label6", 'y', "5.00", "размер области "}, {"Label19", 'y', "1.00", "начальная координата х"},
      {"Label21", 'y', "0.50", "начальная координата координата y"}, {"Label23", 'y', "-4.00", "начальная координата z"},
      {"Label29", 'y', "3", "Замедление расчёта"},
      {"Label13", 'b', results.frequency.c_str(), "циклотронная частота при B=Bo"},
      {"Label14", 'b', results.period.c_str(), "период"}, {"Label17", 'b', results.radius.c_str(), "радиус окружности"},
      {"Label18", 'b', results.pitch.c_str(), "шаг винта"},
      {"Label26", 'b', "Точность вычислений", "Погрешность расчёта скорости"},
  };
  for (const auto& r : labels) {
    SCOPED_TRACE(r.name);
    auto* label = control<QLabel>(r.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(r.text));
    EXPECT_EQ(label->toolTip(), QString::fromUtf8(r.tooltip));
    EXPECT_EQ(label->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(label->alignment() & (r.kind == 'c' || r.kind == 'y' ? Qt::AlignHCenter : Qt::AlignLeft));
    if (r.kind == 'c') {
      EXPECT_EQ(label->font().pointSize(), 12);
      continue;
    }
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::Window), r.kind == 'b' ? cyan : yellow);
    EXPECT_TRUE(label->frameShape() == QFrame::Box && label->lineWidth() == 1);
  }
  // α and β are stored as the Symbol font's Latin letters.
  EXPECT_EQ(control("Label15")->property("symbolCaption").toString() + control("Label24")->property("symbolCaption").toString(), "ab");

  const char* boxes[][3] = {{"Text1", "3.30", "характерная длина"}, {"Text2", " 25", "Время расчета в периодах"},
                            {"Text3", "5.00", "полуширина ловушки"}};
  for (const auto& [name, text, tip] : boxes) {
    auto* box = control<QLineEdit>(name);
    EXPECT_EQ(box->text(), QString::fromUtf8(text)) << name;
    EXPECT_EQ(box->toolTip(), QString::fromUtf8(tip)) << name;
    EXPECT_EQ(box->palette().color(QPalette::Base), yellow) << name;
    EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << name;
    EXPECT_EQ(box->font().pointSize(), 12) << name;
  }
  for (const char* hidden : {"Label27", "Text1", "Label28", "Text3"}) EXPECT_TRUE(control(hidden)->isHidden()) << hidden;

  const struct { const char* name; int top, bottom, small, large, start; } bars[] = {
      {"VScroll1", 5, -5, 1, 2, 1},           {"VScroll2", 10, 0, 1, 2, 1},   {"VScroll3", 10, 1, 1, 1, 5},
      {"VScroll4", 30000, 1, 100, 1000, 22000}, {"VScroll5", 30000, 0, 10, 100, 10000},
      {"VScroll6", 180, 0, 1, 10, 83},        {"VScroll10", 180, -180, 1, 10, 60},
      {"VScroll7", 50, -50, 1, 1, 10},        {"VScroll8", 50, -50, 1, 1, 5}, {"VScroll9", 100, -100, 1, 1, -40},
  };
  for (const auto& r : bars) {
    auto* bar = control<VerticalBar>(r.name);
    EXPECT_EQ((std::vector<int>{bar->top(), bar->bottom(), bar->smallChange(), bar->largeChange(), bar->value()}),
              (std::vector<int>{r.top, r.bottom, r.small, r.large, r.start})) << r.name;
    EXPECT_FALSE(bar->scrollBar()->hasTracking()) << r.name;
  }
  auto* slowdown = control<QScrollBar>("HScroll1");
  EXPECT_EQ((std::vector<int>{slowdown->orientation(), slowdown->minimum(), slowdown->maximum(), slowdown->singleStep(),
                              slowdown->pageStep(), slowdown->value()}), (std::vector<int>{Qt::Horizontal, 0, 10, 1, 1, 3}));
  EXPECT_TRUE(!control<QTimer>("Timer1")->isActive() && control<QTimer>("Timer1")->interval() == 1);

  EXPECT_EQ(tooltip("List1") + tooltip("Picture1") + tooltip("Picture2"), "Структура магнитного поляплоскость X0Yплоскость X0Z");
  auto* start = control<QPushButton>("CmdOK");
  EXPECT_EQ(start->text() + start->toolTip(), QStringLiteral("ПУСКвыполнить расчет"));
  EXPECT_EQ(start->font().family(), QStringLiteral("Times New Roman"));
  EXPECT_TRUE(control("Shape1")->parentWidget() == control("Picture1") && control("Shape2")->parentWidget() == control("Picture2"));
  EXPECT_EQ(control("Shape1")->size(), QSize(10, 10));
  EXPECT_EQ(std::tuple(control<QListWidget>("List1")->count(), control<QListWidget>("List1")->currentRow(),
                       window().state().fieldConfig, window().ready()), std::tuple(7, 0, 1, true));

  EXPECT_EQ(window().windowTitle(), QStringLiteral("Моделирование движения заряженной частицы в различных магнитных полях"));
  EXPECT_FALSE(window().windowIcon().isNull());
  // Each menu: its name=caption, then its items' ("-": a separator, otherwise with an icon).
  const QStringList menus[] = {
      {"mnuFile=Файл", "mnuFilespravka=Cправка" /* Latin C */, "mnuHelpSep2=-", "mnuFileExit=Выход"},
      {"mnuHelp=Помощь", "mnuHelpInstruction=Инструкция", "mnuHelpUprav=Управление", "mnuHelpSep1=-",
       "mnuHelpAvtors=Авторы", "mnuHelpAbout=О программе", "mnuHelpAbout2=Регистрация"}};
  const QList<QAction*> top = window().menuBar()->actions();
  ASSERT_EQ(top.size(), 2);
  for (int m = 0; m < 2; ++m) {
    QMenu* menu = top[m]->menu();
    ASSERT_NE(menu, nullptr);
    QStringList seen{menu->objectName() + '=' + menu->title()};
    for (QAction* item : menu->actions()) {
      seen << item->objectName() + '=' + (item->isSeparator() ? QStringLiteral("-") : item->text());
      EXPECT_TRUE(item->isSeparator() || !item->icon().isNull()) << item->objectName().toStdString();
    }
    EXPECT_EQ(seen, menus[m]);
  }
  for (const char* holder : {"Picture4", "Picture6", "Picture7", "Picture8", "Picture9", "Picture10", "Picture11"})
    EXPECT_TRUE(control(holder)->isHidden() && !control<QLabel>(holder)->pixmap().isNull()) << holder;

  // Placed 2 % from the top left of the free screen.
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect outer = window().frameGeometry();
  EXPECT_NEAR(outer.left(), free.left() + (free.width() - outer.width()) * 0.02, 1);
  EXPECT_NEAR(outer.top(), free.top() + (free.height() - outer.height()) * 0.02, 1);
}

class LayoutTest : public WindowTest {
protected:
  void resizeClient(int width, int height) {
    window().resize(width, height + window().height() - window().centralWidget()->height());
    QTRY_COMPARE(window().centralWidget()->size(), QSize(width, height));
  }
  void expectNear(const char* name, double left, double top, double width, double height) {
    const QRect g = control(name)->geometry();
    EXPECT_TRUE(std::abs(g.left() - left) <= 0.5 && std::abs(g.top() - top) <= 0.5 &&
                std::abs(g.width() - width) <= 0.5 && std::abs(g.height() - height) <= 0.5)
        << name << " at " << g.left() << "," << g.top() << " " << g.width() << "x" << g.height();
  }
};

TEST_F(LayoutTest, FirstShowLaysOutAndRecomputesThenEverySizeReachesTheControls) {
  EXPECT_EQ(window().recomputeCount(), 1) << "only the first selection recomputes during start-up";
  showWindow();  // the first resize: the layout and a second recompute
  EXPECT_EQ(window().recomputeCount(), 2);
  ASSERT_EQ(window().centralWidget()->size(), QSize(720, 480));
  const struct { const char* name; double left, top, width, height; } rows[] = {
      {"Label1", 4, 4, 132, 24},          {"VScroll1", 136, 4, 22, 48},      {"Label25", 4, 236, 132, 24},
      {"Label11", 166, 4, 116.16, 24},    {"VScroll5", 282.16, 4, 22, 48},   {"List1", 166, 56, 135.52, 48},
      {"Text2", 166, 236, 116.16, 24},    {"Label3", 309.52, 4, 66, 24},     {"VScroll3", 375.52, 4, 22, 48},
      {"Label23", 309.52, 184, 66, 24},   {"HScroll1", 309.52, 216, 88, 24}, {"Label29", 342.52, 240, 22, 24},
      {"Label13", 398.52, 4, 132, 24},    {"Label26", 398.52, 116, 132, 24}, {"CmdOK", 431.52, 224, 66, 24},
      {"Image1", 534.52, 4, 181.48, 151.23}, {"Picture1", 4, 268, 208, 208}, {"Picture2", 216, 268, 416, 208},
      {"Text1", 166, 132, 116.16, 24},  // hidden, placed ready to be shown
  };
  for (const auto& r : rows) expectNear(r.name, r.left, r.top, r.width, r.height);
  EXPECT_EQ(control<PictureBox>("Picture2")->canvas().logicalSize(), QSize(416, 208));

  // Only the illustration and the pictures follow the client area; the panel stays, and a
  // client area smaller than the panel gives zero sizes, never a failure.
  const struct { int width, height; double imageWidth, side, top; } sizes[] = {
      {1200, 700, 300, 428, 268}, {600, 480, 61.48, 208, 268}, {300, 200, 0, 0, 196}};
  for (const auto& z : sizes) {
    SCOPED_TRACE(z.width);
    const int before = window().recomputeCount();
    resizeClient(z.width, z.height);
    EXPECT_GT(window().recomputeCount(), before);
    for (const auto& r : rows)
      if (r.name[0] != 'I' && r.name[0] != 'P') expectNear(r.name, r.left, r.top, r.width, r.height);
    expectNear("Image1", 534.52, 4, z.imageWidth, z.imageWidth * 5 / 6);
    expectNear("Picture1", 4, z.top, z.side, z.side);
    expectNear("Picture2", 4 + z.side + 4, z.top, 2 * z.side, z.side);
  }
  resizeClient(720, 480);
  window().showMinimized();
  QTest::qWait(20);
  window().showNormal();
  QTRY_COMPARE(window().centralWidget()->size(), QSize(720, 480));
  expectNear("Picture1", 4, 268, 208, 208);
}

// Files are added row by row; picture 0: the built-in one.
TEST_F(WindowTest, PictureAtStartComesFromTheFilesWhenTheyAreThere) {
  for (const auto& [file, k] : {std::pair{"", 0}, {"1.gif", 1}, {"mudr.gif", 9}}) {
    if (k) writePicture(file, k);
    closeWindow();
    const QPixmap shown = control<QLabel>("Image1")->pixmap();
    ASSERT_FALSE(shown.isNull()) << file;
    if (k) EXPECT_EQ(shown.toImage().pixelColor(0, 0), pictureColour(k)) << file;
    else EXPECT_EQ(shown.size(), QSize(300, 250));
    EXPECT_EQ(control("Image1")->property("pictureFile").toString().isEmpty(), !k) << file;
  }
}

}  // namespace
}  // namespace larmor::test
