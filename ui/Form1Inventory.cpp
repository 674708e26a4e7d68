// The design of the main window: every control with its name, caption, tooltip, font,
// colours and range, the menu tree and the hidden holders of the menu bitmaps.
#include "ui/Form1.h"

#include "model/TrajectoryRun.h"

#include "ui/DiagnosticsIcons.h"
#include "ui/PictureBox.h"
#include "ui/ProportionalLayout.h"
#include "ui/QtTranslations.h"
#include "ui/SymbolFont.h"
#include "ui/VerticalBar.h"

#include <QAction>
#include <QActionGroup>
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
  if (control->font().stretch() != QFont::AnyStretch && control->font().stretch() != 100) {
    QFont unstretched = control->font();  // fitted before to texts of another language
    unstretched.setStretch(QFont::AnyStretch);
    control->setFont(unstretched);
  }
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
  const bool english = uiLanguage() == Language::English;
  const std::map<int, QStringList> values = {
      {4, {QStringLiteral("- 8.010883170e-19")}},
      {5, {QStringLiteral("1.66053906892e-26"), QStringLiteral("9.1093837139e-31")}},
      {10, {QStringLiteral("30000")}}, {12, {QStringLiteral("1.500e-03")}},
      {16, {QStringLiteral("180")}}, {25, {QStringLiteral("-180")}}, {6, {QStringLiteral("10.00")}},
      {19, {QStringLiteral("-5.00")}}, {21, {QStringLiteral("-5.00")}},
      {23, {QStringLiteral("-10.00")}}, {29, {QStringLiteral("10")}},
      {13, {english ? QStringLiteral("w=4.824e+04 rad/s") : QStringLiteral("w=4.824e+04 рад/с")}},
      {14, {english ? QStringLiteral("T=1.302e-04 s") : QStringLiteral("T=1.302e-04 с"),
            english ? QStringLiteral("T - infinite") : QStringLiteral("T - бесконечен")}},
      {17, {english ? QStringLiteral("R=4.526e-01 m") : QStringLiteral("R=4.526e-01 м"),
            english ? QStringLiteral("R - infinite") : QStringLiteral("R - бесконечен")}},
      {18, {english ? QStringLiteral("H=- 3.492e-01 m") : QStringLiteral("H=- 3.492e-01 м"),
            english ? QStringLiteral("H - infinite") : QStringLiteral("H - бесконечен")}},
      {26, {QStringLiteral("dV=-100.0000%"), tr("Точность вычислений"),
            QString::fromUtf8(accuracyTextIn(nonFiniteAccuracyText, uiLanguage())),
            QString::fromUtf8(accuracyTextIn(axisStartAccuracyText, uiLanguage()))}},
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

namespace {

// Every text of the panel's controls, written in Russian and looked up in the translation
// of the chosen language: the captions (null for α and β, kept as typed for the Symbol
// font) and the tooltips (null where the panel writes them).
const struct {
  const char* name;
  const char* text;
  const char* tip;
} controlTexts[] = {
    {"Label1", QT_TRANSLATE_NOOP("larmor::Form1", "q, Кл"), QT_TRANSLATE_NOOP("larmor::Form1", "Элементарный заряд |е| точно. СИ с 2022 года ")},
    {"Label4", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "заряд частицы")},
    {"Label2", QT_TRANSLATE_NOOP("larmor::Form1", "m, кг"), QT_TRANSLATE_NOOP("larmor::Form1", "Атомная единица массы. С 2022 года")},
    {"Label5", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "масса частицы")},
    {"Label9", QT_TRANSLATE_NOOP("larmor::Form1", "v, м/с"), QT_TRANSLATE_NOOP("larmor::Form1", "скорость частицы")},
    {"Label10", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "скорость частицы")},
    {"Label15", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "угол между скоростью и осью OZ")},
    {"Label16", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "градусы")},
    {"Label24", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "угол между поперечной скоростью и осью OX")},
    {"Label25", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "градусы")},
    {"Label11", QT_TRANSLATE_NOOP("larmor::Form1", "Bo, Тл"), QT_TRANSLATE_NOOP("larmor::Form1", "Индукция магнитного поля")},
    {"Label12", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "магнитное поле")},
    {"Label3", QT_TRANSLATE_NOOP("larmor::Form1", "размер, м"), QT_TRANSLATE_NOOP("larmor::Form1", "размер изучаемой области")},
    {"Label6", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "размер области ")},
    {"Label7", QT_TRANSLATE_NOOP("larmor::Form1", "Хо, м"), QT_TRANSLATE_NOOP("larmor::Form1", "начальная координата х")},
    {"Label19", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "начальная координата х")},
    {"Label20", QT_TRANSLATE_NOOP("larmor::Form1", "Yо, м"), QT_TRANSLATE_NOOP("larmor::Form1", "начальная координата y")},
    {"Label21", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "начальная координата координата y")},
    {"Label22", QT_TRANSLATE_NOOP("larmor::Form1", "Zo, м"), QT_TRANSLATE_NOOP("larmor::Form1", "начальная координата z")},
    {"Label23", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "начальная координата z")},
    {"List1", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "Структура магнитного поля")},
    {"Label27", QT_TRANSLATE_NOOP("larmor::Form1", "S, м"), QT_TRANSLATE_NOOP("larmor::Form1", "характерная длина")},
    {"Text1", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "характерная длина")},
    {"Label28", QT_TRANSLATE_NOOP("larmor::Form1", "d, м"), QT_TRANSLATE_NOOP("larmor::Form1", "полуширина ловушки")},
    {"Text3", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "полуширина ловушки")},
    {"Label8", QT_TRANSLATE_NOOP("larmor::Form1", "Время"), QT_TRANSLATE_NOOP("larmor::Form1", "Время расчета в периодах")},
    {"Text2", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "Время расчета в периодах")},
    {"CmdOK", QT_TRANSLATE_NOOP("larmor::Form1", "ПУСК"), QT_TRANSLATE_NOOP("larmor::Form1", "выполнить расчет")},
    {"Label29", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "Замедление расчёта")},
    {"Label13", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "циклотронная частота при B=Bo")},
    {"Label14", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "период")},
    {"Label17", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "радиус окружности")},
    {"Label18", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "шаг винта")},
    {"Label26", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "Погрешность расчёта скорости")},
    {"Picture1", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "плоскость X0Y")},
    {"Picture2", nullptr, QT_TRANSLATE_NOOP("larmor::Form1", "плоскость X0Z")},
};

