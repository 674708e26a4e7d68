// The design of the main window: every control with its name, caption, tooltip, font,
// colours and range, the menu tree and the hidden holders of the menu bitmaps.
#include "ui/Form1.h"

#include "model/TrajectoryRun.h"

#include "ui/DiagnosticsIcons.h"
#include "ui/PictureBox.h"
#include "ui/ProportionalLayout.h"
#include "ui/SymbolFont.h"
#include "ui/VerticalBar.h"

#include <QAction>
#include <QFontMetrics>
#include <QImage>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QSvgRenderer>
#include <QTimer>

#include <map>

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

// Where a font is wider than the one the panel was drawn for, the control gets the least
// condensed stretch of its own font (size and family kept) at which every text it can
// show stands whole in width [px]. A font that fits is left as it is.
void condenseToFit(QWidget* control, const QStringList& texts, int width) {
  const auto* label = qobject_cast<const QLabel*>(control);
  for (int stretch = 100; stretch >= 50; --stretch) {
    QFont font = control->font();
    if (stretch != 100) font.setStretch(stretch);
    const QFontMetrics metrics(font);
    int room = width;
    // A framed label keeps half an "x" free on the side its text is aligned to.
    if (label && label->indent() < 0 && label->frameWidth() > 0 &&
        (label->alignment() & (Qt::AlignLeft | Qt::AlignRight)))
      room -= metrics.horizontalAdvance(QLatin1Char('x')) / 2;
    int widest = 0;
    for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
    if (widest < room) {  // a pixel clear of the frame
      if (stretch != 100) control->setFont(font);
      return;
    }
  }
}

}  // namespace

