// The main window's design: names, kinds, captions, tooltips, colours, fonts, ranges and
// the menu tree.
#include "UiTestSupport.h"

#include "ui/VerticalBar.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace larmor::test {
namespace {

using InventoryTest = WindowTest;

// Captions that start-up does not overwrite, with their tooltips (the charge and mass
// captions keep their design tooltips until their bars are first moved).
TEST_F(InventoryTest, CaptionLabelsKeepTheirCaptionsAndTooltips) {
  const struct {
    const char* name;
    const char* caption;
    const char* tooltip;
  } rows[] = {
      {"Label1", "q, Кл", "Элементарный заряд |е| точно. СИ с 2022 года "},
      {"Label2", "m, кг", "Атомная единица массы. С 2022 года"},
      {"Label9", "v, м/с", "скорость частицы"},
      {"Label15", "α", "угол между скоростью и осью OZ"},
      {"Label24", "β", "угол между поперечной скоростью и осью OX"},
      {"Label11", "Bo, Тл", "Индукция магнитного поля"},
      {"Label3", "размер, м", "размер изучаемой области"},
      {"Label7", "Хо, м", "начальная координата х"},
      {"Label20", "Yо, м", "начальная координата y"},
      {"Label22", "Zo, м", "начальная координата z"},
      {"Label27", "S, м", "характерная длина"},
      {"Label28", "d, м", "полуширина ловушки"},
      {"Label8", "Время", "Время расчета в периодах"},
  };
  for (const auto& row : rows) {
    auto* label = control<QLabel>(row.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(row.caption)) << row.name;
    EXPECT_EQ(label->toolTip(), QString::fromUtf8(row.tooltip)) << row.name;
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << row.name;
    EXPECT_EQ(label->font().family(), QStringLiteral("Times New Roman")) << row.name;
    EXPECT_EQ(label->font().pointSize(), 12) << row.name;
  }
  // The first letter of "Хо, м" is Cyrillic, that of "Yо, м" Latin with a Cyrillic о.
  EXPECT_EQ(caption("Label7").at(0).unicode(), 0x425);
  EXPECT_EQ(caption("Label20").at(0).unicode(), u'Y');
  EXPECT_EQ(caption("Label20").at(1).unicode(), 0x43E);
  // α and β are stored as the Symbol font's Latin letters.
  EXPECT_EQ(control<QLabel>("Label15")->property("symbolCaption").toString(), QStringLiteral("a"));
  EXPECT_EQ(control<QLabel>("Label24")->property("symbolCaption").toString(), QStringLiteral("b"));
}

TEST_F(InventoryTest, ValueOutputAndTextControlsHaveTheirColoursAndTooltips) {
  const QColor yellow(255, 255, 192);
  const QColor cyan(192, 255, 255);
  const struct {
    const char* name;
    QColor colour;
    const char* tooltip;
    Qt::Alignment alignment;
  } rows[] = {
      {"Label4", yellow, "заряд частицы =  1|e|", Qt::AlignHCenter},
      {"Label5", yellow, "масса частицы =  1 аем", Qt::AlignHCenter},
      {"Label10", yellow, "скорость частицы", Qt::AlignLeft},
      {"Label16", yellow, "градусы", Qt::AlignHCenter},
      {"Label25", yellow, "градусы", Qt::AlignHCenter},
      {"Label12", yellow, "магнитное поле", Qt::AlignLeft},
      {"Label6", yellow, "размер области ", Qt::AlignHCenter},
      {"Label19", yellow, "начальная координата х", Qt::AlignHCenter},
      {"Label21", yellow, "начальная координата координата y", Qt::AlignHCenter},
      {"Label23", yellow, "начальная координата z", Qt::AlignHCenter},
      {"Label29", yellow, "Замедление расчёта", Qt::AlignHCenter},
      {"Label13", cyan, "циклотронная частота при B=Bo", Qt::AlignLeft},
      {"Label14", cyan, "период", Qt::AlignLeft},
      {"Label17", cyan, "радиус окружности", Qt::AlignLeft},
      {"Label18", cyan, "шаг винта", Qt::AlignLeft},
      {"Label26", cyan, "Погрешность расчёта скорости", Qt::AlignLeft},
  };
  for (const auto& row : rows) {
    auto* label = control<QLabel>(row.name);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->autoFillBackground()) << row.name;
    EXPECT_EQ(label->palette().color(QPalette::Window), row.colour) << row.name;
    EXPECT_EQ(label->frameShape(), QFrame::Box) << row.name;
    EXPECT_EQ(label->lineWidth(), 1) << row.name;
    EXPECT_TRUE(label->alignment() & row.alignment) << row.name;
    EXPECT_EQ(label->toolTip(), QString::fromUtf8(row.tooltip)) << row.name;
    EXPECT_EQ(label->font().family(), QStringLiteral("Times New Roman")) << row.name;
  }
  const struct {
    const char* name;
    const char* tooltip;
  } boxes[] = {{"Text1", "характерная длина"},
               {"Text2", "Время расчета в периодах"},
               {"Text3", "полуширина ловушки"}};
  for (const auto& row : boxes) {
    auto* box = control<QLineEdit>(row.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->palette().color(QPalette::Base), yellow) << row.name;
    EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << row.name;
    EXPECT_EQ(box->toolTip(), QString::fromUtf8(row.tooltip)) << row.name;
    EXPECT_EQ(box->font().pointSize(), 12) << row.name;
  }
  EXPECT_EQ(tooltip("List1"), QStringLiteral("Структура магнитного поля"));
  EXPECT_EQ(tooltip("Picture1"), QStringLiteral("плоскость X0Y"));
  EXPECT_EQ(tooltip("Picture2"), QStringLiteral("плоскость X0Z"));
  auto* start = control<QPushButton>("CmdOK");
  EXPECT_EQ(start->text(), QStringLiteral("ПУСК"));
  EXPECT_EQ(start->toolTip(), QStringLiteral("выполнить расчет"));
  EXPECT_EQ(start->font().family(), QStringLiteral("Times New Roman"));
  // The markers live inside their pictures.
  EXPECT_EQ(control<QWidget>("Shape1")->parentWidget(), control<QWidget>("Picture1"));
  EXPECT_EQ(control<QWidget>("Shape2")->parentWidget(), control<QWidget>("Picture2"));
  EXPECT_EQ(control<QWidget>("Shape1")->size(), QSize(10, 10));
}