// The menus' and their items' texts, by the items' names.
const struct {
  const char* name;
  const char* text;
} menuTexts[] = {
    {"mnuFile", QT_TRANSLATE_NOOP("larmor::Form1", "Файл")},
    {"mnuExamples", QT_TRANSLATE_NOOP("larmor::Form1", "Примеры")},
    {"mnuFileOpen", QT_TRANSLATE_NOOP("larmor::Form1", "Открыть сценарий…")},
    {"mnuFileSave", QT_TRANSLATE_NOOP("larmor::Form1", "Сохранить сценарий…")},
    {"mnuFileExportCsv", QT_TRANSLATE_NOOP("larmor::Form1", "Экспорт траектории (CSV)…")},
    {"mnuFileExportPng", QT_TRANSLATE_NOOP("larmor::Form1", "Экспорт видов (PNG)…")},
    // The first letter is the Latin C.
    {"mnuFilespravka", QT_TRANSLATE_NOOP("larmor::Form1", "Cправка")},
    {"mnuFileExit", QT_TRANSLATE_NOOP("larmor::Form1", "Выход")},
    {"mnuDiagnostics", QT_TRANSLATE_NOOP("larmor::Form1", "Диагностика")},
    {"mnuDiagnosticsWindow", QT_TRANSLATE_NOOP("larmor::Form1", "Окно диагностики")},
    {"mnuDiagnosticsBoris", QT_TRANSLATE_NOOP("larmor::Form1", "Метод Бориса")},
    {"mnuDiagnosticsEnsemble", QT_TRANSLATE_NOOP("larmor::Form1", "Ансамбль частиц…")},
    {"mnuOrbitView", QT_TRANSLATE_NOOP("larmor::Form1", "Траектория в пространстве")},
    {"mnuDiagnosticsStop", QT_TRANSLATE_NOOP("larmor::Form1", "Остановить расчет")},
    {"mnuHelp", QT_TRANSLATE_NOOP("larmor::Form1", "Помощь")},
    {"mnuHelpInstruction", QT_TRANSLATE_NOOP("larmor::Form1", "Инструкция")},
    {"mnuHelpUprav", QT_TRANSLATE_NOOP("larmor::Form1", "Управление")},
    {"mnuHelpAvtors", QT_TRANSLATE_NOOP("larmor::Form1", "Авторы")},
    {"mnuHelpAbout", QT_TRANSLATE_NOOP("larmor::Form1", "О программе")},
    {"mnuHelpAbout2", QT_TRANSLATE_NOOP("larmor::Form1", "Регистрация")},
};

}  // namespace