// The widest text of every form each label shows: its caption and, for the labels that
// show values and results, the longest of each form (the serif's digits share one width).
void Form1::fitTexts() {
  const std::map<int, QStringList> values = {
      {4, {QStringLiteral("- 8.010883170e-19")}},
      {5, {QStringLiteral("1.66053906892e-26"), QStringLiteral("9.1093837139e-31")}},
      {10, {QStringLiteral("30000")}}, {12, {QStringLiteral("1.500e-03")}},
      {16, {QStringLiteral("180")}}, {25, {QStringLiteral("-180")}}, {6, {QStringLiteral("10.00")}},
      {19, {QStringLiteral("-5.00")}}, {21, {QStringLiteral("-5.00")}},
      {23, {QStringLiteral("-10.00")}}, {29, {QStringLiteral("10")}},
      {13, {QStringLiteral("w=4.824e+04 рад/с")}},
      {14, {QStringLiteral("T=1.302e-04 с"), QStringLiteral("T - бесконечен")}},
      {17, {QStringLiteral("R=4.526e-01 м"), QStringLiteral("R - бесконечен")}},
      {18, {QStringLiteral("H=- 3.492e-01 м"), QStringLiteral("H - бесконечен")}},
      {26, {QStringLiteral("dV=-100.0000%"), QString::fromUtf8(nonFiniteAccuracyText),
            QString::fromUtf8(axisStartAccuracyText)}},
  };
  for (const PlacedControl& placed : proportionalLayout(720, 480)) {
    const QString name = QString::fromLatin1(placed.name);
    const int width = qRound(placed.width);
    if (name.startsWith(QLatin1String("Label"))) {
      const int number = name.mid(5).toInt();
      QLabel* label = Label[number];
      QStringList texts{label->text()};
      if (const auto found = values.find(number); found != values.end()) texts += found->second;
      condenseToFit(label, texts, width - 2 * label->frameWidth());
    } else if (placed.name == QLatin1String("List1")) {
      // An entry stands beside the list's bar, with the style's margin on either side.
      QStringList entries;
      for (int row = 0; row < List1->count(); ++row) entries << List1->item(row)->text();
      QStyle* style = List1->style();
      const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, List1) + 1;
      condenseToFit(List1, entries,
                    width - 2 * List1->frameWidth() -
                        style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, List1) - 2 * margin);
    }
  }
}

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

  // The bar-set parameters, in the order they are built: each caption, its value label
  // and its bar (its range, steps and design position are the panel's).
  const struct {
    int caption;
    const char* title;
    const char* titleTip;
    bool symbol;  // title kept as typed for the Symbol font
    int value;
    const char* valueTip;
    Qt::Alignment alignment;
    VerticalBar** bar;
    const char* barName;
    Bar range;
  } parameters[] = {
      {1, "q, Кл", "Элементарный заряд |е| точно. СИ с 2022 года ", false, 4, "заряд частицы",
       Qt::AlignHCenter, &VScroll1, "VScroll1", Bar::VScroll1},
      {2, "m, кг", "Атомная единица массы. С 2022 года", false, 5, "масса частицы",
       Qt::AlignHCenter, &VScroll2, "VScroll2", Bar::VScroll2},
      {9, "v, м/с", "скорость частицы", false, 10, "скорость частицы", Qt::AlignLeft, &VScroll4,
       "VScroll4", Bar::VScroll4},
      {15, "a", "угол между скоростью и осью OZ", true, 16, "градусы", Qt::AlignHCenter,
       &VScroll6, "VScroll6", Bar::VScroll6},
      {24, "b", "угол между поперечной скоростью и осью OX", true, 25, "градусы",
       Qt::AlignHCenter, &VScroll10, "VScroll10", Bar::VScroll10},
      {11, "Bo, Тл", "Индукция магнитного поля", false, 12, "магнитное поле", Qt::AlignLeft,
       &VScroll5, "VScroll5", Bar::VScroll5},
      {3, "размер, м", "размер изучаемой области", false, 6, "размер области ", Qt::AlignHCenter,
       &VScroll3, "VScroll3", Bar::VScroll3},
      {7, "Хо, м", "начальная координата х", false, 19, "начальная координата х",
       Qt::AlignHCenter, &VScroll7, "VScroll7", Bar::VScroll7},
      {20, "Yо, м", "начальная координата y", false, 21, "начальная координата координата y",
       Qt::AlignHCenter, &VScroll8, "VScroll8", Bar::VScroll8},
      {22, "Zo, м", "начальная координата z", false, 23, "начальная координата z",
       Qt::AlignHCenter, &VScroll9, "VScroll9", Bar::VScroll9},
  };
  for (const auto& row : parameters) {
    const QString title = QString::fromUtf8(row.title), titleTip = QString::fromUtf8(row.titleTip);
    Label[row.caption] =
        row.symbol ? symbolCaption(row.caption, title, titleTip) : caption(row.caption, title, titleTip);
    Label[row.value] = value(row.value, QString::fromUtf8(row.valueTip), row.alignment);
    const BarRange& r = barRange(row.range);
    *row.bar = bar(row.barName, r.highest, r.lowest, r.smallChange, r.largeChange, r.designPosition);
  }

  // Field structure and the lengths.
  List1 = new QListWidget(client);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setToolTip(QStringLiteral("Структура магнитного поля"));
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // a list box scrolls up and down only
  fitShortBar(List1->verticalScrollBar(), List1);
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
  const BarRange& slowdown = barRange(Bar::HScroll1);
  HScroll1->setRange(slowdown.lowest, slowdown.highest);
  HScroll1->setSingleStep(slowdown.smallChange);
  HScroll1->setPageStep(slowdown.largeChange);
  HScroll1->setValue(slowdown.designPosition);
  HScroll1->setTracking(false);
  // Right arrow key and a wheel turned forward move towards the larger value, as the
  // arrow buttons do (a horizontal QScrollBar otherwise reverses its keys).
  HScroll1->setInvertedControls(false);
  HScroll1->setFocusPolicy(Qt::StrongFocus);  // keys as on the vertical bars
  markFocus(HScroll1, HScroll1);
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
  // Which method drew the trail, in the corner of the X0Z view, so that a screenshot says
  // it; shown only for the Boris run, the window looks as ever with the default one.
  auto* method = new QLabel(QString::fromUtf8(methodCaption(Integrator::Boris)), Picture2);
  method->setObjectName(QStringLiteral("lblMethod"));
  method->setStyleSheet(QStringLiteral("QLabel { background: rgba(255, 255, 255, 210); color: #404040; padding: 0 2px; }"));
  method->setAttribute(Qt::WA_TransparentForMouseEvents);
  method->hide();
  auto* corner = new QGridLayout(Picture2);
  corner->setSizeConstraint(QLayout::SetNoConstraint);
  corner->setContentsMargins(2, 2, 2, 2);
  corner->addWidget(method, 0, 0, Qt::AlignRight | Qt::AlignBottom);
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
  // The lessons beside the program, next to the menu that opens any lesson.
  m_examplesMenu = menuBar()->addMenu(QStringLiteral("Примеры"));
  m_examplesMenu->setObjectName(QStringLiteral("mnuExamples"));
  m_examplesMenu->menuAction()->setObjectName(QStringLiteral("mnuExamples"));
  fillExamplesMenu();
  connect(m_examplesMenu, &QMenu::aboutToShow, this, &Form1::fillExamplesMenu);
  // Files first, where users look for them; the help and the exit keep their order below.
  const struct {
    const char* name;
    const char* text;
    QStyle::StandardPixmap icon;
    void (Form1::*slot)();
  } fileItems[] = {
      {"mnuFileOpen", "Открыть сценарий…", QStyle::SP_DialogOpenButton, &Form1::mnuFileOpen_Click},
      {"mnuFileSave", "Сохранить сценарий…", QStyle::SP_DialogSaveButton, &Form1::mnuFileSave_Click},
      {"mnuFileExportCsv", "Экспорт траектории (CSV)…", QStyle::SP_FileDialogDetailedView, &Form1::mnuFileExportCsv_Click},
      {"mnuFileExportPng", "Экспорт видов (PNG)…", QStyle::SP_DesktopIcon, &Form1::mnuFileExportPng_Click},
  };
  for (const auto& fileItem : fileItems) {
    QAction* action = item(file, fileItem.name, QString::fromUtf8(fileItem.text));
    action->setIcon(style()->standardIcon(fileItem.icon));
    connect(action, &QAction::triggered, this, fileItem.slot);
    if (fileItem.slot == &Form1::mnuFileSave_Click) separator(file, "mnuFileSep1");
  }
  findChild<QAction*>(QStringLiteral("mnuFileOpen"))->setShortcut(QKeySequence::Open);
  findChild<QAction*>(QStringLiteral("mnuFileSave"))->setShortcut(QKeySequence::Save);
  separator(file, "mnuFileSep2");
  connect(file, &QMenu::aboutToShow, this, &Form1::enableExports);
  // The first letter is the Latin C.
  connect(item(file, "mnuFilespravka", QStringLiteral("Cправка")), &QAction::triggered, this,
          &Form1::mnuFilespravka_Click);
  separator(file, "mnuHelpSep2");
  connect(item(file, "mnuFileExit", QStringLiteral("Выход")), &QAction::triggered, this,
          &Form1::mnuFileExit_Click);

  // The diagnostics window and the integrator of the next run (RK4 unless checked).
  QMenu* diagnostics = menuBar()->addMenu(QStringLiteral("Диагностика"));
  diagnostics->setObjectName(QStringLiteral("mnuDiagnostics"));
  diagnostics->menuAction()->setObjectName(QStringLiteral("mnuDiagnostics"));
  QAction* plots = item(diagnostics, "mnuDiagnosticsWindow", QStringLiteral("Окно диагностики"));
  plots->setIcon(diagnosticsPlotIcon());
  connect(plots, &QAction::triggered, this, &Form1::mnuDiagnosticsWindow_Click);
  QAction* boris = item(diagnostics, "mnuDiagnosticsBoris", QStringLiteral("Метод Бориса"));
  boris->setCheckable(true);
  boris->setIcon(borisMethodIcon());
  connect(boris, &QAction::triggered, this, &Form1::mnuDiagnosticsBoris_Click);
  QAction* ensemble = item(diagnostics, "mnuDiagnosticsEnsemble", tr("Ансамбль частиц…"));
  ensemble->setIcon(ensembleIcon());
  connect(ensemble, &QAction::triggered, this, &Form1::mnuDiagnosticsEnsemble_Click);
  QAction* orbit = item(diagnostics, "mnuOrbitView", tr("Траектория в пространстве"));
  orbit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_3));
  orbit->setIcon(orbitViewIcon());
  connect(orbit, &QAction::triggered, this, &Form1::mnuOrbitView_Click);
  // A paced run ends early from here or with Esc; the item is greyed in the menu while no
  // run goes on, and the key always reaches it.
  diagnostics->addSeparator();
  QAction* stop = item(diagnostics, "mnuDiagnosticsStop", QStringLiteral("Остановить расчет"));
  stop->setShortcut(Qt::Key_Escape);
  stop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
  connect(stop, &QAction::triggered, this, &Form1::stopRun);
  connect(diagnostics, &QMenu::aboutToShow, stop, [this, stop] { stop->setEnabled(m_runState.running()); });
  connect(diagnostics, &QMenu::aboutToHide, stop, [stop] { stop->setEnabled(true); });

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
