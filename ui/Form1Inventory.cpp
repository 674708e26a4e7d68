// The design of the main window: every control with its name, caption, tooltip, font,
// colours and range, the menu tree and the hidden holders of the menu bitmaps.
#include "ui/Form1.h"

#include "ui/PictureBox.h"
#include "ui/SymbolFont.h"
#include "ui/VerticalBar.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTimer>

namespace larmor {

namespace {

const QColor inputColour(255, 255, 192);   // value labels and text boxes
const QColor outputColour(192, 255, 255);  // result labels

// The panel font: "Times New Roman" 12 pt, met by its metric twin where it is missing.
QFont panelFont() {
  QFont font(QStringLiteral("Times New Roman"));
  font.setPointSize(12);
  return font;
}

void setBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// An SVG of the resources drawn into a transparent image of the given size; a null
// image when the resource is missing.
QImage renderSvg(const QString& resource, QSize size, const QColor& background = Qt::transparent) {
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return {};
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(background);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

}  // namespace

void Form1::buildControls() {
  QWidget* client = m_client;

  auto caption = [client](int number, const QString& text, const QString& tip) {
    auto* label = new QLabel(text, client);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->setAlignment(Qt::AlignCenter);
    label->setFont(panelFont());
    label->setToolTip(tip);
    return label;
  };
  auto bordered = [client](int number, const QString& tip, const QColor& colour,
                           Qt::Alignment alignment) {
    auto* label = new QLabel(client);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setFont(panelFont());
    label->setToolTip(tip);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    setBackground(label, QPalette::Window, colour);
    return label;
  };
  auto value = [&bordered](int number, const QString& tip, Qt::Alignment alignment =
                                                               Qt::AlignHCenter) {
    return bordered(number, tip, inputColour, alignment);
  };
  auto output = [&bordered](int number, const QString& tip) {
    return bordered(number, tip, outputColour, Qt::AlignLeft);
  };
  auto bar = [client](const char* name, int top, int bottom, int small, int large, int start) {
    auto* scroll = new VerticalBar(top, bottom, small, large, start, client);
    scroll->setObjectName(QString::fromLatin1(name));
    return scroll;
  };
  auto textBox = [client](const char* name, const QString& tip) {
    auto* box = new QLineEdit(QString::fromLatin1(name), client);
    box->setObjectName(QString::fromLatin1(name));
    box->setAlignment(Qt::AlignCenter);
    box->setFont(panelFont());
    box->setToolTip(tip);
    setBackground(box, QPalette::Base, inputColour);
    return box;
  };
  // α and β: the captions are kept as typed for the Symbol font and shown as the Greek
  // letters that font would draw, in the panel's serif font.
  auto symbolCaption = [&caption](int number, const QString& stored, const QString& tip) {
    QLabel* label = caption(number, symbolFontToUnicode(stored), tip);
    label->setProperty("symbolCaption", stored);
    return label;
  };

  // Charge.
  Label[1] = caption(1, QStringLiteral("q, Кл"),
                     QStringLiteral("Элементарный заряд |е| точно. СИ с 2022 года "));
  Label[4] = value(4, QStringLiteral("заряд частицы"));
  VScroll1 = bar("VScroll1", 5, -5, 1, 2, 5);
  // Mass.
  Label[2] = caption(2, QStringLiteral("m, кг"), QStringLiteral("Атомная единица массы. С 2022 года"));
  Label[5] = value(5, QStringLiteral("масса частицы"));
  VScroll2 = bar("VScroll2", 10, 0, 1, 2, 0);
  // Speed.
  Label[9] = caption(9, QStringLiteral("v, м/с"), QStringLiteral("скорость частицы"));
  Label[10] = value(10, QStringLiteral("скорость частицы"), Qt::AlignLeft);
  VScroll4 = bar("VScroll4", 30000, 1, 100, 1000, 100);
  // The two angles.
  Label[15] = symbolCaption(15, QStringLiteral("a"), QStringLiteral("угол между скоростью и осью OZ"));
  Label[16] = value(16, QStringLiteral("градусы"));
  VScroll6 = bar("VScroll6", 180, 0, 1, 10, 0);
  Label[24] = symbolCaption(24, QStringLiteral("b"),
                            QStringLiteral("угол между поперечной скоростью и осью OX"));
  Label[25] = value(25, QStringLiteral("градусы"));
  VScroll10 = bar("VScroll10", 180, -180, 1, 10, 0);
  // Field.
  Label[11] = caption(11, QStringLiteral("Bo, Тл"), QStringLiteral("Индукция магнитного поля"));
  Label[12] = value(12, QStringLiteral("магнитное поле"), Qt::AlignLeft);
  VScroll5 = bar("VScroll5", 30000, 0, 10, 100, 1);
  // Region and start point.
  Label[3] = caption(3, QStringLiteral("размер, м"), QStringLiteral("размер изучаемой области"));
  Label[6] = value(6, QStringLiteral("размер области "));
  VScroll3 = bar("VScroll3", 10, 1, 1, 1, 4);
  Label[7] = caption(7, QStringLiteral("Хо, м"), QStringLiteral("начальная координата х"));
  Label[19] = value(19, QStringLiteral("начальная координата х"));
  VScroll7 = bar("VScroll7", 50, -50, 1, 1, 1);
  Label[20] = caption(20, QStringLiteral("Yо, м"), QStringLiteral("начальная координата y"));
  Label[21] = value(21, QStringLiteral("начальная координата координата y"));
  VScroll8 = bar("VScroll8", 50, -50, 1, 1, 5);
  Label[22] = caption(22, QStringLiteral("Zo, м"), QStringLiteral("начальная координата z"));
  Label[23] = value(23, QStringLiteral("начальная координата z"));
  VScroll9 = bar("VScroll9", 100, -100, 1, 1, 1);

  // Field structure and the lengths.
  List1 = new QListWidget(client);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setToolTip(QStringLiteral("Структура магнитного поля"));
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // a list box scrolls up and down only
  Label[27] = caption(27, QStringLiteral("S, м"), QStringLiteral("характерная длина"));
  Text1 = textBox("Text1", QStringLiteral("характерная длина"));
  Label[28] = caption(28, QStringLiteral("d, м"), QStringLiteral("полуширина ловушки"));
  Text3 = textBox("Text3", QStringLiteral("полуширина ловушки"));
  Label[8] = caption(8, QStringLiteral("Время"), QStringLiteral("Время расчета в периодах"));
  Text2 = textBox("Text2", QStringLiteral("Время расчета в периодах"));

  // Run control.
  CmdOK = new QPushButton(QStringLiteral("ПУСК"), client);
  CmdOK->setObjectName(QStringLiteral("CmdOK"));
  CmdOK->setFont(panelFont());
  CmdOK->setToolTip(QStringLiteral("выполнить расчет"));
  HScroll1 = new QScrollBar(Qt::Horizontal, client);
  HScroll1->setObjectName(QStringLiteral("HScroll1"));
  HScroll1->setRange(0, 10);
  HScroll1->setSingleStep(1);
  HScroll1->setPageStep(1);
  HScroll1->setValue(10);
  HScroll1->setTracking(false);
  // Right arrow key and a wheel turned forward move towards the larger value, as the
  // arrow buttons do (a horizontal QScrollBar otherwise reverses its keys).
  HScroll1->setInvertedControls(false);
  Label[29] = value(29, QStringLiteral("Замедление расчёта"));
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setSingleShot(true);
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setInterval(1);

  // Outputs.
  Label[13] = output(13, QStringLiteral("циклотронная частота при B=Bo"));
  Label[14] = output(14, QStringLiteral("период"));
  Label[17] = output(17, QStringLiteral("радиус окружности"));
  Label[18] = output(18, QStringLiteral("шаг винта"));
  Label[26] = output(26, QStringLiteral("Погрешность расчёта скорости"));
  Label[26]->setText(QStringLiteral("Точность вычислений"));

  // Drawing surfaces with their markers, and the illustration.
  Picture1 = new PictureBox(QStringLiteral("Shape1"), client);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setToolTip(QStringLiteral("плоскость X0Y"));
  Picture2 = new PictureBox(QStringLiteral("Shape2"), client);
  Picture2->setObjectName(QStringLiteral("Picture2"));
  Picture2->setToolTip(QStringLiteral("плоскость X0Z"));
  Image1 = new QLabel(client);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setScaledContents(true);
  Image1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Image1->setLineWidth(1);
  showBuiltInPicture();
}

void Form1::showBuiltInPicture() {
  const QImage picture =
      renderSvg(QStringLiteral(":/pictures/mudr.svg"), QSize(300, 250), Qt::white);
  if (picture.isNull()) {
    QImage blank(300, 250, QImage::Format_RGB32);
    blank.fill(Qt::white);
    Image1->setPixmap(QPixmap::fromImage(blank));
  } else {
    Image1->setPixmap(QPixmap::fromImage(picture));
  }
  Image1->setProperty("pictureFile", QString());
}

void Form1::buildMenus() {
  auto item = [](QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
  };
  auto separator = [](QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
  };

  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  file->setObjectName(QStringLiteral("mnuFile"));
  file->menuAction()->setObjectName(QStringLiteral("mnuFile"));
  // The first letter is the Latin C.
  connect(item(file, "mnuFilespravka", QStringLiteral("Cправка")), &QAction::triggered, this,
          &Form1::mnuFilespravka_Click);
  separator(file, "mnuHelpSep2");
  connect(item(file, "mnuFileExit", QStringLiteral("Выход")), &QAction::triggered, this,
          &Form1::mnuFileExit_Click);

  QMenu* help = menuBar()->addMenu(QStringLiteral("Помощь"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  help->menuAction()->setObjectName(QStringLiteral("mnuHelp"));
  connect(item(help, "mnuHelpInstruction", QStringLiteral("Инструкция")), &QAction::triggered,
          this, &Form1::mnuHelpInstruction_Click);
  connect(item(help, "mnuHelpUprav", QStringLiteral("Управление")), &QAction::triggered, this,
          &Form1::mnuHelpUprav_Click);
  separator(help, "mnuHelpSep1");
  connect(item(help, "mnuHelpAvtors", QStringLiteral("Авторы")), &QAction::triggered, this,
          &Form1::mnuHelpAvtors_Click);
  connect(item(help, "mnuHelpAbout", QStringLiteral("О программе")), &QAction::triggered, this,
          &Form1::mnuHelpAbout_Click);
  connect(item(help, "mnuHelpAbout2", QStringLiteral("Регистрация")), &QAction::triggered, this,
          &Form1::mnuHelpAbout2_Click);
}

void Form1::buildHolders() {
  // The stores of the menu bitmaps: never shown, read once by the start-up.
  const struct {
    const char* name;
    const char* icon;
  } holders[] = {
      {"Picture6", "book"},     {"Picture4", "power"},    {"Picture7", "booklet"},
      {"Picture8", "gear"},     {"Picture9", "portrait"}, {"Picture10", "question"},
      {"Picture11", "seal"},
  };
  for (const auto& holder : holders) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(holder.name));
    label->setFocusPolicy(Qt::NoFocus);
    label->setGeometry(0, 0, 32, 32);
    const QImage image =
        renderSvg(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(holder.icon)), QSize(32, 32));
    if (!image.isNull()) label->setPixmap(QPixmap::fromImage(image));
  }

  QIcon icon;
  for (int side : {16, 32, 64}) {
    const QImage image = renderSvg(QStringLiteral(":/icons/window.svg"), QSize(side, side));
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  if (!icon.isNull()) setWindowIcon(icon);
}

void Form1::setTabOrder() {
  const QList<QWidget*> order = {
      CmdOK,
      VScroll1->scrollBar(),
      VScroll2->scrollBar(),
      VScroll3->scrollBar(),
      Picture1,
      List1,
      Text2,
      Picture2,
      VScroll4->scrollBar(),
      VScroll5->scrollBar(),
      VScroll6->scrollBar(),
      VScroll7->scrollBar(),
      VScroll8->scrollBar(),
      VScroll9->scrollBar(),
      VScroll10->scrollBar(),
      Text1,
      Text3,
      HScroll1,
  };
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace larmor