void Form1::retranslateUi() {
  setWindowTitle(mainTitle());
  for (const auto& t : controlTexts) {
    QWidget* control = m_client->findChild<QWidget*>(QLatin1String(t.name));
    if (!control) continue;
    if (t.tip) control->setToolTip(tr(t.tip));
    if (!t.text) continue;
    if (auto* label = qobject_cast<QLabel*>(control)) label->setText(tr(t.text));
    else if (auto* button = qobject_cast<QPushButton*>(control)) button->setText(tr(t.text));
  }
  for (const auto& t : menuTexts)
    if (auto* action = findChild<QAction*>(QLatin1String(t.name))) action->setText(tr(t.text));
  // Which method drew the trail, and what the accuracy label says before a run.
  m_methodMark->setText(QString::fromUtf8(methodCaption(Integrator::Boris, uiLanguage())));
  showAccuracy(m_accuracyText);
  // The list's entries are the window's; the panel knows the structures by row.
  const auto& entries = uiLanguage() == Language::English ? fieldConfigEnglishTexts : fieldConfigTexts;
  for (int row = 0; row < List1->count(); ++row)
    List1->item(row)->setText(QString::fromUtf8(entries[row].data(), static_cast<qsizetype>(entries[row].size())));
  if (m_examplesMenu) fillExamplesMenu();
}