TEST_F(InventoryTest, BarsHaveTheirRangesAndSteps) {
  const struct {
    const char* name;
    int top, bottom, small, large;
  } rows[] = {
      {"VScroll1", 5, -5, 1, 2},         {"VScroll2", 10, 0, 1, 2},
      {"VScroll4", 30000, 1, 100, 1000}, {"VScroll6", 180, 0, 1, 10},
      {"VScroll10", 180, -180, 1, 10},   {"VScroll5", 30000, 0, 10, 100},
      {"VScroll3", 10, 1, 1, 1},         {"VScroll7", 50, -50, 1, 1},
      {"VScroll8", 50, -50, 1, 1},       {"VScroll9", 100, -100, 1, 1},
  };
  for (const auto& row : rows) {
    auto* bar = control<VerticalBar>(row.name);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->top(), row.top) << row.name;
    EXPECT_EQ(bar->bottom(), row.bottom) << row.name;
    EXPECT_EQ(bar->smallChange(), row.small) << row.name;
    EXPECT_EQ(bar->largeChange(), row.large) << row.name;
    EXPECT_FALSE(bar->scrollBar()->hasTracking()) << row.name;
  }
  auto* slowdown = control<QScrollBar>("HScroll1");
  EXPECT_EQ(slowdown->orientation(), Qt::Horizontal);
  EXPECT_EQ(slowdown->minimum(), 0);
  EXPECT_EQ(slowdown->maximum(), 10);
  EXPECT_EQ(slowdown->singleStep(), 1);
  EXPECT_EQ(slowdown->pageStep(), 1);
  auto* timer = control<QTimer>("Timer1");
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(timer->interval(), 1);
}

TEST_F(InventoryTest, MenuTreeWithIconsAndHiddenHolders) {
  EXPECT_EQ(window().windowTitle(),
            QStringLiteral("Моделирование движения заряженной частицы в различных магнитных полях"));
  EXPECT_FALSE(window().windowIcon().isNull());

  const QList<QAction*> top = window().menuBar()->actions();
  ASSERT_EQ(top.size(), 2);
  const struct {
    const char* name;
    const char* text;
    QStringList items;  // name=text, "-" marks a separator
  } menus[] = {
      {"mnuFile", "Файл", {"mnuFilespravka=Cправка", "mnuHelpSep2=-", "mnuFileExit=Выход"}},
      {"mnuHelp", "Помощь",
       {"mnuHelpInstruction=Инструкция", "mnuHelpUprav=Управление", "mnuHelpSep1=-",
        "mnuHelpAvtors=Авторы", "mnuHelpAbout=О программе", "mnuHelpAbout2=Регистрация"}},
  };
  for (int m = 0; m < 2; ++m) {
    QMenu* menu = top[m]->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QLatin1String(menus[m].name));
    EXPECT_EQ(menu->title(), QString::fromUtf8(menus[m].text));
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), menus[m].items.size()) << menus[m].name;
    for (int i = 0; i < items.size(); ++i) {
      const QStringList expected = menus[m].items[i].split(u'=');
      EXPECT_EQ(items[i]->objectName(), expected[0]);
      if (expected[1] == QLatin1String("-")) {
        EXPECT_TRUE(items[i]->isSeparator()) << expected[0].toStdString();
      } else {
        EXPECT_EQ(items[i]->text(), expected[1]);
        EXPECT_FALSE(items[i]->icon().isNull()) << expected[0].toStdString();
      }
    }
  }
  // "Cправка" begins with the Latin capital C.
  EXPECT_EQ(window().findChild<QAction*>(QStringLiteral("mnuFilespravka"))->text().at(0).unicode(),
            0x43);

  for (const char* holder : {"Picture4", "Picture6", "Picture7", "Picture8", "Picture9",
                             "Picture10", "Picture11"}) {
    auto* label = control<QLabel>(holder);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isHidden()) << holder;
    EXPECT_FALSE(label->pixmap().isNull()) << holder;
  }
}

}  // namespace
}  // namespace larmor::test