void Form1::buildControls() {
  QWidget* client = m_client;

  auto caption = [client](int number, const QString& text) {
    auto* label = new QLabel(text, client);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->setAlignment(Qt::AlignCenter);
    label->setFont(panelFont());
    return label;
  };
  auto bordered = [client](int number, const QColor& colour, Qt::Alignment alignment) {
    auto* label = new QLabel(client);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setFont(panelFont());
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    setBackground(label, QPalette::Window, colour);
    return label;
  };
  auto value = [&bordered](int number, Qt::Alignment alignment = Qt::AlignHCenter) {
    return bordered(number, inputColour, alignment);
  };
  auto output = [&bordered](int number) { return bordered(number, outputColour, Qt::AlignLeft); };
  auto bar = [client](const char* name, int top, int bottom, int small, int large, int start) {
    auto* scroll = new VerticalBar(top, bottom, small, large, start, client);
    scroll->setObjectName(QString::fromLatin1(name));
    return scroll;
  };
  auto textBox = [client](const char* name) {
    auto* box = new QLineEdit(QString::fromLatin1(name), client);
    box->setObjectName(QString::fromLatin1(name));
    box->setAlignment(Qt::AlignCenter);
    box->setFont(panelFont());
    setBackground(box, QPalette::Base, inputColour);
    return box;
  };
  // α and β: the captions are kept as typed for the Symbol font and shown as the Greek
  // letters that font would draw, in the panel's serif font.
  auto symbolCaption = [&caption](int number, const QString& stored) {
    QLabel* label = caption(number, symbolFontToUnicode(stored));
    label->setProperty("symbolCaption", stored);
    return label;
  };

  // The bar-set parameters, in the order they are built: each caption, its value label
  // and its bar (its range, steps and design position are the panel's).
  const struct {
    int caption;
    const char* symbol;  // the caption as typed for the Symbol font, else null
    int value;
    Qt::Alignment alignment;
    VerticalBar** bar;
    const char* barName;
    Bar range;
  } parameters[] = {
      {1, nullptr, 4, Qt::AlignHCenter, &VScroll1, "VScroll1", Bar::VScroll1},
      {2, nullptr, 5, Qt::AlignHCenter, &VScroll2, "VScroll2", Bar::VScroll2},
      {9, nullptr, 10, Qt::AlignLeft, &VScroll4, "VScroll4", Bar::VScroll4},
      {15, "a", 16, Qt::AlignHCenter, &VScroll6, "VScroll6", Bar::VScroll6},
      {24, "b", 25, Qt::AlignHCenter, &VScroll10, "VScroll10", Bar::VScroll10},
      {11, nullptr, 12, Qt::AlignLeft, &VScroll5, "VScroll5", Bar::VScroll5},
      {3, nullptr, 6, Qt::AlignHCenter, &VScroll3, "VScroll3", Bar::VScroll3},
      {7, nullptr, 19, Qt::AlignHCenter, &VScroll7, "VScroll7", Bar::VScroll7},
      {20, nullptr, 21, Qt::AlignHCenter, &VScroll8, "VScroll8", Bar::VScroll8},
      {22, nullptr, 23, Qt::AlignHCenter, &VScroll9, "VScroll9", Bar::VScroll9},
  };
  for (const auto& row : parameters) {
    Label[row.caption] = row.symbol ? symbolCaption(row.caption, QString::fromLatin1(row.symbol))
                                    : caption(row.caption, QString());
    Label[row.value] = value(row.value, row.alignment);
    const BarRange& r = barRange(row.range);
    *row.bar = bar(row.barName, r.highest, r.lowest, r.smallChange, r.largeChange, r.designPosition);
  }

  // Field structure and the lengths.
  List1 = new QListWidget(client);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // a list box scrolls up and down only
  fitShortBar(List1->verticalScrollBar(), List1);
  Label[27] = caption(27, QString());
  Text1 = textBox("Text1");
  Label[28] = caption(28, QString());
  Text3 = textBox("Text3");
  Label[8] = caption(8, QString());
  Text2 = textBox("Text2");

  // Run control.
  CmdOK = new QPushButton(client);
  CmdOK->setObjectName(QStringLiteral("CmdOK"));
  CmdOK->setFont(panelFont());
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
  Label[29] = value(29);
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setSingleShot(true);
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setInterval(1);

  // Outputs.
  Label[13] = output(13);
  Label[14] = output(14);
  Label[17] = output(17);
  Label[18] = output(18);
  Label[26] = output(26);

  // Drawing surfaces with their markers, and the illustration.
  Picture1 = new PictureBox(QStringLiteral("Shape1"), client);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture2 = new PictureBox(QStringLiteral("Shape2"), client);
  Picture2->setObjectName(QStringLiteral("Picture2"));
  // Which method drew the trail, in the corner of the X0Z view, so that a screenshot says
  // it; shown only for the Boris run, the window looks as ever with the default one.
  auto* method = m_methodMark = new QLabel(Picture2);
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
  // The saying in the window's language, drawn once for each: a later drawing can smooth the
  // text a shade differently, and a language switched back shows the very picture it showed.
  static QImage drawn[2];
  const bool english = uiLanguage() == Language::English;
  QImage& picture = drawn[english];
  if (picture.isNull())
    picture = renderSvg(english ? QStringLiteral(":/pictures/mudr-en.svg") : QStringLiteral(":/pictures/mudr.svg"),
                        QSize(300, 250), Qt::white);
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
  // The texts come with the window's language.
  auto item = [](QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    return action;
  };
  auto separator = [](QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
  };

  QMenu* file = menuBar()->addMenu(QString());
  file->setObjectName(QStringLiteral("mnuFile"));
  file->menuAction()->setObjectName(QStringLiteral("mnuFile"));
  // The lessons beside the program, next to the menu that opens any lesson.
  m_examplesMenu = menuBar()->addMenu(QString());
  m_examplesMenu->setObjectName(QStringLiteral("mnuExamples"));
  m_examplesMenu->menuAction()->setObjectName(QStringLiteral("mnuExamples"));
  fillExamplesMenu();
  connect(m_examplesMenu, &QMenu::aboutToShow, this, &Form1::fillExamplesMenu);
  // Files first, where users look for them; the help and the exit keep their order below.
  const struct {
    const char* name;
    QStyle::StandardPixmap icon;
    void (Form1::*slot)();
  } fileItems[] = {
      {"mnuFileOpen", QStyle::SP_DialogOpenButton, &Form1::mnuFileOpen_Click},
      {"mnuFileSave", QStyle::SP_DialogSaveButton, &Form1::mnuFileSave_Click},
      {"mnuFileExportCsv", QStyle::SP_FileDialogDetailedView, &Form1::mnuFileExportCsv_Click},
      {"mnuFileExportPng", QStyle::SP_DesktopIcon, &Form1::mnuFileExportPng_Click},
  };
  for (const auto& fileItem : fileItems) {
    QAction* action = item(file, fileItem.name);
    action->setIcon(style()->standardIcon(fileItem.icon));
    connect(action, &QAction::triggered, this, fileItem.slot);
    if (fileItem.slot == &Form1::mnuFileSave_Click) separator(file, "mnuFileSep1");
  }
  findChild<QAction*>(QStringLiteral("mnuFileOpen"))->setShortcut(QKeySequence::Open);
  findChild<QAction*>(QStringLiteral("mnuFileSave"))->setShortcut(QKeySequence::Save);
  separator(file, "mnuFileSep2");
  connect(file, &QMenu::aboutToShow, this, &Form1::enableExports);
  connect(item(file, "mnuFilespravka"), &QAction::triggered, this,
          &Form1::mnuFilespravka_Click);
  buildLanguageMenu(file);
  separator(file, "mnuHelpSep2");
  connect(item(file, "mnuFileExit"), &QAction::triggered, this,
          &Form1::mnuFileExit_Click);

  // The diagnostics window and the integrator of the next run (RK4 unless checked).
  QMenu* diagnostics = menuBar()->addMenu(QString());
  diagnostics->setObjectName(QStringLiteral("mnuDiagnostics"));
  diagnostics->menuAction()->setObjectName(QStringLiteral("mnuDiagnostics"));
  QAction* plots = item(diagnostics, "mnuDiagnosticsWindow");
  plots->setIcon(diagnosticsPlotIcon());
  connect(plots, &QAction::triggered, this, &Form1::mnuDiagnosticsWindow_Click);
  QAction* boris = item(diagnostics, "mnuDiagnosticsBoris");
  boris->setCheckable(true);
  boris->setIcon(borisMethodIcon());
  connect(boris, &QAction::triggered, this, &Form1::mnuDiagnosticsBoris_Click);
  QAction* ensemble = item(diagnostics, "mnuDiagnosticsEnsemble");
  ensemble->setIcon(ensembleIcon());
  connect(ensemble, &QAction::triggered, this, &Form1::mnuDiagnosticsEnsemble_Click);
  QAction* orbit = item(diagnostics, "mnuOrbitView");
  orbit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_3));
  orbit->setIcon(orbitViewIcon());
  connect(orbit, &QAction::triggered, this, &Form1::mnuOrbitView_Click);
  // A paced run ends early from here or with Esc; the item is greyed in the menu while no
  // run goes on, and the key always reaches it.
  diagnostics->addSeparator();
  QAction* stop = item(diagnostics, "mnuDiagnosticsStop");
  stop->setShortcut(Qt::Key_Escape);
  stop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
  connect(stop, &QAction::triggered, this, &Form1::stopRun);
  connect(diagnostics, &QMenu::aboutToShow, stop, [this, stop] { stop->setEnabled(m_runState.running()); });
  connect(diagnostics, &QMenu::aboutToHide, stop, [stop] { stop->setEnabled(true); });

  QMenu* help = menuBar()->addMenu(QString());
  help->setObjectName(QStringLiteral("mnuHelp"));
  help->menuAction()->setObjectName(QStringLiteral("mnuHelp"));
  connect(item(help, "mnuHelpInstruction"), &QAction::triggered,
          this, &Form1::mnuHelpInstruction_Click);
  connect(item(help, "mnuHelpUprav"), &QAction::triggered, this,
          &Form1::mnuHelpUprav_Click);
  separator(help, "mnuHelpSep1");
  connect(item(help, "mnuHelpAvtors"), &QAction::triggered, this,
          &Form1::mnuHelpAvtors_Click);
  connect(item(help, "mnuHelpAbout"), &QAction::triggered, this,
          &Form1::mnuHelpAbout_Click);
  connect(item(help, "mnuHelpAbout2"), &QAction::triggered, this,
          &Form1::mnuHelpAbout2_Click);
}

// The language of the window, chosen at once and kept for the next start. Its title and
// its items read the same in either language, so that a user who reads only one finds them.
void Form1::buildLanguageMenu(QMenu* file) {
  QMenu* languages = file->addMenu(QStringLiteral("Язык / Language"));
  languages->setObjectName(QStringLiteral("mnuLanguage"));
  languages->menuAction()->setObjectName(QStringLiteral("mnuLanguage"));
  // Its icon: a Latin and a Cyrillic letter side by side, as every other item has one.
  QImage letters(32, 32, QImage::Format_ARGB32_Premultiplied);
  letters.fill(Qt::transparent);
  {
    QPainter painter(&letters);
    QFont font = painter.font();
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 70, 160));
    painter.drawText(QRect(0, 0, 17, 32), Qt::AlignCenter, QStringLiteral("A"));
    painter.setPen(QColor(180, 0, 0));
    painter.drawText(QRect(15, 0, 17, 32), Qt::AlignCenter, QStringLiteral("Я"));
  }
  languages->menuAction()->setIcon(QIcon(QPixmap::fromImage(letters)));
  auto* group = new QActionGroup(languages);
  const struct {
    const char* name;
    const char* text;
    Language language;
  } choices[] = {{"mnuLanguageRu", "Русский", Language::Russian}, {"mnuLanguageEn", "English", Language::English}};
  for (const auto& choice : choices) {
    QAction* action = languages->addAction(QString::fromUtf8(choice.text));
    action->setObjectName(QString::fromLatin1(choice.name));
    action->setCheckable(true);
    action->setChecked(choice.language == uiLanguage());
    group->addAction(action);
    const Language language = choice.language;
    connect(action, &QAction::triggered, this, [language] {
      if (language == uiLanguage()) return;
      if (setUiLanguage(language)) rememberLanguage(language);
    });
  }
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
